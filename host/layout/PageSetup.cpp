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
  if (PreDirty() != kSuccess) return;
  values_ = values;
}

void PageSetup::SetLayoutSuspended(bool suspended) {
  if (suspended == suspended_) return;
  if (PreDirty() != kSuccess) return;
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
  using namespace LayoutStreams;
  XferInt32In(stream, o.columns, 1, kMaxColumns, "a frame's column count");
  XferLength(stream, o.gutter, "a frame's gutter");
  for (double* inset : {&o.insets.top, &o.insets.left, &o.insets.bottom, &o.insets.right})
    XferLength(stream, *inset, "a frame's inset");
  auto vj = static_cast<uint8_t>(o.verticalJustification);
  stream->XferByte(vj);
  auto fb = static_cast<uint8_t>(o.firstBaseline);
  stream->XferByte(fb);
  // Only enumerators that exist: damaged values never reach the composer's switches.
  if (stream->Expect(vj <= static_cast<uint8_t>(VerticalJustification::kJustify),
                     "a frame's vertical justification is out of range"))
    o.verticalJustification = static_cast<VerticalJustification>(vj);
  if (stream->Expect(fb <= static_cast<uint8_t>(FirstBaseline::kEmBox),
                     "a frame's first baseline is out of range"))
    o.firstBaseline = static_cast<FirstBaseline>(fb);
  XferLength(stream, o.firstBaselineMinimum, "a frame's first baseline minimum");
  XferLength(stream, o.paragraphSpacingLimit, "a frame's paragraph spacing limit");
}

void PageSetup::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferFinite(values_.pageWidth, "the page setup's width");
  stream->XferFinite(values_.pageHeight, "the page setup's height");
  stream->XferInt32(values_.pagesPerSpread);
  stream->XferBool(values_.facing);
  LayoutStreams::XferMargins(stream, values_.margins, "the page setup's margin");
  stream->XferInt32(values_.columns);
  stream->XferFinite(values_.gutter, "the page setup's gutter");
  XferFrameOptions(stream, values_.frameDefaults);
  stream->XferBool(suspended_);
  if (const char* fault = values_.Fault(); *fault)
    stream->MarkDamaged(std::string("in the page setup, ") + fault);
}
