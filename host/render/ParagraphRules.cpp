// Drawing paragraph rules.
#include "host/render/ParagraphRules.h"

#include <algorithm>
#include <cmath>

#include "host/compose/RunFont.h"
#include "host/render/RenderColor.h"
#include "host/text/AttributeClasses.h"
#include "host/text/AttributeResolver.h"

namespace ParagraphRules {
namespace {

// The classes of one rule, above or below.
struct RuleClasses {
  ClassID on, color, weight, tint, offset, leftIndent, rightIndent, widthMode;
  bool above;
};

constexpr RuleClasses kAbove{
    kTextAttrRuleAboveOn,          kTextAttrRuleAboveColor,     kTextAttrRuleAboveWeight,
    kTextAttrRuleAboveTint,        kTextAttrRuleAboveOffset,    kTextAttrRuleAboveLeftIndent,
    kTextAttrRuleAboveRightIndent, kTextAttrRuleAboveWidthMode, true};
constexpr RuleClasses kBelow{
    kTextAttrRuleBelowOn,          kTextAttrRuleBelowColor,     kTextAttrRuleBelowWeight,
    kTextAttrRuleBelowTint,        kTextAttrRuleBelowOffset,    kTextAttrRuleBelowLeftIndent,
    kTextAttrRuleBelowRightIndent, kTextAttrRuleBelowWidthMode, false};
// The heaviest rule drawn, in points.
constexpr double kMaxRuleWeight = 1000;

// The left and right edges of the column holding x.
std::pair<double, double> ColumnAt(double x, const PMRect& bounds, const FrameOptions& o) {
  int32_t columns = std::clamp(o.columns, 1, kMaxColumns);
  double inner = bounds.Width() - o.insets.left - o.insets.right;
  double width = std::max(0.0, (inner - (columns - 1) * o.gutter) / columns);
  double step = width + o.gutter;
  int32_t column =
      step > 0 ? std::clamp(static_cast<int32_t>((x - o.insets.left) / step), 0, columns - 1) : 0;
  double left = o.insets.left + column * step;
  return {left, left + width};
}

void DrawRule(cairo_t* cr, const ITextModel& model, int32_t position, const ComposedLine& line,
              const RuleClasses& rule, const PMRect& bounds, const FrameOptions& options) {
  AttributeResolver::Place place = AttributeResolver::PlaceAt(&model, position, false);
  if (ResolveNumber(place, rule.on) == 0) return;
  auto color = AttributeResolver::Resolve(place, rule.color);
  const UID* swatch = color ? std::get_if<UID>(&color->value) : nullptr;
  double tint = ResolveNumber(place, rule.tint, -1);
  auto rgb = swatch ? RenderColor::OfSwatch(place.db, *swatch, tint < 0 ? 100 : tint) : std::nullopt;
  double weight = std::min(ResolveNumber(place, rule.weight, 1), kMaxRuleWeight);
  double offset = ResolveNumber(place, rule.offset);
  if (!rgb || !(weight > 0) || !std::isfinite(offset)) return;
  auto [left, right] = ColumnAt(line.x, bounds, options);
  if (ResolveNumber(place, rule.widthMode) != 0) left = line.x, right = line.x + line.width;
  left += ResolveNumber(place, rule.leftIndent);
  right -= ResolveNumber(place, rule.rightIndent);
  double top = rule.above ? line.baseline - offset - weight : line.baseline + offset;
  if (!(right > left)) return;
  cairo_save(cr);
  cairo_set_source_rgb(cr, rgb->red, rgb->green, rgb->blue);
  cairo_rectangle(cr, left, top, right - left, weight);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

void Draw(cairo_t* cr, const ITextModel& model, const ComposedFrame& composed, const PMRect& bounds,
          const FrameOptions& options) {
  for (const ComposedLine& line : composed.lines) {
    if (line.end <= line.start) continue;
    TextRun paragraph = model.GetParagraphRun(model.ParagraphIndexAt(line.start));
    if (line.start == paragraph.start) DrawRule(cr, model, line.start, line, kAbove, bounds, options);
    if (line.end >= paragraph.end) DrawRule(cr, model, line.start, line, kBelow, bounds, options);
  }
}

}  // namespace ParagraphRules
