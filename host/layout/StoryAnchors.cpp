// The items anchored in a story.
#include "host/layout/StoryAnchors.h"

#include <algorithm>

#include "host/db/IPMStream.h"

namespace {

auto FirstAtOrAfter(const std::vector<Anchor>& anchors, int32_t index) {
  return std::lower_bound(anchors.begin(), anchors.end(), index,
                          [](const Anchor& a, int32_t i) { return a.index < i; });
}

}  // namespace

const Anchor* StoryAnchors::AnchorAt(int32_t index) const {
  auto it = FirstAtOrAfter(anchors_, index);
  return it != anchors_.end() && it->index == index ? &*it : nullptr;
}

void StoryAnchors::AddAnchor(const Anchor& anchor) {
  auto it = FirstAtOrAfter(anchors_, anchor.index);
  if (it != anchors_.end() && it->index == anchor.index) return;
  if (PreDirty() != kSuccess) return;
  anchors_.insert(it, anchor);
}

void StoryAnchors::RemoveAnchor(UID item) {
  auto it = std::find_if(anchors_.begin(), anchors_.end(), [&](const Anchor& a) { return a.item == item; });
  if (it == anchors_.end()) return;
  if (PreDirty() != kSuccess) return;
  anchors_.erase(it);
}

std::vector<UID> StoryAnchors::NoteTextEdit(int32_t position, int32_t deleted, int32_t inserted) {
  std::vector<UID> gone;
  auto first = FirstAtOrAfter(anchors_, position);
  if (first == anchors_.end()) return gone;
  // An edit that keeps the length and deletes no anchor moves none.
  if (deleted == inserted && first->index >= position + deleted) return gone;
  if (PreDirty() != kSuccess) return gone;
  auto last = FirstAtOrAfter(anchors_, position + deleted);
  for (auto it = first; it != last; ++it)
    gone.push_back(it->item);
  auto rest = anchors_.erase(first, last);
  for (; rest != anchors_.end(); ++rest)
    rest->index += inserted - deleted;
  return gone;
}

void StoryAnchors::ReadWrite(IPMStream* stream, ImplementationID) {
  // An index, a reference and a kind.
  uint32_t count = stream->XferCount(static_cast<uint32_t>(anchors_.size()), 9);
  if (stream->IsReading()) anchors_.assign(count, Anchor());
  int32_t previous = -1;
  for (Anchor& a : anchors_) {
    stream->XferInt32(a.index);
    // Lookups search by index: the anchors stay in ascending order, one per index.
    stream->Expect(a.index > previous, "a story's anchors are out of order");
    previous = a.index;
    stream->XferReference(a.item);
    auto kind = static_cast<uint8_t>(a.kind);
    stream->XferByte(kind);
    if (stream->Expect(kind < kAnchorKindCount, "an anchored item's kind is out of range"))
      a.kind = static_cast<AnchorKind>(kind);
  }
}
