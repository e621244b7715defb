// ItemPath: the outline of a page item as a cairo path, and the matrix of its transform.
#pragma once

#include <cairo.h>

#include "host/layout/Geometry.h"
#include "host/layout/GraphicAttributes.h"

// How a page item's outline is drawn.
enum class ItemShape { kBox, kOval, kLine };

namespace ItemPath {

// The matrix that maps an item's untransformed bounds to where its transform puts them (scale and flips,
// then skew along x, then rotation counter-clockwise, about the centre of `bounds`).
cairo_matrix_t TransformMatrix(const PMRect& bounds, const ItemTransform& transform);
// Appends the outline of `bounds` to the current path: a box with `corner` effect of `cornerSize` points
// (limited to half the shorter side), an ellipse filling the box, or a line from the top-left corner to the
// bottom-right one.
void Append(cairo_t* cr, const PMRect& bounds, ItemShape shape, CornerEffect corner, double cornerSize);

}  // namespace ItemPath
