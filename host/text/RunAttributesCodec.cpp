// Compact persistence of run attributes.
#include "host/text/RunAttributesCodec.h"

#include <array>
#include <optional>
#include <type_traits>
#include <unordered_map>

#include "host/db/DocumentFileFormat.h"
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

// A block's own table of lists, for streams without a table of shared values: each distinct list once.
// Equal lists are one object (MakeAttrListRef interns them), so identity finds them. Most blocks meet few
// lists: those are looked up by a linear scan, and a hash index is built only for blocks that meet many.
class ListTable {
 public:
  uint32_t IndexOf(const AttrListRef& list) {
    if (std::optional<uint32_t> known = Known(list.get())) return *known;
    auto index = static_cast<uint32_t>(lists_.size());
    lists_.push_back(list);
    Remember(list.get(), index);
    return index;
  }
  AttrListRef At(uint32_t index) const { return index < lists_.size() ? lists_[index] : nullptr; }
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

// Override lists as entries of a document file's table of shared values.
class SharedLists {
 public:
  explicit SharedLists(ISharedValues& shared) : shared_(shared) {}
  uint32_t IndexOf(const AttrListRef& list) {
    for (const auto& [added, index] : recentAdded_) {
      if (added == list.get()) return index;
    }
    uint32_t index = shared_.Add(kSharedOverrideList, list, [&list](IPMStream& stream) {
      const_cast<AttributeBossList&>(*list).ReadWrite(&stream);
    });
    recentAdded_[nextAdded_++ % recentAdded_.size()] = {list.get(), index};
    return index;
  }
  // Null when the table holds no list at `index`.
  AttrListRef At(uint32_t index) {
    if (last_ && index == lastIndex_) return last_;
    auto value = shared_.Get(kSharedOverrideList, index, [](IPMStream& stream) -> ISharedValues::Value {
      AttributeBossList list;
      list.ReadWrite(&stream);
      return stream.IsGood() ? MakeAttrListRef(std::move(list)) : nullptr;
    });
    last_ = std::static_pointer_cast<const AttributeBossList>(value);
    lastIndex_ = index;
    return last_;
  }

 private:
  // What the table's entries of override lists are marked with.
  static constexpr uint32_t kSharedOverrideList = 1;

  ISharedValues& shared_;
  // Runs next to each other often hold the same list.
  AttrListRef last_;
  uint32_t lastIndex_ = 0;
  // Lists added lately (alive while the entries being written hold them): runs alternate between a few.
  std::array<std::pair<const AttributeBossList*, uint32_t>, 4> recentAdded_{};
  size_t nextAdded_ = 0;
};

template <class Entry>
constexpr size_t kRecordSize = std::is_same_v<Entry, StyledText::CharacterRun> ? 12 : 8;

template <class Entry, class IndexOf>
std::vector<uint32_t> IndexLists(std::vector<Entry>& entries, IndexOf&& indexOf) {
  std::vector<uint32_t> indexes;
  indexes.reserve(entries.size());
  for (Entry& e : entries)
    indexes.push_back(indexOf(AttributesOf(e).overrides));
  return indexes;
}

// The count, then the records (style, list index and, for runs, length) as one block.
template <class Entry>
void WriteRecords(IPMStream* stream, std::vector<Entry>& entries, const std::vector<uint32_t>& indexes) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(entries.size()), kRecordSize<Entry>);
  std::vector<uint8_t> block(size_t{count} * kRecordSize<Entry>);
  uint8_t* record = block.data();
  for (size_t i = 0; i < count; ++i, record += kRecordSize<Entry>) {
    Put32(record, AttributesOf(entries[i]).style.Get());
    Put32(record + 4, indexes[i]);
    if constexpr (kRecordSize<Entry> == 12) Put32(record + 8, static_cast<uint32_t>(entries[i].length));
  }
  stream->XferBytes(block.data(), block.size());
}

// `listAt` answers the list of an index, null for none; a record naming none fails the stream.
template <class Entry, class ListAt>
void ReadRecords(IPMStream* stream, std::vector<Entry>& entries, ListAt&& listAt) {
  uint32_t count = stream->XferCount(0, kRecordSize<Entry>);
  std::vector<uint8_t> block(size_t{count} * kRecordSize<Entry>);
  stream->XferBytes(block.data(), block.size());
  entries.assign(stream->IsGood() ? count : 0, Entry());
  for (uint32_t i = 0; i < entries.size(); ++i) {
    const uint8_t* record = block.data() + i * kRecordSize<Entry>;
    AttrListRef list = listAt(Get32(record + 4));
    if (!list) {
      stream->SetState(IPMStream::State::kFailure);
      entries.clear();
      return;
    }
    AttributesOf(entries[i]) = {UID(Get32(record)), std::move(list)};
    if constexpr (kRecordSize<Entry> == 12) entries[i].length = static_cast<int32_t>(Get32(record + 8));
  }
}

// In a document file's objects the records name lists of the file's table; elsewhere the block's own table
// of lists comes first.
template <class Entry>
void XferEntries(IPMStream* stream, std::vector<Entry>& entries) {
  if (ISharedValues* shared = stream->GetSharedValues()) {
    SharedLists lists(*shared);
    if (stream->IsWriting()) {
      WriteRecords(stream, entries,
                   IndexLists(entries, [&](const AttrListRef& l) { return lists.IndexOf(l); }));
    } else {
      ReadRecords(stream, entries, [&](uint32_t index) { return lists.At(index); });
    }
    return;
  }
  ListTable table;
  if (stream->IsWriting()) {
    std::vector<uint32_t> indexes =
        IndexLists(entries, [&](const AttrListRef& l) { return table.IndexOf(l); });
    table.Xfer(stream);
    WriteRecords(stream, entries, indexes);
  } else {
    table.Xfer(stream);
    ReadRecords(stream, entries, [&](uint32_t index) { return table.At(index); });
  }
}

}  // namespace

void XferParagraphRuns(IPMStream* stream, ParagraphRuns& runs, int32_t limit) {
  if (stream->IsReading() && stream->GetFormatVersion() <= DocumentFileFormat::kVersionWithoutParagraphRuns) {
    std::vector<StyledText::Attributes> records;
    XferEntries(stream, records);
    runs.Assign(records);
    return;
  }
  // A run's record with the number of paragraphs that take it, in a run record's shape.
  std::vector<StyledText::CharacterRun> counted;
  counted.reserve(runs.CountRuns());
  runs.ForEachRun([&](int32_t count, const StyledText::Attributes& record) {
    counted.push_back({count, record});
  });
  XferEntries(stream, counted);
  if (stream->IsWriting()) return;
  runs = ParagraphRuns();
  int32_t total = 0;
  for (StyledText::CharacterRun& run : counted) {
    if (run.length <= 0 || run.length > limit - total) {
      runs = ParagraphRuns();
      stream->SetState(IPMStream::State::kFailure);
      return;
    }
    total += run.length;
    runs.Append(std::move(run.attributes), run.length);
  }
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
