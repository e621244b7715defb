// Item outlines for drawing.
#include "host/render/ItemPath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ItemPath {
namespace {

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180;
}

// One corner of a box: the corner point and the unit directions along its two edges, pointing into the box.
struct Corner {
  double x, y;
  double ax, ay;  // along the edge the path arrives on, from the corner
  double bx, by;  // along the edge the path leaves on
};

void AppendCorner(cairo_t* cr, const Corner& c, CornerEffect effect, double r) {
  double inX = c.x + c.ax * r, inY = c.y + c.ay * r;
  double outX = c.x + c.bx * r, outY = c.y + c.by * r;
  cairo_line_to(cr, inX, inY);
  switch (effect) {
    case CornerEffect::kRounded:
    case CornerEffect::kFancy:  // drawn as a rounded corner: the fancy curl is decoration of the same size
      cairo_curve_to(cr, inX - c.ax * r * 0.5523, inY - c.ay * r * 0.5523, outX - c.bx * r * 0.5523,
                     outY - c.by * r * 0.5523, outX, outY);
      break;
    case CornerEffect::kInverseRounded:
      cairo_curve_to(cr, inX + c.bx * r * 0.5523, inY + c.by * r * 0.5523, outX + c.ax * r * 0.5523,
                     outY + c.ay * r * 0.5523, outX, outY);
      break;
    case CornerEffect::kInset:
      cairo_line_to(cr, inX + c.bx * r, inY + c.by * r);
      cairo_line_to(cr, outX, outY);
      break;
    case CornerEffect::kBevel:
    case CornerEffect::kNone:
      cairo_line_to(cr, outX, outY);
      break;
  }
}

}  // namespace

cairo_matrix_t TransformMatrix(const PMRect& bounds, const ItemTransform& t) {
  PMPoint c = bounds.Center();
  cairo_matrix_t m, step;
  cairo_matrix_init_translate(&m, -c.x, -c.y);
  cairo_matrix_init_scale(&step, t.scaleX * (t.flipHorizontal ? -1 : 1),
                          t.scaleY * (t.flipVertical ? -1 : 1));
  cairo_matrix_multiply(&m, &m, &step);
  cairo_matrix_init(&step, 1, 0, -std::tan(Radians(t.skew)), 1, 0, 0);
  cairo_matrix_multiply(&m, &m, &step);
  double cosA = std::cos(Radians(t.rotation)), sinA = std::sin(Radians(t.rotation));
  cairo_matrix_init(&step, cosA, -sinA, sinA, cosA, 0, 0);
  cairo_matrix_multiply(&m, &m, &step);
  cairo_matrix_init_translate(&step, c.x, c.y);
  cairo_matrix_multiply(&m, &m, &step);
  return m;
}

void Append(cairo_t* cr, const PMRect& b, ItemShape shape, CornerEffect corner, double cornerSize) {
  if (shape == ItemShape::kLine) {
    cairo_move_to(cr, b.left, b.top);
    cairo_line_to(cr, b.right, b.bottom);
    return;
  }
  if (shape == ItemShape::kOval) {
    if (b.Width() <= 0 || b.Height() <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, b.Center().x, b.Center().y);
    cairo_scale(cr, b.Width() / 2, b.Height() / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
    return;
  }
  double r = std::isfinite(cornerSize) ? std::clamp(cornerSize, 0.0, std::min(b.Width(), b.Height()) / 2) : 0;
  if (corner == CornerEffect::kNone || r <= 0) {
    cairo_rectangle(cr, b.left, b.top, b.Width(), b.Height());
    return;
  }
  cairo_move_to(cr, b.left + r, b.top);
  AppendCorner(cr, {b.right, b.top, -1, 0, 0, 1}, corner, r);
  AppendCorner(cr, {b.right, b.bottom, 0, -1, -1, 0}, corner, r);
  AppendCorner(cr, {b.left, b.bottom, 1, 0, 0, -1}, corner, r);
  AppendCorner(cr, {b.left, b.top, 0, 1, 1, 0}, corner, r);
  cairo_close_path(cr);
}

}  // namespace ItemPath
