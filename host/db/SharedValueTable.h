// SharedValueTable: the table of shared values of one document file (see ISharedValues): filled while the
// objects are written and then written after them, or read before the objects are and then asked for
// values by index as they are read.
//
// Stream form: count (u32), then per value its kind (u32), byte count (u32) and bytes.
#pragma once

#include <unordered_map>
#include <vector>

#include "host/db/IPMStream.h"

class SharedValueTable final : public ISharedValues {
 public:
  uint32_t Add(uint32_t kind, const Value& value, const Writer& write) override;
  Value Get(uint32_t kind, uint32_t index, const Reader& read) override;

  // Writes the values added so far.
  void Write(IPMStream& stream);
  // Reads a table written by Write; false (the stream marked failed) when it is damaged or longer than what
  // the stream has left. Nothing is made of a value until it is asked for.
  bool Read(IPMStream& stream);

  size_t Count() const { return entries_.size(); }

 private:
  struct Entry {
    uint32_t kind;
    size_t offset;  // of the value's bytes in bytes_
    size_t size;
    Value value;  // writing: the value, held so that its identity stays unique; reading: once made
  };

  std::vector<Entry> entries_;
  std::vector<uint8_t> bytes_;                       // every value's bytes, one after the other
  std::unordered_map<const void*, uint32_t> index_;  // writing: the index of each value added
};
