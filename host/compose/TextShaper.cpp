// Shaping words with HarfBuzz, and the cache of shaped words.
#include "host/compose/TextShaper.h"

#include <hb.h>

#include <cwctype>
#include <mutex>
#include <string>
#include <unordered_map>

namespace {

struct WordGlyph {
  uint32_t glyph;
  int32_t cluster;
  int32_t advance;  // design units
  int32_t xOffset;
  int32_t yOffset;
};
using ShapedWord = std::vector<WordGlyph>;

struct WordKey {
  const FontFace* face;
  uint64_t features;
  std::u16string text;
};

// Looked up without copying the word: a key made of a view.
struct WordKeyView {
  const FontFace* face;
  uint64_t features;
  std::u16string_view text;
};

struct WordKeyHash {
  using is_transparent = void;
  size_t operator()(const WordKeyView& key) const {
    size_t h = std::hash<std::u16string_view>()(key.text);
    h ^= std::hash<const void*>()(key.face) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    h ^= std::hash<uint64_t>()(key.features) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    return h;
  }
  size_t operator()(const WordKey& key) const {
    return (*this)(WordKeyView{key.face, key.features, key.text});
  }
};

struct WordKeyEqual {
  using is_transparent = void;
  static WordKeyView View(const WordKey& k) { return {k.face, k.features, k.text}; }
  static WordKeyView View(const WordKeyView& k) { return k; }
  template <class A, class B>
  bool operator()(const A& a, const B& b) const {
    WordKeyView x = View(a);
    WordKeyView y = View(b);
    return x.face == y.face && x.features == y.features && x.text == y.text;
  }
};

bool IsControl(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xFFFC;
}

hb_feature_t Feature(const char* tag, bool on) {
  return {hb_tag_from_string(tag, 4), on ? 1u : 0u, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
}

// The features HarfBuzz applies unless told otherwise are always stated, on or off; the others only when on.
std::vector<hb_feature_t> FeaturesOf(uint64_t bits) {
  std::vector<hb_feature_t> features = {
      Feature("kern", bits & kFeatureKerning),         Feature("liga", bits & kFeatureLigatures),
      Feature("clig", bits & kFeatureLigatures),       Feature("calt", bits & kFeatureContextualAlternates),
      Feature("mark", bits & kFeatureMarkPositioning), Feature("mkmk", bits & kFeatureMarkPositioning),
      Feature("locl", bits & kFeatureLocalizedForms),
  };
  static constexpr std::pair<uint64_t, const char*> kOptional[] = {
      {kFeatureDiscretionaryLigatures, "dlig"},
      {kFeatureSmallCaps, "smcp"},
      {kFeatureCapsToSmallCaps, "c2sc"},
      {kFeatureLiningFigures, "lnum"},
      {kFeatureOldstyleFigures, "onum"},
      {kFeatureTabularFigures, "tnum"},
      {kFeatureProportionalFigures, "pnum"},
      {kFeatureFractions, "frac"},
      {kFeatureOrdinals, "ordn"},
      {kFeatureSuperiors, "sups"},
      {kFeatureInferiors, "subs"},
      {kFeatureNumerators, "numr"},
      {kFeatureDenominators, "dnom"},
      {kFeatureSlashedZero, "zero"},
      {kFeatureStylisticAlternates, "salt"},
      {kFeatureTitlingAlternates, "titl"},
      {kFeatureSwash, "swsh"},
      {kFeatureHistoricalForms, "hist"},
      {kFeatureItalicForms, "ital"},
      {kFeatureInitialForms, "init"},
      {kFeatureMedialForms, "medi"},
      {kFeatureFinalForms, "fina"},
      {kFeatureIsolatedForms, "isol"},
  };
  for (const auto& [bit, tag] : kOptional) {
    if (bits & bit) features.push_back(Feature(tag, true));
  }
  for (int set = 0; set < 20; ++set) {
    if (bits & (kFeatureStylisticSet1 << set)) {
      char tag[5] = {'s', 's', static_cast<char>('0' + (set + 1) / 10),
                     static_cast<char>('0' + (set + 1) % 10)};
      features.push_back(Feature(tag, true));
    }
  }
  return features;
}

// What HarfBuzz is given: controls become zero-width spaces (removed as default ignorables), and capitals
// when the run is set in all caps; the length stays, so clusters index the caller's text.
std::u16string ShapingText(std::u16string_view word, uint64_t features) {
  std::u16string text(word);
  for (char16_t& c : text) {
    if (IsControl(c))
      c = 0x200B;
    else if ((features & kFeatureAllCaps) && (c < 0xD800 || c > 0xDFFF))
      c = static_cast<char16_t>(std::towupper(c));
  }
  return text;
}

ShapedWord Shape(const FontFace& face, uint64_t features, std::u16string_view word) {
  ShapedWord shaped;
  hb_font_t* font = face.GetShapingFont();
  if (!font || word.empty()) return shaped;
  std::u16string text = ShapingText(word, features);
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.data()), static_cast<int>(text.size()),
                      0, static_cast<int>(text.size()));
  hb_buffer_guess_segment_properties(buffer);
  // Composition sets lines left to right.
  hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
  hb_buffer_set_flags(buffer, HB_BUFFER_FLAG_REMOVE_DEFAULT_IGNORABLES);
  std::vector<hb_feature_t> list = FeaturesOf(features);
  hb_shape(font, buffer, list.data(), static_cast<unsigned>(list.size()));
  unsigned count = 0;
  const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
  shaped.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    shaped.push_back({infos[i].codepoint, static_cast<int32_t>(infos[i].cluster), positions[i].x_advance,
                      positions[i].x_offset, positions[i].y_offset});
  }
  hb_buffer_destroy(buffer);
  return shaped;
}

// Bounded, so that a long composition of ever new words cannot grow it without end; cleared when full.
constexpr size_t kMaxCachedWords = 1 << 17;

const ShapedWord& ShapeWord(const FontFace& face, uint64_t features, std::u16string_view word) {
  static std::mutex mutex;
  static std::unordered_map<WordKey, ShapedWord, WordKeyHash, WordKeyEqual> cache;
  std::lock_guard<std::mutex> lock(mutex);
  if (auto known = cache.find(WordKeyView{&face, features, word}); known != cache.end()) return known->second;
  if (cache.size() >= kMaxCachedWords) cache.clear();
  return cache.emplace(WordKey{&face, features, std::u16string(word)}, Shape(face, features, word))
      .first->second;
}

struct Scale {
  double x;
  double y;
  double extra;  // tracking and manual kerning after each cluster
};

Scale ScaleOf(const RunFont& font) {
  double perUnit = font.pointSize / font.face->GetMetrics().unitsPerEm;
  return {perUnit * font.horizontalScale, perUnit, (font.tracking + font.kerning) * font.pointSize};
}

bool StartsCluster(const ShapedWord& word, size_t i) {
  return i == 0 || word[i - 1].cluster != word[i].cluster;
}

}  // namespace

size_t WordEnd(std::u16string_view text, size_t start) {
  size_t limit = std::min(text.size(), start + kMaxWordLength);
  if (start < text.size() && IsControl(text[start])) return start + 1;
  for (size_t i = start; i < limit; ++i) {
    if (IsControl(text[i])) return i;
    if (IsBreakingSpace(text[i]) || IsBreakingHyphen(text[i])) return i + 1;
  }
  // A surrogate pair is never split.
  if (limit < text.size() && limit > start + 1 && text[limit - 1] >= 0xD800 && text[limit - 1] <= 0xDBFF)
    return limit - 1;
  return limit;
}

ShapedText ShapeText(const RunFont& font, std::u16string_view text) {
  ShapedText out;
  Scale scale = ScaleOf(font);
  for (size_t start = 0; start < text.size();) {
    size_t end = WordEnd(text, start);
    const ShapedWord& word = ShapeWord(*font.face, font.features, text.substr(start, end - start));
    for (size_t i = 0; i < word.size(); ++i) {
      const WordGlyph& g = word[i];
      double advance = g.advance * scale.x + (StartsCluster(word, i) ? scale.extra : 0);
      out.glyphs.push_back({g.glyph, static_cast<int32_t>(start) + g.cluster, advance, g.xOffset * scale.x,
                            g.yOffset * scale.y});
      out.width += advance;
    }
    start = end;
  }
  return out;
}

void MeasureWord(const RunFont& font, std::u16string_view word, std::vector<double>& advances) {
  advances.assign(word.size(), 0.0);
  Scale scale = ScaleOf(font);
  const ShapedWord& shaped = ShapeWord(*font.face, font.features, word);
  for (size_t i = 0; i < shaped.size(); ++i) {
    size_t at = static_cast<size_t>(shaped[i].cluster);
    if (at >= advances.size()) continue;
    advances[at] += shaped[i].advance * scale.x + (StartsCluster(shaped, i) ? scale.extra : 0);
  }
}
