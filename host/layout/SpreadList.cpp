// The document's spreads and master spreads.
#include "host/layout/SpreadList.h"

#include "host/layout/LayoutStreams.h"

using namespace LayoutStreams;

UID SpreadList::GetNthSpread(int32_t index) const {
  return At(spreads_, index);
}
int32_t SpreadList::IndexOfSpread(UID spread) const {
  return IndexIn(spreads_, spread);
}
UID SpreadList::GetNthMasterSpread(int32_t index) const {
  return At(masters_, index);
}
int32_t SpreadList::IndexOfMasterSpread(UID spread) const {
  return IndexIn(masters_, spread);
}

void SpreadList::Insert(std::vector<UID>& list, UID spread, int32_t at) {
  if (!spread.IsValid() || IndexIn(list, spread) >= 0) return;
  if (PreDirty() != kSuccess) return;
  InsertAt(list, spread, at);
}

void SpreadList::Remove(std::vector<UID>& list, UID spread) {
  if (IndexIn(list, spread) < 0) return;
  if (PreDirty() != kSuccess) return;
  std::erase(list, spread);
}

void SpreadList::ReadWrite(IPMStream* stream, ImplementationID) {
  XferUIDs(stream, spreads_);
  XferUIDs(stream, masters_);
}
