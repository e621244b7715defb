// VyMemoryXferBytes: a growable block of bytes behind a host stream, used to carry clipboard text into
// an import. Writes append to the block; reads start at the beginning and follow a read position.
#pragma once

#include <cstdint>

#include "host/db/IXferBytes.h"

namespace kesto {

class VyMemoryXferBytes final : public IXferBytes {
 public:
  // Longest block; a write that would pass it is refused.
  static constexpr uint32_t kMaxLength = 0xFFFFFFFD;
  static constexpr uint32_t kMinGrowth = 256;
  static constexpr uint32_t kLargeGrowth = 1u << 20;

  // The block grows in multiples of `growthStep` (at least kMinGrowth; kLargeGrowth once it holds more than
  // that). With `keepSize`, Flush leaves the spare room in place.
  explicit VyMemoryXferBytes(uint32_t growthStep = 0, bool keepSize = false);
  VyMemoryXferBytes(const VyMemoryXferBytes&) = delete;
  VyMemoryXferBytes& operator=(const VyMemoryXferBytes&) = delete;
  ~VyMemoryXferBytes() override;

  // Reading past the end sets the end flag.
  size_t Read(void* bytes, size_t count) override;
  // Appends; answers 0 (and sets kFailure) when the block cannot grow enough, keeping what it held.
  size_t Write(const void* bytes, size_t count) override;
  // Seeks the read position and clears the end flag.
  int64_t Seek(int64_t offset, SeekFrom from) override;
  int64_t Tell() const override { return position_; }
  // Trims the block to its length, unless made with keepSize.
  void Flush() override;
  State GetState() const override;

  const uint8_t* Data() const { return data_; }
  uint32_t Length() const { return length_; }
  uint32_t Capacity() const { return capacity_; }
  bool AtEnd() const { return atEnd_; }

 private:
  // Capacity for `length` bytes under the growth rule.
  uint64_t CapacityFor(uint64_t length) const;

  uint8_t* data_ = nullptr;
  uint32_t capacity_ = 0;
  uint32_t length_ = 0;
  uint32_t position_ = 0;
  uint32_t growthStep_;
  bool atEnd_ = false;
  bool keepSize_;
  bool failed_ = false;
};

}  // namespace kesto
