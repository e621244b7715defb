// Drawing page items.
#include "host/render/ItemPainter.h"

#include <algorithm>
#include <cmath>

#include "host/core/InterfacePtr.h"
#include "host/layout/IHierarchy.h"
#include "host/layout/IPageItem.h"
#include "host/layout/ItemLook.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/PictureIDs.h"
#include "host/render/ItemPath.h"
#include "host/render/PicturePainter.h"
#include "host/render/RenderColor.h"
#include "host/render/TextPainter.h"
#include "host/res/IStrokeStyle.h"

namespace ItemPainter {
namespace {

// Items deeper than this (groups in groups) are not drawn: the host refuses such trees, and a damaged one
// must not exhaust the stack.
constexpr int kMaxDrawDepth = 64;
// The widest stroke drawn, in points: wider ones are drawn this wide.
constexpr double kMaxStrokeWeight = 1000;

struct ItemLookValues {
  std::optional<RgbColor> fill;
  std::optional<RgbColor> stroke;
  std::optional<RgbColor> gap;
  double weight = 0;
  StrokeAlignment alignment = StrokeAlignment::kCenter;
  EndCap cap = EndCap::kButt;
  CornerEffect corner = CornerEffect::kNone;
  double cornerSize = 0;
  UID strokeStyle;
};

double Number(const IDataBase* db, UID item, GraphicAttr cls, double fallback) {
  auto value = ItemLook::EffectiveValue(db, item, cls);
  return value && std::isfinite(value->number) ? value->number : fallback;
}

UID Ref(const IDataBase* db, UID item, GraphicAttr cls) {
  auto value = ItemLook::EffectiveValue(db, item, cls);
  return value ? value->ref : kInvalidUID;
}

std::optional<RgbColor> Color(const IDataBase* db, UID item, GraphicAttr color, GraphicAttr tint) {
  UID swatch = Ref(db, item, color);
  return swatch.IsValid() ? RenderColor::OfSwatch(db, swatch, EffectiveTint(Number(db, item, tint, 100)))
                          : std::nullopt;
}

ItemLookValues LookOf(const IDataBase* db, UID item) {
  ItemLookValues look;
  look.fill = Color(db, item, GraphicAttr::kFillColor, GraphicAttr::kFillTint);
  look.stroke = Color(db, item, GraphicAttr::kStrokeColor, GraphicAttr::kStrokeTint);
  look.gap = Color(db, item, GraphicAttr::kGapColor, GraphicAttr::kGapTint);
  look.weight = std::clamp(Number(db, item, GraphicAttr::kStrokeWeight, 0), 0.0, kMaxStrokeWeight);
  look.alignment = static_cast<StrokeAlignment>(Number(db, item, GraphicAttr::kStrokeAlignment, 0));
  look.cap = static_cast<EndCap>(Number(db, item, GraphicAttr::kEndCap, 0));
  look.corner = static_cast<CornerEffect>(Number(db, item, GraphicAttr::kCornerEffect, 0));
  look.cornerSize = Number(db, item, GraphicAttr::kCornerSize, 0);
  look.strokeStyle = Ref(db, item, GraphicAttr::kStrokeType);
  return look;
}

ItemShape ShapeOf(ClassID cls) {
  if (cls == kOvalBoss) return ItemShape::kOval;
  if (cls == kLineBoss) return ItemShape::kLine;
  return ItemShape::kBox;
}

void SetSource(cairo_t* cr, const RgbColor& color) {
  cairo_set_source_rgb(cr, color.red, color.green, color.blue);
}

// Dashes and dots of the stroke style, in stroke weights; a solid (or striped) style draws solid.
void SetDash(cairo_t* cr, const IDataBase* db, UID style, double weight) {
  InterfacePtr<IStrokeStyle> s =
      style.IsValid() ? Instantiate<IStrokeStyle>(db, style) : InterfacePtr<IStrokeStyle>();
  if (!s || weight <= 0) return;
  const std::vector<double>& pattern = s->GetPattern();
  if (!IsValidStrokePattern(s->GetKind(), pattern)) return;
  std::vector<double> dashes;
  if (s->GetKind() == StrokeKind::kDashed) {
    for (double length : pattern)
      dashes.push_back(length * weight);
  } else if (s->GetKind() == StrokeKind::kDotted) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    dashes = {0, pattern[0] * weight};
  }
  if (!dashes.empty()) cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
}

void SetCap(cairo_t* cr, EndCap cap) {
  cairo_set_line_cap(cr, cap == EndCap::kRound        ? CAIRO_LINE_CAP_ROUND
                         : cap == EndCap::kProjecting ? CAIRO_LINE_CAP_SQUARE
                                                      : CAIRO_LINE_CAP_BUTT);
}

// Strokes the current path (kept) as the item's alignment says: inside or outside the outline by drawing
// twice the weight clipped to that side.
void Stroke(cairo_t* cr, const IDataBase* db, const ItemLookValues& look, ItemShape shape) {
  if (!look.stroke || look.weight <= 0) return;
  cairo_save(cr);
  bool aligned = shape != ItemShape::kLine && look.alignment != StrokeAlignment::kCenter;
  if (aligned) {
    cairo_path_t* path = cairo_copy_path(cr);
    if (look.alignment == StrokeAlignment::kOutside) {
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      double big = 4 * kMaxCoordinate;
      cairo_rectangle(cr, -big, -big, 2 * big, 2 * big);
    }
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
  }
  cairo_set_line_width(cr, look.weight * (aligned ? 2 : 1));
  SetCap(cr, look.cap);
  if (look.gap) {
    SetSource(cr, *look.gap);
    cairo_stroke_preserve(cr);
  }
  SetDash(cr, db, look.strokeStyle, look.weight);
  SetSource(cr, *look.stroke);
  cairo_stroke_preserve(cr);
  cairo_restore(cr);
}

void DrawEdges(cairo_t* cr, const PMRect& bounds, ItemShape shape) {
  cairo_save(cr);
  cairo_new_path(cr);
  ItemPath::Append(cr, bounds, shape, CornerEffect::kNone, 0);
  cairo_identity_matrix(cr);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgb(cr, 0.3, 0.45, 0.9);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Draw(const PaintContext& paint, UID item, int depth);

void DrawContent(const PaintContext& paint, UID item, ClassID cls, const PMRect& bounds, int depth) {
  if (cls == kTextFrameBoss) TextPainter::DrawFrameText(paint, item, bounds);
  if (cls == kImageItemBoss) PicturePainter::DrawPicture(paint.cr, paint.db, item, bounds);
  InterfacePtr<IHierarchy> hierarchy = Instantiate<IHierarchy>(paint.db, item);
  bool empty = !hierarchy || hierarchy->GetChildren().empty();
  // An empty frame meant for a picture is marked in a layout view only; it prints nothing.
  if (paint.guides && cls == kGraphicFrameBoss && empty) {
    InterfacePtr<IPageItem> frame = Instantiate<IPageItem>(paint.db, item);
    if (frame && frame->HasGraphicContent()) PicturePainter::DrawPlaceholder(paint.cr, bounds);
  }
  if (!hierarchy) return;
  for (UID child : hierarchy->GetChildren())
    Draw(paint, child, depth + 1);
}

void Draw(const PaintContext& paint, UID item, int depth) {
  InterfacePtr<IPageItem> pageItem =
      paint.db->IsValidUID(item) ? Instantiate<IPageItem>(paint.db, item) : InterfacePtr<IPageItem>();
  if (!pageItem || depth > kMaxDrawDepth) return;
  const PMRect& bounds = pageItem->GetBounds();
  if (!bounds.IsValid() || !pageItem->GetTransform().IsValid()) return;
  cairo_t* cr = paint.cr;
  ClassID cls = paint.db->GetClass(item);
  ItemShape shape = ShapeOf(cls);
  ItemLookValues look = LookOf(paint.db, item);
  cairo_save(cr);
  cairo_matrix_t matrix = ItemPath::TransformMatrix(bounds, pageItem->GetTransform());
  cairo_transform(cr, &matrix);
  cairo_new_path(cr);
  ItemPath::Append(cr, bounds, shape, look.corner, look.cornerSize);
  if (look.fill && shape != ItemShape::kLine) {
    SetSource(cr, *look.fill);
    cairo_fill_preserve(cr);
  }
  if (shape != ItemShape::kLine && cls != kGroupBoss) {
    // What an item holds shows only inside its outline.
    cairo_save(cr);
    cairo_clip(cr);
    DrawContent(paint, item, cls, bounds, depth);
    cairo_restore(cr);
    ItemPath::Append(cr, bounds, shape, look.corner, look.cornerSize);
  } else {
    cairo_new_path(cr);
    DrawContent(paint, item, cls, bounds, depth);
    ItemPath::Append(cr, bounds, shape, look.corner, look.cornerSize);
  }
  Stroke(cr, paint.db, look, shape);
  if (paint.guides && cls != kGroupBoss && cls != kImageItemBoss) DrawEdges(cr, bounds, shape);
  if (cls == kTextFrameBoss) TextPainter::DrawOversetMark(paint, item, bounds);
  cairo_new_path(cr);
  cairo_restore(cr);
}

}  // namespace

void DrawItem(const PaintContext& paint, UID item) {
  Draw(paint, item, 0);
}

}  // namespace ItemPainter
