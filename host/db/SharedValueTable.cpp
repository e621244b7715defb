// The table of shared values of a document file.
#include "host/db/SharedValueTable.h"

#include "host/db/MemoryStream.h"

// A value's own bytes may name other shared values; those are added first and get the lower indexes.
uint32_t SharedValueTable::Add(uint32_t kind, const Value& value, const Writer& write) {
  if (auto known = index_.find(value.get()); known != index_.end()) return known->second;
  MemoryWriteStream out;
  out.SetSharedValues(this);
  write(out);
  auto index = static_cast<uint32_t>(entries_.size());
  entries_.push_back({kind, bytes_.size(), out.Bytes().size(), value});
  bytes_.insert(bytes_.end(), out.Bytes().begin(), out.Bytes().end());
  index_.emplace(value.get(), index);
  return index;
}

ISharedValues::Value SharedValueTable::Get(uint32_t kind, uint32_t index, const Reader& read) {
  if (index >= entries_.size() || entries_[index].kind != kind) return nullptr;
  Entry& entry = entries_[index];
  if (!entry.value) {
    MemoryReadStream in(std::span<const uint8_t>(bytes_).subspan(entry.offset, entry.size));
    in.SetSharedValues(this);
    Value made = read(in);
    if (in.IsGood() && in.Remaining() == 0) entry.value = std::move(made);
  }
  return entry.value;
}

void SharedValueTable::Write(IPMStream& stream) {
  auto count = static_cast<uint32_t>(entries_.size());
  stream.XferUInt32(count);
  for (const Entry& entry : entries_) {
    uint32_t kind = entry.kind;
    auto size = static_cast<uint32_t>(entry.size);
    stream.XferUInt32(kind);
    stream.XferUInt32(size);
    stream.XferBytes(bytes_.data() + entry.offset, entry.size);
  }
}

bool SharedValueTable::Read(IPMStream& stream) {
  constexpr size_t kSmallestEntry = 8;
  entries_.clear();
  bytes_.clear();
  uint32_t count = stream.XferCount(0, kSmallestEntry);
  entries_.reserve(count);
  for (uint32_t i = 0; i < count && stream.IsGood(); ++i) {
    uint32_t kind = 0;
    stream.XferUInt32(kind);
    uint32_t size = stream.XferCount(0, 1);
    if (!stream.IsGood()) break;
    entries_.push_back({kind, bytes_.size(), size, nullptr});
    bytes_.resize(bytes_.size() + size);
    stream.XferBytes(bytes_.data() + entries_.back().offset, size);
  }
  if (!stream.IsGood()) {
    stream.SetState(IPMStream::State::kFailure);
    entries_.clear();
    bytes_.clear();
    return false;
  }
  return true;
}
