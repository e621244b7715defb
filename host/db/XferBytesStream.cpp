// Host streams over transfer blocks.
#include "host/db/XferBytesStream.h"

#include <cstring>

XferBytesStream::XferBytesStream(IXferBytes* bytes, Mode mode)
    : bytes_(bytes), mode_(mode), state_(bytes ? State::kGood : State::kFailure) {}

size_t XferBytesStream::XferBytes(uint8_t* bytes, size_t count) {
  if (IsReading()) {
    size_t n = state_ == State::kGood ? bytes_->Read(bytes, count) : 0;
    if (n < count) {
      std::memset(bytes + n, 0, count - n);
      if (state_ == State::kGood) state_ = State::kEndOfStream;
    }
    return n;
  }
  if (state_ != State::kGood) return 0;
  size_t n = bytes_->Write(bytes, count);
  if (n < count) state_ = State::kFailure;
  return n;
}

int64_t XferBytesStream::Seek(int64_t offset, SeekFrom from) {
  if (!bytes_) return -1;
  int64_t target = bytes_->Seek(offset, from);
  if (target >= 0 && state_ == State::kEndOfStream) state_ = State::kGood;
  return target;
}

int64_t XferBytesStream::Tell() const {
  return bytes_ ? bytes_->Tell() : 0;
}

bool XferBytesStream::Flush() {
  if (bytes_ && IsWriting()) bytes_->Flush();
  return state_ != State::kFailure;
}
