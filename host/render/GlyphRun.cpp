// Shaped glyphs for drawing.
#include "host/render/GlyphRun.h"

#include <algorithm>
#include <cmath>

#include "host/compose/TextShaper.h"
#include "host/core/WideString.h"

namespace {

// Glyphs larger than this many device pixels (em diagonal) are drawn as outlines rather than cached bitmaps.
constexpr double kMaxCachedGlyphPixels = 1024;

double Limited(double v, double low, double high) {
  return std::isfinite(v) ? std::clamp(v, low, high) : low;
}

// Characters that take part in composition but print nothing: controls (the return, tabs, breaks), the
// marks of anchored items, and the line and paragraph separators.
bool PrintsNothing(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char16_t c) { return c < 0x20 || c == 0xFEFF || c == 0x2028 || c == 0x2029; });
}

bool InTextOrder(const ShapedText& shaped, size_t length) {
  for (size_t i = 0; i < shaped.glyphs.size(); ++i) {
    int32_t cluster = shaped.glyphs[i].cluster;
    if (cluster < 0 || static_cast<size_t>(cluster) >= length ||
        (i > 0 && cluster < shaped.glyphs[i - 1].cluster))
      return false;
  }
  return !shaped.glyphs.empty();
}

}  // namespace

GlyphRun GlyphRun::Shape(const RunFont& font, std::u16string_view text, double x, double baseline) {
  GlyphRun run;
  run.startX_ = run.endX_ = x;
  ShapedText shaped = ShapeText(font, text);
  bool mapped = InTextOrder(shaped, text.size());
  const auto& glyphs = shaped.glyphs;
  for (size_t first = 0; first < glyphs.size();) {
    // One cluster: the glyphs sharing a cluster value and the text up to the next cluster's.
    size_t last = first;
    while (last < glyphs.size() && glyphs[last].cluster == glyphs[first].cluster)
      ++last;
    size_t from = first == 0 ? 0 : glyphs[first].cluster;
    size_t to = last < glyphs.size() ? glyphs[last].cluster : text.size();
    std::u16string_view chars = mapped ? text.substr(from, to - from) : std::u16string_view();
    bool prints = !mapped || !PrintsNothing(chars);
    for (size_t i = first; i < last; ++i) {
      if (prints)
        run.glyphs_.push_back({glyphs[i].glyph, run.endX_ + glyphs[i].xOffset, baseline - glyphs[i].yOffset});
      run.endX_ += glyphs[i].advance;
    }
    if (mapped && prints) {
      std::string bytes = Utf8FromWide(chars);
      run.utf8_ += bytes;
      run.clusters_.push_back({static_cast<int>(bytes.size()), static_cast<int>(last - first)});
    }
    first = last;
  }
  if (!mapped) run.clusters_.clear();
  return run;
}

void GlyphRun::Draw(cairo_t* cr, GlyphFaces& faces, const RunFont& font, double verticalScale) const {
  if (glyphs_.empty() || !font.face) return;
  cairo_font_face_t* face = faces.Find(font.face->GetFilePath(), font.face->GetFileIndex());
  if (!face) return;
  cairo_set_font_face(cr, face);
  cairo_matrix_t size;
  cairo_matrix_init_scale(&size,
                          Limited(font.pointSize, kMinPointSize, kMaxPointSize) *
                              Limited(font.horizontalScale, kMinHorizontalScale, kMaxHorizontalScale),
                          Limited(font.pointSize, kMinPointSize, kMaxPointSize) *
                              Limited(verticalScale, kMinHorizontalScale, kMaxHorizontalScale));
  cairo_set_font_matrix(cr, &size);
  double emX = 1, emY = 1;
  cairo_user_to_device_distance(cr, &emX, &emY);
  bool raster = cairo_surface_get_type(cairo_get_target(cr)) == CAIRO_SURFACE_TYPE_IMAGE;
  if (raster && std::hypot(size.xx, size.yy) * std::hypot(emX, emY) > kMaxCachedGlyphPixels) {
    // Glyphs this large would each fill a cached bitmap of their own: draw their outlines instead.
    cairo_new_path(cr);
    cairo_glyph_path(cr, glyphs_.data(), static_cast<int>(glyphs_.size()));
    cairo_fill(cr);
    return;
  }
  if (clusters_.empty()) {
    cairo_show_glyphs(cr, glyphs_.data(), static_cast<int>(glyphs_.size()));
    return;
  }
  cairo_show_text_glyphs(cr, utf8_.data(), static_cast<int>(utf8_.size()), glyphs_.data(),
                         static_cast<int>(glyphs_.size()), clusters_.data(),
                         static_cast<int>(clusters_.size()), cairo_text_cluster_flags_t(0));
}

void GlyphRun::DrawRule(cairo_t* cr, double y, double thickness) const {
  if (endX_ <= startX_) return;
  cairo_rectangle(cr, startX_, y - thickness / 2, endX_ - startX_, thickness);
  cairo_fill(cr);
}
