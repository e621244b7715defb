// Plug-ins' data on page items.
#include "host/layout/ItemPlugInData.h"

#include <algorithm>

#include "host/db/IPMStream.h"

namespace {

auto FirstAtOrAfter(const std::vector<std::pair<uint32_t, PlugInBytes>>& blocks, uint32_t id) {
  return std::lower_bound(blocks.begin(), blocks.end(), id,
                          [](const auto& block, uint32_t i) { return block.first < i; });
}

}  // namespace

const PlugInBytes* ItemPlugInData::Get(uint32_t id) const {
  auto it = FirstAtOrAfter(blocks_, id);
  return it != blocks_.end() && it->first == id ? &it->second : nullptr;
}

void ItemPlugInData::Set(uint32_t id, const PlugInBytes& bytes) {
  if (PreDirty() != kSuccess) return;
  auto it = blocks_.begin() + (FirstAtOrAfter(blocks_, id) - blocks_.cbegin());
  if (it != blocks_.end() && it->first == id) {
    it->second = bytes;
  } else {
    blocks_.emplace(it, id, bytes);
  }
}

void ItemPlugInData::Remove(uint32_t id) {
  auto it = FirstAtOrAfter(blocks_, id);
  if (it == blocks_.end() || it->first != id) return;
  if (PreDirty() != kSuccess) return;
  blocks_.erase(it);
}

void ItemPlugInData::ReadWrite(IPMStream* stream, ImplementationID) {
  // An ID and a byte count, then the bytes.
  uint32_t count = stream->XferCount(static_cast<uint32_t>(blocks_.size()), 8);
  if (stream->IsReading()) blocks_.assign(count, {});
  uint32_t previous = 0;
  for (size_t i = 0; i < blocks_.size(); ++i) {
    auto& [id, bytes] = blocks_[i];
    stream->XferUInt32(id);
    // Lookups search by ID: the blocks stay in ascending order, one per ID.
    stream->Expect(i == 0 || id > previous, "an item's plug-in data is out of order");
    previous = id;
    uint32_t size = stream->XferCount(static_cast<uint32_t>(bytes.size()));
    if (!stream->Expect(size <= kMaxPlugInBytes, "an item's plug-in data is too long")) size = 0;
    if (stream->IsReading()) bytes.assign(size, 0);
    if (size > 0) stream->XferBytes(bytes.data(), size);
  }
}
