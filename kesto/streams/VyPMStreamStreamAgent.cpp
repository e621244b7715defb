// Stream agents over host streams.
#include "kesto/streams/VyPMStreamStreamAgent.h"

#include <algorithm>

#include "kesto/streams/FileSystemErrors.h"

namespace kesto {

VyPMStreamStreamAgent::VyPMStreamStreamAgent(IPMStream* stream, int mode, StreamEncoding encoding,
                                             uint32_t limit)
    : VyStreamAgent(encoding), stream_(stream), mode_(mode), limit_(limit) {
  if (stream_) baseOffset_ = std::max<int64_t>(stream_->Tell(), 0);
}

VyPMStreamStreamAgent::~VyPMStreamStreamAgent() {
  WriteBuffer();
}

void VyPMStreamStreamAgent::GetName(WideString& out) const {
  VyFile file;
  GetFile(file);
  out = file.IsEmpty() ? WideString() : file.GetFileName();
}

void VyPMStreamStreamAgent::GetFile(VyFile& out) const {
  out = stream_ ? VyFile(stream_->GetFile()) : VyFile();
}

int16_t VyPMStreamStreamAgent::GetStatus() const {
  if (!stream_) return kParamErr;
  switch (stream_->GetState()) {
    case IPMStream::State::kEndOfStream:
      return kEndOfFileErr;
    case IPMStream::State::kFailure:
      return kIOErr;
    default:
      return kNoFileError;
  }
}

int16_t VyPMStreamStreamAgent::GetError() const {
  if (!stream_) return kParamErr;
  return failed_ || stream_->GetState() == IPMStream::State::kFailure ? kIOErr : kNoFileError;
}

int64_t VyPMStreamStreamAgent::Position() const {
  return writeStart_ ? bufferOffset_ + (writeNext_ - writeStart_) : bufferOffset_ + (readNext_ - readStart_);
}

void VyPMStreamStreamAgent::EmptyBuffer(int64_t offset) {
  SetReadArea(nullptr, nullptr, nullptr);
  SetWriteArea(nullptr, nullptr, nullptr);
  bufferOffset_ = offset;
}

bool VyPMStreamStreamAgent::PlaceStream(int64_t position) {
  if (position == streamPosition_) return true;
  int64_t target = SeekTarget(baseOffset_, position);
  if (target < 0 || stream_->Seek(target, IPMStream::SeekFrom::kStart) != target) return false;
  streamPosition_ = position;
  return true;
}

bool VyPMStreamStreamAgent::WriteBuffer() {
  if (!writeStart_ || writeNext_ == writeStart_) return true;
  auto pending = static_cast<size_t>(writeNext_ - writeStart_);
  writeNext_ = writeStart_;
  bool written = PlaceStream(bufferOffset_) && stream_->CanWrite(pending) &&
                 stream_->XferBytes(buffer_, pending) == pending;
  if (!written) {
    failed_ = true;
    streamPosition_ = -1;  // unknown: place the stream again before the next transfer
    return false;
  }
  bufferOffset_ += static_cast<int64_t>(pending);
  streamPosition_ = bufferOffset_;
  return true;
}

int VyPMStreamStreamAgent::Overflow(int byte) {
  if (!stream_ || mode_ != kWriteMode) return -1;
  if (!writeStart_) {
    EmptyBuffer(Position());
    SetWriteArea(buffer_, buffer_, buffer_ + kBufferSize);
  }
  if (!WriteBuffer()) return -1;
  if (byte < 0) return 0;
  *writeNext_++ = static_cast<uint8_t>(byte);
  return byte;
}

int VyPMStreamStreamAgent::Underflow() {
  if (!stream_ || mode_ != kReadMode) return -1;
  if (readNext_ < readEnd_) return *readNext_;
  int64_t offset = Position();
  EmptyBuffer(offset);
  if (offset >= static_cast<int64_t>(limit_)) return -1;
  auto count = static_cast<size_t>(std::min<int64_t>(kBufferSize, limit_ - offset));
  if (!PlaceStream(offset)) {
    failed_ = true;
    return -1;
  }
  // A host stream at its end reads nothing until it is moved, so a read after the end starts afresh.
  if (stream_->GetState() == IPMStream::State::kEndOfStream) return -1;
  size_t n = stream_->XferBytes(buffer_, count);
  streamPosition_ = offset + static_cast<int64_t>(n);
  if (n == 0) return -1;
  SetReadArea(buffer_, buffer_, buffer_ + n);
  return buffer_[0];
}

int64_t VyPMStreamStreamAgent::Seek(int64_t offset, SeekOrigin origin, Area area) {
  if (!stream_) return -1;
  int64_t current = Position();
  int64_t base = 0;
  if (origin == SeekOrigin::kCurrent) base = current;
  if (origin == SeekOrigin::kEnd && (base = Size()) < 0) return -1;
  int64_t target = SeekTarget(base, offset);
  if (target < 0) return -1;
  if (target == current) return target;
  if (!writeStart_ && target >= bufferOffset_ && target <= bufferOffset_ + (readEnd_ - readStart_)) {
    readNext_ = readStart_ + (target - bufferOffset_);
    return target;
  }
  if (!WriteBuffer() || !PlaceStream(target)) return -1;
  EmptyBuffer(target);
  return target;
}

KestoResult VyPMStreamStreamAgent::Close() {
  if (!stream_ || mode_ != kWriteMode) return 0;
  bool written = WriteBuffer();
  if (!stream_->Flush()) failed_ = true;
  return written && !failed_ ? 0 : -1;
}

int64_t VyPMStreamStreamAgent::Size() {
  if (!stream_ || !WriteBuffer()) return -1;
  int64_t here = stream_->Tell();
  int64_t end = stream_->Seek(0, IPMStream::SeekFrom::kEnd);
  if (end < 0 || stream_->Seek(here, IPMStream::SeekFrom::kStart) != here) return -1;
  return std::min<int64_t>(std::max<int64_t>(end - baseOffset_, 0), limit_);
}

}  // namespace kesto
