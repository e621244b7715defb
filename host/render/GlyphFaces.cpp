// Cairo font faces of font files.
#include "host/render/GlyphFaces.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

GlyphFaces::~GlyphFaces() {
  for (auto& [file, face] : faces_)
    cairo_font_face_destroy(face);
}

cairo_font_face_t* GlyphFaces::Find(const std::string& file, int32_t index) {
  std::pair<std::string, int32_t> key(file, index);
  if (key.first.empty()) return nullptr;
  auto found = faces_.find(key);
  if (found != faces_.end()) return found->second;
  // The pattern names the file alone, so that fontconfig substitutes nothing: the glyph ids are that file's.
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(key.first.c_str()));
  FcPatternAddInteger(pattern, FC_INDEX, key.second);
  cairo_font_face_t* made = cairo_ft_font_face_create_for_pattern(pattern);
  FcPatternDestroy(pattern);
  if (cairo_font_face_status(made) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(made);
    made = nullptr;
  }
  faces_.emplace(std::move(key), made);
  return made;
}
