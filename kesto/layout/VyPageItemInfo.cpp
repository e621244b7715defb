// Resetting box description records, applying them to page items and reading them back.
#include "kesto/layout/VyPageItemInfo.h"

#include "host/layout/IPageItem.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/LayoutIDs.h"
#include "kesto/layout/VyPageItem.h"

namespace kesto {
namespace {

FrameOptions OptionsOf(const XPageItem& item) {
  auto frame = Instantiate<ITextFrame>(item.DataBase(), item.GetUID());
  return frame ? frame->GetOptions() : FrameOptions();
}

// Runs one frame-option command with `options` when `wanted`; answers the host's refusal as an error.
int32_t SetOption(XPageItem& item, ClassID cls, const FrameOptions& options, bool wanted) {
  if (!wanted) return 0;
  LayoutParams params;
  params.options = options;
  return item.Run(cls, params);
}

}  // namespace

bool VyTextWrap::AnySet() const {
  for (double offset : offsets)
    if (IsSet(offset)) return true;
  return mode != 11 || side != 6 || invert != kUnsetSwitch || pathIndex != -1 ||
         insideEdges != kUnsetSwitch || IsSet(threshold) || IsSet(tolerance);
}

// --- The general part

void VyBasePageItemInfo::Reset() {
  kind = kBoxEmpty;
  shape = kShapeRectangle;
  bounds = {};
}

void VyBasePageItemInfo::ReadFrom(const XPageItem& item) {
  if (!item.IsValid()) return;
  bounds = item.GetBounds();
  kind = item.IsTextFrame() ? kBoxText : kind;
}

int32_t VyBasePageItemInfo::ApplyTo(XPageItem&) const {
  return 0;
}

// --- Frame, fill, transform and wrap

void VyPageItemInfo::Reset() {
  VyBasePageItemInfo::Reset();
  static_cast<VyPageItemInfo&>(*this) = VyPageItemInfo();
}

void VyPageItemInfo::ReadFrom(const XPageItem& item) {
  VyBasePageItemInfo::ReadFrom(item);
  auto data = Instantiate<IPageItem>(item.DataBase(), item.GetUID());
  if (!data) return;
  const ItemTransform& t = data->GetTransform();
  rotation = t.rotation;
  skew = t.skew;
  flipHorizontal = t.flipHorizontal;
  flipVertical = t.flipVertical;
  locked = data->IsLocked();
}

int32_t VyPageItemInfo::ApplyTo(XPageItem& item) const {
  int32_t result = VyBasePageItemInfo::ApplyTo(item);
  for (int32_t step :
       {ApplyObjectStyle(item), ApplyGraphicAttributes(item), ApplyTransform(item), ApplyTextWrap(item)})
    if (result == 0) result = step;
  return result;
}

int32_t VyPageItemInfo::ApplyTransform(XPageItem& item) const {
  bool any = IsSet(rotation) || IsSet(skew) || flipHorizontal != kUnsetByte || flipVertical != kUnsetByte;
  auto data = Instantiate<IPageItem>(item.DataBase(), item.GetUID());
  if (!any || !data) return 0;
  LayoutParams params;
  params.transform = data->GetTransform();
  if (flipHorizontal != kUnsetByte) params.transform.flipHorizontal = flipHorizontal != 0;
  if (flipVertical != kUnsetByte) params.transform.flipVertical = flipVertical != 0;
  if (IsSet(skew)) params.transform.skew = skew;
  if (IsSet(rotation)) params.transform.rotation = rotation;
  if (params.transform == data->GetTransform()) return 0;
  return item.Run(kTransformItemsCmdBoss, params);
}

int32_t VyPageItemInfo::ApplyObjectStyle(XPageItem&) const {
  return 0;
}

int32_t VyPageItemInfo::ApplyGraphicAttributes(XPageItem&) const {
  return 0;
}

int32_t VyPageItemInfo::ApplyTextWrap(XPageItem&) const {
  return 0;
}

// --- Text frames

void VyTextItemInfo::Reset() {
  VyPageItemInfo::Reset();
  static_cast<VyTextItemInfo&>(*this) = VyTextItemInfo();
}

void VyTextItemInfo::ReadFrom(const XPageItem& item) {
  VyPageItemInfo::ReadFrom(item);
  if (!item.IsTextFrame()) return;
  FrameOptions options = OptionsOf(item);
  columns = options.columns;
  gutter = options.gutter;
  insets = {options.insets.left, options.insets.top, options.insets.right, options.insets.bottom};
  firstBaselineType = FirstBaselineType(options.firstBaseline);
  verticalJustification = static_cast<int32_t>(options.verticalJustification);
  firstBaselineMinimum = options.firstBaselineMinimum;
  paragraphSpacingLimit = options.paragraphSpacingLimit;
}

int32_t VyTextItemInfo::ApplyTo(XPageItem& item) const {
  int32_t result = VyPageItemInfo::ApplyTo(item);
  if (!item.IsTextFrame()) return result;
  FrameOptions options = OptionsOf(item);
  if (columns != kUnsetCount) options.columns = columns;
  if (IsSet(gutter)) options.gutter = gutter;
  if (verticalJustification >= 0 && verticalJustification <= 3)
    options.verticalJustification = static_cast<VerticalJustification>(verticalJustification);
  if (IsSet(paragraphSpacingLimit)) options.paragraphSpacingLimit = paragraphSpacingLimit;
  if (firstBaselineType >= 0 && firstBaselineType <= 5)
    options.firstBaseline = FirstBaselineOfType(firstBaselineType);
  if (IsSet(firstBaselineMinimum)) options.firstBaselineMinimum = firstBaselineMinimum;
  // A frame that is not a rectangle takes its left inset on every side.
  bool rectangle = shape != kShapeOval;
  auto side = [&](int i) { return rectangle ? insets[i] : insets[0]; };
  bool anyInset = false;
  double* targets[4] = {&options.insets.left, &options.insets.top, &options.insets.right,
                        &options.insets.bottom};
  for (int i = 0; i < 4; ++i) {
    if (!IsSet(side(i))) continue;
    *targets[i] = side(i);
    anyInset = true;
  }
  int32_t steps[] = {
      SetOption(item, kSetFrameColumnsCmdBoss, options, columns != kUnsetCount || IsSet(gutter)),
      SetOption(item, kSetVerticalJustificationCmdBoss, options, verticalJustification != 4),
      SetOption(item, kSetParagraphSpacingLimitCmdBoss, options, IsSet(paragraphSpacingLimit)),
      SetOption(item, kSetFirstBaselineCmdBoss, options,
                firstBaselineType != 6 || IsSet(firstBaselineMinimum)),
      SetOption(item, kSetFrameInsetsCmdBoss, options, anyInset),
  };
  for (int32_t step : steps)
    if (result == 0) result = step;
  return result;
}

// --- Picture frames

void VyImageItemInfo::Reset() {
  VyPageItemInfo::Reset();
  static_cast<VyImageItemInfo&>(*this) = VyImageItemInfo();
}

int32_t VyImageItemInfo::ApplyTo(XPageItem& item) const {
  int32_t result = VyPageItemInfo::ApplyTo(item);
  int32_t picture = ApplyPicture(item);
  return result != 0 ? result : picture;
}

int32_t VyImageItemInfo::ApplyPicture(XPageItem&) const {
  return 0;
}

}  // namespace kesto
