// Fitting text boxes to their text.
#include "kesto/layout/TextBoxFit.h"

#include <algorithm>

#include "host/compose/StoryComposer.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/ItemLook.h"
#include "host/layout/LayoutUtils.h"
#include "kesto/layout/PictureAttributes.h"

namespace kesto {
namespace {

// How much of the stroke lies inside the frame on each side: half of a centred stroke, all of an inside
// one, nothing of an outside one.
double StrokeInside(IDataBase* db, UID frame) {
  std::optional<GraphicAttribute> weight = ItemLook::EffectiveValue(db, frame, GraphicAttr::kStrokeWeight);
  std::optional<GraphicAttribute> align = ItemLook::EffectiveValue(db, frame, GraphicAttr::kStrokeAlignment);
  double w = weight ? weight->number : 0;
  int32_t alignment = align ? static_cast<int32_t>(align->number) : 0;
  return alignment == 0 ? w / 2 : alignment == 1 ? w : 0;
}

const ComposedFrame* FrameIn(const StoryLayout& layout, UID frame) {
  for (const ComposedFrame& composed : layout.frames)
    if (composed.frame == frame) return &composed;
  return nullptr;
}

}  // namespace

int32_t FitTextBox(XPageItem& frame, const BoxPlacement& placement, bool keepOwnSize) {
  IDataBase* db = frame.DataBase();
  auto text = Instantiate<ITextFrame>(db, frame.GetUID());
  if (!text) return kFitGeneral;
  FrameOptions options = text->GetOptions();
  if (placement.fitWidth || placement.fitWidthAlternate || placement.fitHeightAlternate ||
      options.columns > 1)
    return kFitTooComplex;
  const StoryLayout* layout = StoryComposer::GetLayout(db, LayoutUtils::StoryOfFrame(db, frame.GetUID()));
  const ComposedFrame* composed = layout ? FrameIn(*layout, frame.GetUID()) : nullptr;
  if (!composed || layout->length <= 1) return kFitEmpty;
  if (layout->IsOverset()) return kFitTooLarge;
  PMRect bounds = frame.GetBounds();
  double needed = 2 * placement.heightDelta + std::max(2.0, composed->textHeight) +
                  2 * StrokeInside(db, frame.GetUID()) + options.insets.top + options.insets.bottom;
  double limit = keepOwnSize ? bounds.Height() : kMaxCoordinate;
  if (placement.heightLimit > 0) limit = std::min(limit, placement.heightLimit);
  if (needed > limit) return kFitTooLarge;
  bounds.bottom = bounds.top + needed;
  return frame.SetBounds(bounds) ? 0 : kFitGeneral;
}

}  // namespace kesto
