// File streams on POSIX descriptors.
#include "host/db/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

std::unique_ptr<FileStream> FileStream::Open(const std::filesystem::path& path, Mode mode, int& error) {
  int flags = mode == Mode::kRead    ? O_RDONLY
              : mode == Mode::kWrite ? O_WRONLY | O_CREAT | O_TRUNC
                                     : O_WRONLY | O_CREAT | O_APPEND;
  int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  error = 0;
  return Adopt(fd, mode, path);
}

std::unique_ptr<FileStream> FileStream::Adopt(int fd, Mode mode, std::filesystem::path path) {
  return std::unique_ptr<FileStream>(new FileStream(fd, mode, std::move(path)));
}

FileStream::FileStream(int fd, Mode mode, std::filesystem::path path)
    : fd_(fd), mode_(mode), path_(std::move(path)) {
  buffer_.reserve(kBufferSize);
  if (mode_ == Mode::kAppend) bufferOffset_ = ::lseek(fd_, 0, SEEK_END);
  struct stat status = {};
  if (mode_ == Mode::kRead && ::fstat(fd_, &status) == 0 && S_ISREG(status.st_mode)) {
    size_ = status.st_size;
    bufferOffset_ = ::lseek(fd_, 0, SEEK_CUR);
  }
}

FileStream::~FileStream() {
  Flush();
  ::close(fd_);
}

bool FileStream::Refill() {
  bufferOffset_ += static_cast<int64_t>(buffer_.size());
  buffer_.resize(kBufferSize);
  bufferPos_ = 0;
  ssize_t n;
  do {
    n = ::read(fd_, buffer_.data(), kBufferSize);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    lastError_ = errno;
    buffer_.clear();
    state_ = State::kFailure;
    return false;
  }
  buffer_.resize(static_cast<size_t>(n));
  return n > 0;
}

size_t FileStream::ReadBytes(uint8_t* bytes, size_t count) {
  size_t done = 0;
  while (done < count) {
    if (bufferPos_ == buffer_.size() && !Refill()) break;
    size_t n = std::min(count - done, buffer_.size() - bufferPos_);
    std::memcpy(bytes + done, buffer_.data() + bufferPos_, n);
    bufferPos_ += n;
    done += n;
  }
  if (done < count) {
    std::memset(bytes + done, 0, count - done);
    if (state_ == State::kGood) state_ = State::kEndOfStream;
  }
  return done;
}

size_t FileStream::XferBytes(uint8_t* bytes, size_t count) {
  if (state_ != State::kGood) {
    if (IsReading() && count > 0) std::memset(bytes, 0, count);
    return 0;
  }
  if (IsReading()) return ReadBytes(bytes, count);
  buffer_.insert(buffer_.end(), bytes, bytes + count);
  if (buffer_.size() >= kBufferSize && !Flush()) return 0;
  return count;
}

bool FileStream::Flush() {
  if (IsReading() || buffer_.empty()) return state_ != State::kFailure;
  size_t written = 0;
  while (written < buffer_.size() && state_ != State::kFailure) {
    ssize_t n = ::write(fd_, buffer_.data() + written, buffer_.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      lastError_ = n < 0 ? errno : ENOSPC;
      state_ = State::kFailure;
      break;
    }
    written += static_cast<size_t>(n);
  }
  bufferOffset_ += static_cast<int64_t>(written);
  buffer_.clear();
  if (writeBehind_) StartDiskWrites();
  return state_ != State::kFailure;
}

// A hint only: where the system cannot start writes early, Sync does them all.
void FileStream::StartDiskWrites() {
  constexpr int64_t kWriteBehindStep = 1 << 20;
  if (bufferOffset_ < writeBehindFrom_) writeBehindFrom_ = 0;  // after a seek back
  if (bufferOffset_ - writeBehindFrom_ < kWriteBehindStep) return;
#ifdef __linux__
  (void)::sync_file_range(fd_, writeBehindFrom_, bufferOffset_ - writeBehindFrom_, SYNC_FILE_RANGE_WRITE);
#endif
  writeBehindFrom_ = bufferOffset_;
}

bool FileStream::Sync() {
  if (!Flush()) return false;
  if (::fsync(fd_) != 0) {
    lastError_ = errno;
    state_ = State::kFailure;
    return false;
  }
  return true;
}

int64_t FileStream::Tell() const {
  return IsReading() ? bufferOffset_ + static_cast<int64_t>(bufferPos_)
                     : bufferOffset_ + static_cast<int64_t>(buffer_.size());
}

int64_t FileStream::Seek(int64_t offset, SeekFrom from) {
  if (!IsReading() && !Flush()) return -1;
  int whence = from == SeekFrom::kStart ? SEEK_SET : from == SeekFrom::kCurrent ? SEEK_CUR : SEEK_END;
  if (from == SeekFrom::kCurrent) {
    offset += Tell();
    whence = SEEK_SET;
  }
  off_t target = ::lseek(fd_, offset, whence);
  if (target < 0) return -1;
  buffer_.clear();
  bufferPos_ = 0;
  bufferOffset_ = target;
  if (state_ == State::kEndOfStream) state_ = State::kGood;
  return target;
}
