// Spreads and master spreads.
#include "host/layout/Spread.h"

#include "host/layout/LayoutStreams.h"

using namespace LayoutStreams;

UID Spread::GetNthPage(int32_t index) const {
  return At(pages_, index);
}
int32_t Spread::IndexOfPage(UID page) const {
  return IndexIn(pages_, page);
}

void Spread::InsertPage(UID page, int32_t at) {
  if (!page.IsValid() || IndexIn(pages_, page) >= 0) return;
  if (PreDirty() != kSuccess) return;
  InsertAt(pages_, page, at);
}

void Spread::RemovePage(UID page) {
  if (IndexIn(pages_, page) < 0) return;
  if (PreDirty() != kSuccess) return;
  std::erase(pages_, page);
}

void Spread::SetPagePosition(int32_t position) {
  if (position == pagePosition_) return;
  if (PreDirty() != kSuccess) return;
  pagePosition_ = position;
}

void Spread::ReadWrite(IPMStream* stream, ImplementationID) {
  XferUIDs(stream, pages_);
  XferInt32In(stream, pagePosition_, -1, INT32_MAX, "a spread's page position");
}

void MasterSpread::SetPrefixAndName(const WideString& prefix, const WideString& name) {
  if (prefix == prefix_ && name == name_) return;
  if (PreDirty() != kSuccess) return;
  prefix_ = prefix;
  name_ = name;
}

void MasterSpread::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferString(prefix_);
  stream->XferString(name_);
}
