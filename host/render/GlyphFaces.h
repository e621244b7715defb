// GlyphFaces: the cairo font faces of the host's font faces, by font file and index, made once per drawing
// and released with it.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>

class GlyphFaces {
 public:
  GlyphFaces() = default;
  ~GlyphFaces();
  GlyphFaces(const GlyphFaces&) = delete;
  GlyphFaces& operator=(const GlyphFaces&) = delete;

  // The cairo face of face `index` of the font file `file`; null when there is no file or cairo cannot load
  // it (text in it is then not drawn). The cache owns the answer.
  cairo_font_face_t* Find(const std::string& file, int32_t index);

 private:
  std::map<std::pair<std::string, int32_t>, cairo_font_face_t*> faces_;
};
