// Memory streams.
#include "host/db/MemoryStream.h"

#include <algorithm>
#include <cstring>

int64_t ResolveSeek(int64_t current, int64_t size, int64_t offset, IPMStream::SeekFrom from) {
  int64_t base = from == IPMStream::SeekFrom::kStart     ? 0
                 : from == IPMStream::SeekFrom::kCurrent ? current
                                                         : size;
  int64_t target = base + offset;
  return target < 0 || target > size ? -1 : target;
}

size_t MemoryReadStream::XferBytes(uint8_t* bytes, size_t count) {
  size_t n = state_ == State::kGood ? std::min(count, bytes_.size() - position_) : 0;
  if (n > 0) std::memcpy(bytes, bytes_.data() + position_, n);
  position_ += n;
  if (n < count) {
    std::memset(bytes + n, 0, count - n);
    if (state_ == State::kGood) state_ = State::kEndOfStream;
  }
  return n;
}

int64_t MemoryReadStream::Seek(int64_t offset, SeekFrom from) {
  int64_t target = ResolveSeek(Tell(), static_cast<int64_t>(bytes_.size()), offset, from);
  if (target < 0) return -1;
  position_ = static_cast<size_t>(target);
  if (state_ == State::kEndOfStream) state_ = State::kGood;
  return target;
}

size_t MemoryWriteStream::XferBytes(uint8_t* bytes, size_t count) {
  if (state_ != State::kGood) return 0;
  if (position_ == bytes_.size()) {
    bytes_.insert(bytes_.end(), bytes, bytes + count);  // the usual case: no zero-filling first
  } else {
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    if (count > 0) std::memcpy(bytes_.data() + position_, bytes, count);
  }
  position_ += count;
  return count;
}

int64_t MemoryWriteStream::Seek(int64_t offset, SeekFrom from) {
  int64_t target = ResolveSeek(Tell(), static_cast<int64_t>(bytes_.size()), offset, from);
  if (target < 0) return -1;
  position_ = static_cast<size_t>(target);
  return target;
}

void MemoryWriteStream::Clear() {
  bytes_.clear();
  position_ = 0;
  state_ = State::kGood;
}
