// The document's page setup.
#include "host/layout/PageSetup.h"

#include "host/layout/LayoutStreams.h"

namespace {

bool IsLength(double v) {
  return IsValidCoordinate(v) && v >= 0;
}

}  // namespace

const char* PageSetupValues::Fault() const {
  if (!IsLength(pageWidth) || !IsLength(pageHeight) || pageWidth < 1 || pageHeight < 1)
    return "the page size is out of range";
  if (pagesPerSpread < 1 || pagesPerSpread > kMaxPagesPerSpread)
    return "the pages per spread are out of range";
  if (!IsLength(margins.top) || !IsLength(margins.left) || !IsLength(margins.bottom) ||
      !IsLength(margins.right))
    return "a margin is out of range";
  if (margins.left + margins.right > pageWidth || margins.top + margins.bottom > pageHeight)
    return "the margins are larger than the page";
  if (columns < 1 || columns > kMaxColumns || !IsLength(gutter))
    return "the columns or gutter are out of range";
  if (frameDefaults.columns < 1 || frameDefaults.columns > kMaxColumns || !IsLength(frameDefaults.gutter))
    return "the text frame defaults are out of range";
  return "";
}

void PageSetup::Set(const PageSetupValues& values) {
  if (values == values_) return;
  PreDirty();
  values_ = values;
}

void PageSetup::SetLayoutSuspended(bool suspended) {
  if (suspended == suspended_) return;
  PreDirty();
  suspended_ = suspended;
}

namespace {
constexpr FirstBaseline kByType[] = {FirstBaseline::kLeading,   FirstBaseline::kAscent,
                                     FirstBaseline::kCapHeight, FirstBaseline::kEmBox,
                                     FirstBaseline::kXHeight,   FirstBaseline::kFixed};
}  // namespace

int32_t FirstBaselineType(FirstBaseline kind) {
  for (int32_t type = 0; type < 6; ++type) {
    if (kByType[type] == kind) return type;
  }
  return 1;
}

FirstBaseline FirstBaselineOfType(int32_t type) {
  return type >= 0 && type < 6 ? kByType[type] : FirstBaseline::kAscent;
}

void XferFrameOptions(IPMStream* stream, FrameOptions& o) {
  stream->XferInt32(o.columns);
  stream->XferReal(o.gutter);
  stream->XferReal(o.insets.top);
  stream->XferReal(o.insets.left);
  stream->XferReal(o.insets.bottom);
  stream->XferReal(o.insets.right);
  auto vj = static_cast<uint8_t>(o.verticalJustification);
  stream->XferByte(vj);
  auto fb = static_cast<uint8_t>(o.firstBaseline);
  stream->XferByte(fb);
  // Damaged values fall back to the defaults rather than naming an enumerator that does not exist.
  o.verticalJustification = vj <= 3 ? static_cast<VerticalJustification>(vj) : VerticalJustification::kTop;
  o.firstBaseline = fb <= static_cast<uint8_t>(FirstBaseline::kEmBox) ? static_cast<FirstBaseline>(fb)
                                                                      : FirstBaseline::kAscent;
  stream->XferReal(o.firstBaselineMinimum);
  stream->XferReal(o.paragraphSpacingLimit);
}

void PageSetup::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReal(values_.pageWidth);
  stream->XferReal(values_.pageHeight);
  stream->XferInt32(values_.pagesPerSpread);
  stream->XferBool(values_.facing);
  LayoutStreams::XferMargins(stream, values_.margins);
  stream->XferInt32(values_.columns);
  stream->XferReal(values_.gutter);
  XferFrameOptions(stream, values_.frameDefaults);
  stream->XferBool(suspended_);
}
