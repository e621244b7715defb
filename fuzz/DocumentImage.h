// A document file taken apart into its header fields and blocks of bytes (each implementation's data and
// each shared value), so that a fuzzer can change one field or one block and put the file together again
// with its sizes, table offset and checksum matching. Only files with a table (format 2 and later) are
// taken apart.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "host/db/Crc32.h"
#include "host/db/DocumentFileFormat.h"

namespace fuzz_support {

class DocumentImage {
 public:
  struct Block {
    uint32_t id;  // the implementation ID, or the shared value's kind
    std::vector<uint8_t> bytes;
  };
  struct Object {
    uint32_t uid;
    uint32_t cls;
    std::vector<Block> implementations;
  };

  uint32_t version = 0;
  uint32_t fields[4] = {};  // flags, next UID, root UID, object count
  std::vector<Object> objects;
  std::vector<Block> values;

  // Empty when `bytes` is no well-formed file with a table.
  static std::optional<DocumentImage> Parse(std::span<const uint8_t> bytes) {
    using namespace DocumentFileFormat;
    Cursor in{bytes};
    DocumentImage image;
    if (bytes.size() < kHeaderSize + kTrailerSize || std::memcmp(bytes.data(), kSignature, 8) != 0)
      return std::nullopt;
    in.at = 8;
    image.version = in.Get32();
    for (uint32_t& field : image.fields)
      field = in.Get32();
    uint64_t tableOffset = in.Get32() | uint64_t{in.Get32()} << 32;
    if (image.version <= kVersionWithoutSharedValues || image.fields[3] > bytes.size()) return std::nullopt;
    for (uint32_t i = 0; i < image.fields[3] && in.ok; ++i) {
      Object object{in.Get32(), in.Get32(), {}};
      uint32_t count = in.Get32();
      for (uint32_t k = 0; k < count && in.ok; ++k)
        object.implementations.push_back(in.GetBlock());
      image.objects.push_back(std::move(object));
    }
    if (!in.ok || in.at != tableOffset) return std::nullopt;
    uint32_t count = in.Get32();
    for (uint32_t i = 0; i < count && in.ok; ++i)
      image.values.push_back(in.GetBlock());
    if (!in.ok || in.at + kTrailerSize != bytes.size()) return std::nullopt;
    return image;
  }

  std::vector<uint8_t> Serialize() const {
    using namespace DocumentFileFormat;
    std::vector<uint8_t> out(std::begin(kSignature), std::end(kSignature));
    Put32(out, version);
    for (uint32_t field : fields)
      Put32(out, field);
    size_t offsetAt = out.size();
    Put32(out, 0);
    Put32(out, 0);
    for (const Object& object : objects) {
      Put32(out, object.uid);
      Put32(out, object.cls);
      Put32(out, static_cast<uint32_t>(object.implementations.size()));
      for (const Block& block : object.implementations)
        PutBlock(out, block);
    }
    auto offset = static_cast<uint32_t>(out.size());
    for (int i = 0; i < 4; ++i)
      out[offsetAt + i] = static_cast<uint8_t>(offset >> (8 * i));
    Put32(out, static_cast<uint32_t>(values.size()));
    for (const Block& block : values)
      PutBlock(out, block);
    out.insert(out.end(), std::begin(kEndMark), std::end(kEndMark));
    Put32(out, Crc32(out));
    return out;
  }

  // Every block of bytes: the implementations' data, then the shared values.
  std::vector<std::vector<uint8_t>*> Blocks() {
    std::vector<std::vector<uint8_t>*> all;
    for (Object& object : objects) {
      for (Block& block : object.implementations)
        all.push_back(&block.bytes);
    }
    for (Block& block : values)
      all.push_back(&block.bytes);
    return all;
  }

 private:
  struct Cursor {
    std::span<const uint8_t> bytes;
    size_t at = 0;
    bool ok = true;
    uint32_t Get32() {
      if (bytes.size() - at < 4) {
        ok = false;
        return 0;
      }
      const uint8_t* p = bytes.data() + at;
      at += 4;
      return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
    }
    Block GetBlock() {
      Block block{Get32(), {}};
      uint32_t size = Get32();
      if (!ok || bytes.size() - at < size) {
        ok = false;
        return block;
      }
      block.bytes.assign(bytes.begin() + at, bytes.begin() + at + size);
      at += size;
      return block;
    }
  };

  static void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
      out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  static void PutBlock(std::vector<uint8_t>& out, const Block& block) {
    Put32(out, block.id);
    Put32(out, static_cast<uint32_t>(block.bytes.size()));
    out.insert(out.end(), block.bytes.begin(), block.bytes.end());
  }
};

}  // namespace fuzz_support
