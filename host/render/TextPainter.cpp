// Drawing composed text.
#include "host/render/TextPainter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "host/compose/RunFont.h"
#include "host/compose/StoryComposer.h"
#include "host/core/InterfacePtr.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/LayoutUtils.h"
#include "host/render/GlyphRun.h"
#include "host/render/ParagraphRules.h"
#include "host/render/RenderColor.h"
#include "host/res/SwatchUtils.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextModel.h"

namespace TextPainter {
namespace {

// What a character run looks like beyond its font.
struct RunLook {
  RunFont font;
  std::optional<RgbColor> color;
  bool underline = false;
  bool strikeThrough = false;
  double baselineShift = 0;
  double verticalScale = 1;
};

RunLook LookAt(const ITextModel* model, int32_t position) {
  AttributeResolver::Place place = AttributeResolver::PlaceAt(model, position);
  RunLook look;
  look.font = ResolveRunFont(place);
  auto color = AttributeResolver::Resolve(place, kTextAttrFillColor);
  const UID* swatch = color ? std::get_if<UID>(&color->value) : nullptr;
  double shade = ResolveNumber(place, kTextAttrShade, -1);
  // Text without a colour of its own prints in black.
  InterfacePtr<ISwatchList> swatches = SwatchUtils::QuerySwatchList(place.db);
  UID colorUID = swatch && swatch->IsValid() ? *swatch
                 : swatches                  ? swatches->GetBlackSwatchUID()
                                             : kInvalidUID;
  look.color = RenderColor::OfSwatch(place.db, colorUID, shade < 0 ? 100 : shade);
  look.underline = ResolveNumber(place, kTextAttrUnderline) != 0;
  look.strikeThrough = ResolveNumber(place, kTextAttrStrikeThrough) != 0;
  look.baselineShift = ResolveNumber(place, kTextAttrBaselineShift);
  look.verticalScale = ResolveNumber(place, kTextAttrVerticalScale, 1);
  return look;
}

// Draws [start, end) of one line, all in one character run, from `x`; answers the x after it.
double DrawRun(const PaintContext& paint, GlyphFaces& faces, const ITextModel& model, int32_t start,
               int32_t end, double x, double baseline) {
  RunLook look = LookAt(&model, start);
  std::u16string text = model.GetText(start, end);
  // The return or break that ends a line stands for no glyph.
  while (!text.empty() && text.back() < 0x20 && text.back() != u'\t')
    text.pop_back();
  if (text.empty() || !look.font.face) return x;
  double y = baseline - look.baselineShift;
  GlyphRun run = GlyphRun::Shape(look.font, text, x, y);
  if (look.color) {
    cairo_set_source_rgb(paint.cr, look.color->red, look.color->green, look.color->blue);
    run.Draw(paint.cr, faces, look.font, look.verticalScale);
    double size = look.font.pointSize;
    double thickness = std::max(size / 20, 0.25);
    if (look.underline) run.DrawRule(paint.cr, y + size * 0.12, thickness);
    if (look.strikeThrough)
      run.DrawRule(paint.cr, y - std::max(look.font.XHeight() / 2, size * 0.25), thickness);
  }
  return run.EndX();
}

void DrawLine(const PaintContext& paint, GlyphFaces& faces, const ITextModel& model,
              const ComposedLine& line) {
  double x = line.x;
  model.VisitRuns(TextStrand::kCharacter, line.start, line.end, [&](const TextRun& run) {
    int32_t from = std::max(run.start, line.start), to = std::min(run.end, line.end);
    if (from < to) x = DrawRun(paint, faces, model, from, to, x, line.baseline);
    return true;
  });
}

void DrawBaselines(cairo_t* cr, const ComposedFrame& composed, const PMRect& bounds,
                   const FrameOptions& options) {
  cairo_save(cr);
  cairo_set_source_rgb(cr, 0.9, 0.5, 0.7);
  for (const ComposedLine& line : composed.lines) {
    cairo_move_to(cr, options.insets.left, line.baseline);
    cairo_line_to(cr, bounds.Width() - options.insets.right, line.baseline);
  }
  cairo_identity_matrix(cr);
  cairo_set_line_width(cr, 0.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

void DrawFrameText(const PaintContext& paint, UID frame, const PMRect& bounds) {
  UID story = LayoutUtils::StoryOfFrame(paint.db, frame);
  InterfacePtr<ITextModel> model =
      story.IsValid() ? Instantiate<ITextModel>(paint.db, story) : InterfacePtr<ITextModel>();
  InterfacePtr<ITextFrame> textFrame = Instantiate<ITextFrame>(paint.db, frame);
  const StoryLayout* layout = model ? StoryComposer::GetLayout(paint.db, story) : nullptr;
  int32_t index = LayoutUtils::FrameIndex(paint.db, frame);
  if (!layout || !textFrame || index < 0 || index >= static_cast<int32_t>(layout->frames.size())) return;
  const ComposedFrame& composed = layout->frames[index];
  cairo_save(paint.cr);
  cairo_translate(paint.cr, bounds.left, bounds.top);
  ParagraphRules::Draw(paint.cr, *model, composed, bounds, textFrame->GetOptions());
  GlyphFaces& faces = *paint.faces;
  for (const ComposedLine& line : composed.lines)
    DrawLine(paint, faces, *model, line);
  if (paint.guides) DrawBaselines(paint.cr, composed, bounds, textFrame->GetOptions());
  cairo_restore(paint.cr);
}

void DrawOversetMark(const PaintContext& paint, UID frame, const PMRect& bounds) {
  UID story = LayoutUtils::StoryOfFrame(paint.db, frame);
  const StoryLayout* layout = story.IsValid() ? StoryComposer::GetLayout(paint.db, story) : nullptr;
  int32_t index = LayoutUtils::FrameIndex(paint.db, frame);
  if (!layout || !layout->IsOverset() || index + 1 != static_cast<int32_t>(layout->frames.size())) return;
  double side = std::min({8.0, bounds.Width(), bounds.Height()});
  if (side <= 0) return;
  cairo_t* cr = paint.cr;
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, bounds.right - side, bounds.bottom - side, side, side);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.85, 0, 0);
  cairo_move_to(cr, bounds.right - side * 0.8, bounds.bottom - side / 2);
  cairo_line_to(cr, bounds.right - side * 0.2, bounds.bottom - side / 2);
  cairo_move_to(cr, bounds.right - side / 2, bounds.bottom - side * 0.8);
  cairo_line_to(cr, bounds.right - side / 2, bounds.bottom - side * 0.2);
  cairo_set_line_width(cr, side / 8);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace TextPainter
