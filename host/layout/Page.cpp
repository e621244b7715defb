// Pages.
#include "host/layout/Page.h"

#include "host/layout/LayoutStreams.h"

void Page::SetSpread(UID spread) {
  if (spread == spread_) return;
  PreDirty();
  spread_ = spread;
}

void Page::SetSize(double width, double height) {
  if (width == width_ && height == height_) return;
  PreDirty();
  width_ = width;
  height_ = height;
}

void Page::SetMargins(const Margins& margins) {
  if (margins == margins_) return;
  PreDirty();
  margins_ = margins;
}

void Page::SetColumns(int32_t columns, double gutter) {
  if (columns == columns_ && gutter == gutter_) return;
  PreDirty();
  columns_ = columns;
  gutter_ = gutter;
}

void Page::SetMasterSpread(UID master) {
  if (master == master_) return;
  PreDirty();
  master_ = master;
}

void Page::SetOverrides(std::vector<OverrideEntry> overrides) {
  if (overrides == overrides_) return;
  PreDirty();
  overrides_ = std::move(overrides);
}

void Page::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(spread_);
  stream->XferReal(width_);
  stream->XferReal(height_);
  LayoutStreams::XferMargins(stream, margins_);
  stream->XferInt32(columns_);
  stream->XferReal(gutter_);
  stream->XferReference(master_);
  uint32_t count = stream->XferCount(static_cast<uint32_t>(overrides_.size()), 8);
  if (stream->IsReading()) overrides_.assign(count, OverrideEntry());
  for (OverrideEntry& e : overrides_) {
    stream->XferReference(e.masterItem);
    stream->XferReference(e.localItem);
  }
}
