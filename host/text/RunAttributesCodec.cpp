// Compact persistence of run attributes.
#include "host/text/RunAttributesCodec.h"

#include <algorithm>
#include <optional>
#include <type_traits>
#include <unordered_map>

#include "host/db/IPMStream.h"

namespace RunAttributesCodec {
namespace {

void Put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t Get32(const uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

StyledText::Attributes& AttributesOf(StyledText::Attributes& a) {
  return a;
}
StyledText::Attributes& AttributesOf(StyledText::CharacterRun& r) {
  return r.attributes;
}

class ListTable {
 public:
  // Runs often hold equal lists that are separate objects (each attribute command makes its own); equal
  // lists among the last few distinct ones are written once, so that a block's stream form, which every
  // undo snapshot writes, stays small. The window bounds the value comparisons for blocks of many
  // distinct lists. Most blocks meet few list objects: those are looked up by a linear scan, and a hash
  // index is built only for blocks that meet many.
  uint32_t IndexOf(const AttrListRef& list) {
    if (std::optional<uint32_t> known = Known(list.get())) return *known;
    constexpr size_t kWindow = 8;
    uint32_t index = static_cast<uint32_t>(lists_.size());
    for (size_t back = 1; back <= std::min(kWindow, lists_.size()); ++back) {
      if (*lists_[lists_.size() - back] == *list) {
        index = static_cast<uint32_t>(lists_.size() - back);
        break;
      }
    }
    if (index == lists_.size()) lists_.push_back(list);
    Remember(list.get(), index);
    return index;
  }
  const AttrListRef* At(uint32_t index) const { return index < lists_.size() ? &lists_[index] : nullptr; }
  void Xfer(IPMStream* stream) {
    constexpr size_t kSmallestList = 4;
    uint32_t count = stream->XferCount(static_cast<uint32_t>(lists_.size()), kSmallestList);
    if (stream->IsWriting()) {
      for (const AttrListRef& list : lists_)
        const_cast<AttributeBossList&>(*list).ReadWrite(stream);
      return;
    }
    lists_.clear();
    for (uint32_t i = 0; i < count && stream->IsGood(); ++i) {
      AttributeBossList list;
      list.ReadWrite(stream);
      lists_.push_back(MakeAttrListRef(std::move(list)));
    }
  }

 private:
  static constexpr size_t kLinearObjects = 128;

  std::optional<uint32_t> Known(const AttributeBossList* object) const {
    if (!index_.empty()) {
      auto it = index_.find(object);
      return it == index_.end() ? std::nullopt : std::optional<uint32_t>(it->second);
    }
    for (const auto& [seen, index] : seen_) {
      if (seen == object) return index;
    }
    return std::nullopt;
  }
  void Remember(const AttributeBossList* object, uint32_t index) {
    if (index_.empty() && seen_.size() < kLinearObjects) {
      seen_.emplace_back(object, index);
      return;
    }
    if (index_.empty()) index_.insert(seen_.begin(), seen_.end());
    index_.emplace(object, index);
  }

  std::vector<AttrListRef> lists_;
  std::vector<std::pair<const AttributeBossList*, uint32_t>> seen_;  // list objects met, with their index
  std::unordered_map<const AttributeBossList*, uint32_t> index_;     // the same, once there are many
};

template <class Entry>
void XferEntries(IPMStream* stream, std::vector<Entry>& entries) {
  constexpr bool kWithLength = std::is_same_v<Entry, StyledText::CharacterRun>;
  constexpr size_t kRecordSize = kWithLength ? 12 : 8;
  ListTable table;
  std::vector<uint32_t> indexes;
  if (stream->IsWriting()) {
    indexes.reserve(entries.size());
    for (Entry& e : entries)
      indexes.push_back(table.IndexOf(AttributesOf(e).overrides));
  }
  table.Xfer(stream);
  uint32_t count = stream->XferCount(static_cast<uint32_t>(entries.size()), kRecordSize);
  std::vector<uint8_t> block(size_t{count} * kRecordSize);
  if (stream->IsWriting()) {
    for (uint32_t i = 0; i < count; ++i) {
      uint8_t* record = block.data() + i * kRecordSize;
      Put32(record, AttributesOf(entries[i]).style.Get());
      Put32(record + 4, indexes[i]);
      if constexpr (kWithLength) Put32(record + 8, static_cast<uint32_t>(entries[i].length));
    }
    stream->XferBytes(block.data(), block.size());
    return;
  }
  stream->XferBytes(block.data(), block.size());
  entries.assign(stream->IsGood() ? count : 0, Entry());
  for (uint32_t i = 0; i < entries.size(); ++i) {
    const uint8_t* record = block.data() + i * kRecordSize;
    const AttrListRef* list = table.At(Get32(record + 4));
    if (!list) {
      stream->SetState(IPMStream::State::kFailure);
      entries.clear();
      return;
    }
    AttributesOf(entries[i]) = {UID(Get32(record)), *list};
    if constexpr (kWithLength) entries[i].length = static_cast<int32_t>(Get32(record + 8));
  }
}

}  // namespace

void XferParagraphs(IPMStream* stream, std::vector<StyledText::Attributes>& paragraphs) {
  XferEntries(stream, paragraphs);
}

void XferRuns(IPMStream* stream, std::vector<StyledText::CharacterRun>& runs) {
  XferEntries(stream, runs);
}

void XferUIDs(IPMStream* stream, std::vector<UID>& uids) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(uids.size()), 4);
  std::vector<uint8_t> block(size_t{count} * 4);
  if (stream->IsWriting()) {
    for (uint32_t i = 0; i < count; ++i)
      Put32(block.data() + 4 * i, uids[i].Get());
  }
  stream->XferBytes(block.data(), block.size());
  if (stream->IsWriting()) return;
  uids.assign(stream->IsGood() ? count : 0, UID());
  for (uint32_t i = 0; i < uids.size(); ++i)
    uids[i] = UID(Get32(block.data() + 4 * i));
}

}  // namespace RunAttributesCodec
