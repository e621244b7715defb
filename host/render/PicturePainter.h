// PicturePainter: draws a placed picture's pixels where the renderer can read its file (PNG), and a
// crossed box where it cannot (other formats, a missing or changed file, a proxy).
#pragma once

#include <cairo.h>

#include "host/db/IDataBase.h"
#include "host/layout/Geometry.h"

namespace PicturePainter {

// Draws the picture of the image item `image` scaled to `bounds` (its natural size in the current user
// space); a crossed box when its pixels cannot be drawn.
void DrawPicture(cairo_t* cr, const IDataBase* db, UID image, const PMRect& bounds);
// The crossed box a frame meant for a picture shows while it has none.
void DrawPlaceholder(cairo_t* cr, const PMRect& bounds);

}  // namespace PicturePainter
