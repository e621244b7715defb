// Host streams over files: buffered reading, and writing that reports a failed write (full disk, closed
// file) through the stream state. The file descriptor is closed with the stream.
#pragma once

#include <memory>
#include <vector>

#include "host/db/IPMStream.h"

class FileStream final : public IPMStream {
 public:
  enum class Mode { kRead, kWrite, kAppend };
  // Answers nullptr and sets `error` (an errno value) when the file cannot be opened. kWrite creates the
  // file or cuts it to length 0.
  static std::unique_ptr<FileStream> Open(const std::filesystem::path& path, Mode mode, int& error);
  // A stream over the open descriptor `fd`, which it closes; `path` is what GetFile answers.
  static std::unique_ptr<FileStream> Adopt(int fd, Mode mode, std::filesystem::path path);
  ~FileStream() override;

  bool IsReading() const override { return mode_ == Mode::kRead; }
  State GetState() const override { return state_; }
  void SetState(State state) override { state_ = state; }
  size_t XferBytes(uint8_t* bytes, size_t count) override;
  int64_t Seek(int64_t offset, SeekFrom from) override;
  int64_t Tell() const override;
  std::filesystem::path GetFile() const override { return path_; }
  // Reading a regular file: the bytes after the position; -1 for other files (pipes, devices).
  int64_t Remaining() const override { return size_ >= 0 ? size_ - Tell() : -1; }
  bool Flush() override;
  // Flushes and forces the bytes to the disk; false when either failed.
  bool Sync();
  // Writing: starts the disk writes of what is flushed every few megabytes rather than leaving them all to
  // Sync, so that the disk works while the rest is made and Sync finds little left to wait for.
  void SetWriteBehind(bool writeBehind) { writeBehind_ = writeBehind; }
  // errno of the last failure, 0 when none.
  int GetLastError() const { return lastError_; }
  int GetDescriptor() const { return fd_; }

 private:
  FileStream(int fd, Mode mode, std::filesystem::path path);
  bool Refill();
  void StartDiskWrites();
  size_t ReadBytes(uint8_t* bytes, size_t count);

  int fd_;
  Mode mode_;
  std::filesystem::path path_;
  State state_ = State::kGood;
  int lastError_ = 0;
  std::vector<uint8_t> buffer_;
  size_t bufferPos_ = 0;      // next byte to read in buffer_
  int64_t bufferOffset_ = 0;  // file offset of buffer_[0]
  int64_t size_ = -1;         // reading a regular file: its size when opened
  bool writeBehind_ = false;
  int64_t writeBehindFrom_ = 0;  // the first byte whose disk write has not been started
};
