// Font faces: their files opened through FreeType, their metrics and HarfBuzz fonts.
#include "host/res/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

#include <mutex>

namespace {

// One FreeType library for the process, held by every open face so that it outlives them all.
std::shared_ptr<FT_LibraryRec_> Library() {
  static std::mutex mutex;
  static std::weak_ptr<FT_LibraryRec_> shared;
  std::lock_guard<std::mutex> lock(mutex);
  if (auto library = shared.lock()) return library;
  FT_Library raw = nullptr;
  if (FT_Init_FreeType(&raw) != 0) return nullptr;
  std::shared_ptr<FT_LibraryRec_> library(raw, [](FT_Library l) { FT_Done_FreeType(l); });
  shared = library;
  return library;
}

// The height of the glyph for `c` above the baseline, for faces whose tables do not give it.
int32_t GlyphTop(FT_Face face, char32_t c, int32_t fallback) {
  if (FT_Load_Char(face, c, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0) return fallback;
  return static_cast<int32_t>(face->glyph->metrics.horiBearingY);
}

FontMetrics ReadMetrics(FT_Face face) {
  FontMetrics m;
  m.unitsPerEm = face->units_per_EM;
  m.ascender = face->ascender;
  m.descender = -face->descender;
  m.underlinePosition = face->underline_position;
  m.underlineThickness = face->underline_thickness;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  bool hasHeights = os2 && os2->version >= 2 && os2->sCapHeight > 0 && os2->sxHeight > 0;
  m.capHeight = hasHeights ? os2->sCapHeight : GlyphTop(face, U'H', m.unitsPerEm * 7 / 10);
  m.xHeight = hasHeights ? os2->sxHeight : GlyphTop(face, U'x', m.unitsPerEm / 2);
  m.strikeoutPosition = os2 && os2->yStrikeoutSize > 0 ? os2->yStrikeoutPosition : m.xHeight / 2;
  m.strikeoutThickness = os2 && os2->yStrikeoutSize > 0 ? os2->yStrikeoutSize : m.underlineThickness;
  return m;
}

// The plain metrics of a face that cannot be read.
const FontMetrics kPlainMetrics;

}  // namespace

struct FontFace::Loaded {
  std::shared_ptr<FT_LibraryRec_> library;
  FT_Face face = nullptr;
  hb_font_t* font = nullptr;
  FontMetrics metrics;

  ~Loaded() {
    if (font) hb_font_destroy(font);
    if (face) FT_Done_Face(face);
  }
};

FontFace::FontFace(WideString family, WideString face, std::string filePath, int32_t fileIndex,
                   int32_t weight, bool italic, int32_t width)
    : family_(std::move(family)),
      face_(std::move(face)),
      filePath_(std::move(filePath)),
      fileIndex_(fileIndex),
      weight_(weight),
      italic_(italic),
      width_(width) {}

FontFace::FontFace() = default;
FontFace::FontFace(FontFace&&) noexcept = default;
FontFace& FontFace::operator=(FontFace&&) noexcept = default;
FontFace::~FontFace() = default;

const FontFace::Loaded* FontFace::Load() const {
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);
  if (tried_) return loaded_.get();
  tried_ = true;
  if (filePath_.empty()) return nullptr;
  auto loaded = std::make_unique<Loaded>();
  loaded->library = Library();
  if (!loaded->library) return nullptr;
  if (FT_New_Face(loaded->library.get(), filePath_.c_str(), fileIndex_, &loaded->face) != 0) {
    loaded->face = nullptr;
    return nullptr;
  }
  // Only outline faces with an em measure: bitmap-only or broken files count as missing.
  if (!FT_IS_SCALABLE(loaded->face) || loaded->face->units_per_EM == 0 || loaded->face->num_glyphs <= 0)
    return nullptr;
  loaded->metrics = ReadMetrics(loaded->face);
  hb_face_t* shapingFace = hb_ft_face_create_referenced(loaded->face);
  loaded->font = hb_font_create(shapingFace);
  hb_face_destroy(shapingFace);
  // HarfBuzz's own table readers at design-unit scale: advances and kerning unhinted, as composition needs.
  int upem = static_cast<int>(loaded->metrics.unitsPerEm);
  hb_font_set_scale(loaded->font, upem, upem);
  loaded_ = std::move(loaded);
  return loaded_.get();
}

bool FontFace::IsUsable() const {
  return Load() != nullptr;
}

bool FontFace::IsMonospaced() const {
  const Loaded* loaded = Load();
  return loaded && FT_IS_FIXED_WIDTH(loaded->face);
}

const FontMetrics& FontFace::GetMetrics() const {
  const Loaded* loaded = Load();
  return loaded ? loaded->metrics : kPlainMetrics;
}

hb_font_t* FontFace::GetShapingFont() const {
  const Loaded* loaded = Load();
  return loaded ? loaded->font : nullptr;
}

double FontFace::GetAdvance(char32_t c) const {
  hb_font_t* font = GetShapingFont();
  hb_codepoint_t glyph = 0;
  if (!font || !hb_font_get_nominal_glyph(font, c, &glyph)) return 0;
  return ToThousandths(hb_font_get_glyph_h_advance(font, glyph));
}

WideString FontFace::GetPostScriptName() const {
  WideString name;
  for (char16_t c : family_) {
    if (c != u' ') name.push_back(c);
  }
  name.push_back(u'-');
  for (char16_t c : face_) {
    if (c != u' ') name.push_back(c);
  }
  return name;
}
