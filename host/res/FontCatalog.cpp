// The installed fonts, from fontconfig.
#include "host/res/FontCatalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

// The configuration to list fonts with: the file PAGEHOST_FONT_CONFIG names, else the system's. A named
// file that cannot be read gives no fonts rather than the system's, so that a program asking for a fixed
// set never sees other fonts.
FcConfig* LoadConfig() {
  const char* file = std::getenv("PAGEHOST_FONT_CONFIG");
  if (!file || !*file) return FcInitLoadConfigAndFonts();
  FcConfig* config = FcConfigCreate();
  if (!config) return nullptr;
  if (!FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(file), FcTrue) ||
      !FcConfigBuildFonts(config)) {
    FcConfigDestroy(config);
    return FcConfigCreate();
  }
  return config;
}

std::string StringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

int IntOf(FcPattern* pattern, const char* object, int fallback) {
  int value = fallback;
  FcPatternGetInteger(pattern, object, 0, &value);
  return value;
}

struct Entry {
  std::string family;
  std::string style;
  std::string file;
  int index;
  int weight;  // 100..900
  bool italic;
  int width;
};

bool ReadEntry(FcPattern* pattern, Entry& entry) {
  FcBool scalable = FcFalse;
  FcBool variable = FcFalse;
  FcPatternGetBool(pattern, FC_SCALABLE, 0, &scalable);
  FcPatternGetBool(pattern, FC_VARIABLE, 0, &variable);
  entry.family = StringOf(pattern, FC_FAMILY);
  entry.style = StringOf(pattern, FC_STYLE);
  entry.file = StringOf(pattern, FC_FILE);
  // A variable font is listed once more as a whole, beside its named instances: the instances are the faces.
  if (!scalable || variable || entry.family.empty() || entry.style.empty() || entry.file.empty())
    return false;
  entry.index = IntOf(pattern, FC_INDEX, 0);
  entry.weight = static_cast<int>(FcWeightToOpenType(IntOf(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR)));
  entry.italic = IntOf(pattern, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
  entry.width = IntOf(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
  return true;
}

std::vector<Entry> ListEntries(FcConfig* config) {
  std::vector<Entry> entries;
  if (!config) return entries;
  FcPattern* all = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT,
                                          FC_WIDTH, FC_SCALABLE, FC_VARIABLE, nullptr);
  FcFontSet* set = FcFontList(config, all, objects);
  for (int i = 0; set && i < set->nfont; ++i) {
    Entry entry;
    if (ReadEntry(set->fonts[i], entry)) entries.push_back(std::move(entry));
  }
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(all);
  // fontconfig lists in no fixed order; the same family and style in two files keeps the first by path.
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return std::tie(a.family, a.style, a.file, a.index) < std::tie(b.family, b.style, b.file, b.index);
  });
  entries.erase(
      std::unique(entries.begin(), entries.end(),
                  [](const Entry& a, const Entry& b) { return a.family == b.family && a.style == b.style; }),
      entries.end());
  return entries;
}

// How far a face is from a family's plain face: normal width, regular weight, upright.
std::tuple<int, int, bool> DistanceFromPlain(const FontFace& face) {
  return {std::abs(face.GetWidth() - kNormalWidth), std::abs(face.GetWeight() - kRegularWeight),
          face.IsItalic()};
}

void OrderFaces(FontFamilyInfo& family) {
  auto& faces = family.faces;
  auto plain = std::min_element(faces.begin(), faces.end(), [](const FontFace& a, const FontFace& b) {
    return DistanceFromPlain(a) < DistanceFromPlain(b);
  });
  std::rotate(faces.begin(), plain, plain + 1);
  std::stable_sort(faces.begin() + 1, faces.end(), [](const FontFace& a, const FontFace& b) {
    return std::make_tuple(std::abs(a.GetWidth() - kNormalWidth), a.GetWeight(), a.IsItalic()) <
           std::make_tuple(std::abs(b.GetWidth() - kNormalWidth), b.GetWeight(), b.IsItalic());
  });
  family.regularFace = 0;
}

}  // namespace

const FontCatalog& FontCatalog::Get() {
  static const FontCatalog catalog;
  return catalog;
}

FontCatalog::FontCatalog() : config_(LoadConfig()) {
  for (Entry& entry : ListEntries(config_)) {
    WideString family = WideFromUtf8(entry.family);
    if (families_.empty() || families_.back().name != family) families_.push_back({family, {}, 0});
    families_.back().faces.emplace_back(std::move(family), WideFromUtf8(entry.style), std::move(entry.file),
                                        entry.index, entry.weight, entry.italic, entry.width);
  }
  for (FontFamilyInfo& family : families_)
    OrderFaces(family);
  std::sort(families_.begin(), families_.end(),
            [](const FontFamilyInfo& a, const FontFamilyInfo& b) { return a.name < b.name; });
}

FontCatalog::~FontCatalog() {
  if (config_) FcConfigDestroy(config_);
}

const FontFamilyInfo* FontCatalog::FindFamily(std::u16string_view name) const {
  auto it = std::lower_bound(families_.begin(), families_.end(), name,
                             [](const FontFamilyInfo& f, std::u16string_view n) { return f.name < n; });
  return it != families_.end() && it->name == name ? &*it : nullptr;
}

const FontFace* FontCatalog::FindFace(std::u16string_view familyName, std::u16string_view face) const {
  const FontFamilyInfo* family = FindFamily(familyName);
  if (!family) return nullptr;
  for (const auto& f : family->faces) {
    if (f.GetFaceName() == face) return &f;
  }
  return nullptr;
}

const FontFace* FontCatalog::FindByFullName(std::u16string_view name) const {
  for (const auto& family : families_) {
    for (const auto& face : family.faces) {
      if (face.GetFullName() == name || face.GetPostScriptName() == name) return &face;
    }
  }
  return nullptr;
}

const FontFace* FontCatalog::FindVariant(const FontFace& face, int32_t bits) const {
  const FontFamilyInfo* family = FindFamily(face.GetFamilyName());
  if (!family) return nullptr;
  bool bold = (bits & 1) != 0;
  bool italic = (bits & 2) != 0;
  int32_t weight = bold == face.IsBold() ? face.GetWeight() : (bold ? kBoldWeight : kRegularWeight);
  for (const auto& f : family->faces) {
    if (f.GetWidth() == face.GetWidth() && f.IsItalic() == italic && f.GetWeight() == weight) return &f;
  }
  return nullptr;
}

const FontFace* FontCatalog::FindFile(const std::string& path, int32_t index) const {
  for (const auto& family : families_) {
    for (const auto& face : family.faces) {
      if (face.GetFileIndex() == index && face.GetFilePath() == path) return &face;
    }
  }
  return nullptr;
}

const FontFace* FontCatalog::FirstUsable() const {
  for (const auto& family : families_) {
    for (const auto& face : family.faces) {
      if (face.IsUsable()) return &face;
    }
  }
  return &inert_;
}

const FontFace* FontCatalog::Substitute(std::u16string_view family, std::u16string_view face) const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::u16string key = std::u16string(family) + u'\n' + std::u16string(face);
  if (auto known = substitutes_.find(key); known != substitutes_.end()) return known->second;
  const FontFace* chosen = nullptr;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(Utf8FromWide(family).c_str()));
  if (!face.empty())
    FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8*>(Utf8FromWide(face).c_str()));
  if (config_ && FcConfigSubstitute(config_, pattern, FcMatchPattern)) {
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    // In fontconfig's order of preference, the first face whose file still reads.
    FcFontSet* sorted = FcFontSort(config_, pattern, FcFalse, nullptr, &result);
    for (int i = 0; sorted && i < sorted->nfont && !chosen; ++i) {
      const FontFace* candidate =
          FindFile(StringOf(sorted->fonts[i], FC_FILE), IntOf(sorted->fonts[i], FC_INDEX, 0));
      if (candidate && candidate->IsUsable()) chosen = candidate;
    }
    if (sorted) FcFontSetDestroy(sorted);
  }
  FcPatternDestroy(pattern);
  if (!chosen) chosen = FirstUsable();
  substitutes_.emplace(std::move(key), chosen);
  return chosen;
}

const FontFace* FontCatalog::DefaultFace() const {
  return Substitute(u"serif", u"");
}
