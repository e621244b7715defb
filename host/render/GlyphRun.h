// GlyphRun: the glyphs of one piece of a composed line as the shaper placed them, with the text each cluster
// of glyphs stands for, so that a PDF's text reads back as the story's.
#pragma once

#include <cairo.h>

#include <string>
#include <string_view>
#include <vector>

#include "host/compose/RunFont.h"
#include "host/render/GlyphFaces.h"

class GlyphRun {
 public:
  // Shapes `text` in `font` with its pen starting at (`x`, `baseline`) in user space (y downward).
  static GlyphRun Shape(const RunFont& font, std::u16string_view text, double x, double baseline);

  // Draws the glyphs in the current source with `font`'s face, size and scales; nothing when its file
  // cannot be loaded.
  void Draw(cairo_t* cr, GlyphFaces& faces, const RunFont& font, double verticalScale) const;
  // A rule `thickness` thick centred on `y`, under the run's whole advance.
  void DrawRule(cairo_t* cr, double y, double thickness) const;
  // Where the pen stands after the run.
  double EndX() const { return endX_; }

 private:
  std::vector<cairo_glyph_t> glyphs_;
  std::string utf8_;
  // Clusters in glyph order; empty when the glyphs cannot be mapped back to the text in order.
  std::vector<cairo_text_cluster_t> clusters_;
  double startX_ = 0;
  double endX_ = 0;
};
