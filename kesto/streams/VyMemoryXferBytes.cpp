// Growable transfer blocks. Memory comes from malloc so that running out of it is an answer, not an
// exception.
#include "kesto/streams/VyMemoryXferBytes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kesto {

VyMemoryXferBytes::VyMemoryXferBytes(uint32_t growthStep, bool keepSize)
    : growthStep_(std::max(growthStep, kMinGrowth)), keepSize_(keepSize) {}

VyMemoryXferBytes::~VyMemoryXferBytes() {
  std::free(data_);
}

uint64_t VyMemoryXferBytes::CapacityFor(uint64_t length) const {
  uint64_t step = length > kLargeGrowth ? std::max<uint64_t>(growthStep_, kLargeGrowth) : growthStep_;
  return (length + step - 1) / step * step;
}

size_t VyMemoryXferBytes::Read(void* bytes, size_t count) {
  size_t n = std::min<size_t>(count, length_ - position_);
  if (n > 0) std::memcpy(bytes, data_ + position_, n);
  position_ += static_cast<uint32_t>(n);
  if (n < count) atEnd_ = true;
  return n;
}

size_t VyMemoryXferBytes::Write(const void* bytes, size_t count) {
  if (count == 0) return 0;
  if (count > kMaxLength - length_) {
    failed_ = true;
    return 0;
  }
  uint64_t needed = uint64_t{length_} + count;
  if (needed > capacity_) {
    // The last step may round past the longest block; the block is then only as long as it may be.
    uint64_t capacity = std::min<uint64_t>(CapacityFor(needed), kMaxLength);
    auto* grown = static_cast<uint8_t*>(std::realloc(data_, capacity));
    if (!grown) {
      failed_ = true;
      return 0;
    }
    data_ = grown;
    capacity_ = static_cast<uint32_t>(capacity);
  }
  std::memcpy(data_ + length_, bytes, count);
  length_ = static_cast<uint32_t>(needed);
  return count;
}

int64_t VyMemoryXferBytes::Seek(int64_t offset, SeekFrom from) {
  int64_t base = from == SeekFrom::kStart ? 0 : from == SeekFrom::kCurrent ? position_ : length_;
  if (offset < -base || offset > int64_t{length_} - base) return -1;
  position_ = static_cast<uint32_t>(base + offset);
  atEnd_ = false;
  return position_;
}

void VyMemoryXferBytes::Flush() {
  if (keepSize_ || capacity_ == length_) return;
  if (length_ == 0) {
    std::free(data_);
    data_ = nullptr;
    capacity_ = 0;
    return;
  }
  // A failed shrink leaves the larger block, which is still correct.
  if (auto* trimmed = static_cast<uint8_t*>(std::realloc(data_, length_))) {
    data_ = trimmed;
    capacity_ = length_;
  }
}

IXferBytes::State VyMemoryXferBytes::GetState() const {
  if (failed_) return State::kFailure;
  return atEnd_ ? State::kEndOfStream : State::kGood;
}

}  // namespace kesto
