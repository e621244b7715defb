// File stream agents.
#include "kesto/streams/VyFileStreamAgent.h"

#include <algorithm>

#include "kesto/streams/FileSystemErrors.h"

namespace kesto {

VyFileStreamAgent::VyFileStreamAgent(VyFile file)
    : VyStreamAgent(StreamEncoding::kUtf8), file_(std::move(file)) {}

VyFileStreamAgent::~VyFileStreamAgent() {
  // Nothing is left to tell of a failure here: a writer that needs the answer closes before.
  (void)Close();
}

int16_t VyFileStreamAgent::Open(int mode) {
  int16_t error = OpenFile(file_.GetPath(), mode);
  if (error != kNoFileError) return error;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<uint8_t[]>(kBufferSize);
  furthestRead_ = 0;
  EmptyBuffer(mode == kAppendMode ? std::max<int64_t>(FileLength(), 0) : 0);
  return kNoFileError;
}

int64_t VyFileStreamAgent::Position() const {
  return IsWriting() ? bufferOffset_ + (writeNext_ - writeStart_) : bufferOffset_ + (readNext_ - readStart_);
}

void VyFileStreamAgent::EmptyBuffer(int64_t offset) {
  SetReadArea(nullptr, nullptr, nullptr);
  SetWriteArea(nullptr, nullptr, nullptr);
  bufferOffset_ = offset;
  kept_.clear();
}

bool VyFileStreamAgent::WriteBuffer() {
  if (!IsWriting() || writeNext_ == writeStart_) return true;
  auto pending = static_cast<size_t>(writeNext_ - writeStart_);
  bool written = WriteAt(bufferOffset_, buffer_.get(), pending);
  if (written) bufferOffset_ += static_cast<int64_t>(pending);
  writeNext_ = writeStart_;
  return written;
}

int VyFileStreamAgent::Overflow(int byte) {
  if (!IsOpen()) return -1;
  if (!IsWriting()) {
    EmptyBuffer(Position());
    SetWriteArea(buffer_.get(), buffer_.get(), buffer_.get() + kBufferSize);
  }
  if (!WriteBuffer()) return -1;
  if (byte < 0) return 0;
  *writeNext_++ = static_cast<uint8_t>(byte);
  return byte;
}

int VyFileStreamAgent::Underflow() {
  if (!IsOpen()) return -1;
  if (readNext_ < readEnd_) return *readNext_;
  if (!WriteBuffer()) return -1;
  if (!IsSeekable()) return UnderflowInOrder();
  int64_t offset = Position();
  EmptyBuffer(offset);
  int64_t n = ReadAt(offset, buffer_.get(), kBufferSize);
  if (n <= 0) return -1;
  SetReadArea(buffer_.get(), buffer_.get(), buffer_.get() + n);
  return buffer_[0];
}

int64_t VyFileStreamAgent::KeptFloor() const {
  int64_t keep = bufferOffset_ + static_cast<int64_t>(kept_.size()) - kStepBackBytes;
  return keepFrom_ >= 0 ? std::min(keep, keepFrom_) : keep;
}

int VyFileStreamAgent::UnderflowInOrder() {
  if (IsWriting()) EmptyBuffer(Position());
  // The read area is all of kept_ and is used up.
  int64_t position = bufferOffset_ + static_cast<int64_t>(kept_.size());
  int64_t keep = KeptFloor();
  auto drop = static_cast<size_t>(std::clamp<int64_t>(keep - bufferOffset_, 0, position - bufferOffset_));
  // Dropping only once half of what is kept may go moves each byte a bounded number of times.
  if (drop > 0 && drop >= kept_.size() / 2) {
    kept_.erase(kept_.begin(), kept_.begin() + static_cast<ptrdiff_t>(drop));
    bufferOffset_ += static_cast<int64_t>(drop);
  }
  size_t before = kept_.size();
  // A pipe answers with what it holds, often far less than asked: the bytes go through the buffer so that
  // kept_ grows by what arrived, not by a zeroed buffer's worth.
  int64_t n = ReadAt(position, buffer_.get(), kBufferSize);
  if (n > 0) kept_.insert(kept_.end(), buffer_.get(), buffer_.get() + n);
  const uint8_t* start = kept_.data();
  SetReadArea(start, start + before, start + kept_.size());
  return n > 0 ? *readNext_ : -1;
}

int64_t VyFileStreamAgent::Seek(int64_t offset, SeekOrigin origin, Area area) {
  if (!IsOpen()) return -1;
  int64_t current = Position();
  // Tell, which the scanner asks at every tag.
  if (offset == 0 && origin == SeekOrigin::kCurrent) return current;
  int64_t base = 0;
  if (origin == SeekOrigin::kCurrent) base = current;
  if (origin == SeekOrigin::kEnd && (base = Size()) < 0) return -1;
  int64_t target = SeekTarget(base, offset);
  if (target < 0) return -1;
  if (target == current) return target;
  // Storage read in order reaches back only as far as KeepFrom said and forward only as far as it has been
  // read, whether or not a refill has let earlier bytes go or brought later ones: what a seek finds must not
  // depend on how the bytes happened to arrive.
  if (!IsSeekable() && !IsWriting()) {
    furthestRead_ = std::max(furthestRead_, current);
    if (target < KeptFloor() || target > furthestRead_) return -1;
  }
  if (!IsWriting() && target >= bufferOffset_ && target <= bufferOffset_ + (readEnd_ - readStart_)) {
    readNext_ = readStart_ + (target - bufferOffset_);
    return target;
  }
  if (!IsSeekable() || !WriteBuffer()) return -1;
  EmptyBuffer(target);
  return target;
}

KestoResult VyFileStreamAgent::Close() {
  if (!IsOpen()) return 0;
  WriteBuffer();
  CloseFile();
  EmptyBuffer(0);
  return lastError_ == kNoFileError ? 0 : -1;
}

int64_t VyFileStreamAgent::Size() {
  int64_t length = FileLength();
  if (length < 0) return -1;
  return IsWriting() ? std::max(length, Position()) : length;
}

}  // namespace kesto
