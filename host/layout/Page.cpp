// Pages.
#include "host/layout/Page.h"

#include "host/layout/FrameOptions.h"
#include "host/layout/LayoutStreams.h"

void Page::SetSpread(UID spread) {
  if (spread == spread_) return;
  if (PreDirty() != kSuccess) return;
  spread_ = spread;
}

void Page::SetSize(double width, double height) {
  if (width == width_ && height == height_) return;
  if (PreDirty() != kSuccess) return;
  width_ = width;
  height_ = height;
}

void Page::SetMargins(const Margins& margins) {
  if (margins == margins_) return;
  if (PreDirty() != kSuccess) return;
  margins_ = margins;
}

void Page::SetColumns(int32_t columns, double gutter) {
  if (columns == columns_ && gutter == gutter_) return;
  if (PreDirty() != kSuccess) return;
  columns_ = columns;
  gutter_ = gutter;
}

void Page::SetMasterSpread(UID master) {
  if (master == master_) return;
  if (PreDirty() != kSuccess) return;
  master_ = master;
}

void Page::SetOverrides(std::vector<OverrideEntry> overrides) {
  if (overrides == overrides_) return;
  if (PreDirty() != kSuccess) return;
  overrides_ = std::move(overrides);
}

void Page::ReadWrite(IPMStream* stream, ImplementationID) {
  using namespace LayoutStreams;
  stream->XferReference(spread_);
  XferLength(stream, width_, "a page's width");
  XferLength(stream, height_, "a page's height");
  stream->Expect(width_ >= 1 && height_ >= 1, "a page is smaller than a point");
  XferMargins(stream, margins_, "a page's margin");
  XferInt32In(stream, columns_, 1, kMaxColumns, "a page's column count");
  XferLength(stream, gutter_, "a page's gutter");
  stream->XferReference(master_);
  uint32_t count = stream->XferCount(static_cast<uint32_t>(overrides_.size()), 8);
  if (stream->IsReading()) overrides_.assign(count, OverrideEntry());
  for (OverrideEntry& e : overrides_) {
    stream->XferReference(e.masterItem);
    stream->XferReference(e.localItem);
  }
}
