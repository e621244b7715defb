// ItemPainter: draws page items with cairo: their fill, stroke and corners in their swatches and tints, the
// pictures they hold, the text of text frames, and (with guides) their edges, under each item's transform.
#pragma once

#include <cairo.h>

#include "host/db/IDataBase.h"

class GlyphFaces;

struct PaintContext {
  cairo_t* cr = nullptr;
  IDataBase* db = nullptr;
  GlyphFaces* faces = nullptr;  // never null while drawing
  bool guides = false;          // draw what a layout view shows besides the page: edges, baselines
};

namespace ItemPainter {

// Draws `item` and everything in it in the spread coordinates cairo's matrix maps; a UID that names no page
// item draws nothing. Leaves the cairo state as it found it.
void DrawItem(const PaintContext& paint, UID item);

}  // namespace ItemPainter
