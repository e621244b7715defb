// VyFileStreamAgent: a stream agent over a file, through one buffer that serves reading or writing,
// whichever came last. A file that can only be read in order (a pipe) is read into a buffer that
// keeps what a reader may still go back to. Failures are kept as file-system codes for the facade to report.
#pragma once

#include <memory>
#include <vector>

#include "kesto/streams/VyFileAgentBase.h"
#include "kesto/streams/VyStreamAgent.h"

namespace kesto {

class VyFileStreamAgent final : public VyStreamAgent, public VyFileAgentBase {
 public:
  // What the file system is asked for at a time. At 512 bytes a call, reading 10 MB took 20,000 calls and
  // a third of the import's time.
  static constexpr size_t kBufferSize = 64 * 1024;
  // Bytes before the read position that a file read in order keeps whatever KeepFrom said, so that a text
  // stream can step back over a character or a look-ahead across a refill.
  static constexpr int64_t kStepBackBytes = 16;

  // Not open yet; a text stream on it reads and writes UTF-8 unless told otherwise.
  explicit VyFileStreamAgent(VyFile file);
  // Closes the file if it is open (a failure then goes unreported: call Close to learn of it).
  ~VyFileStreamAgent() override;

  // Opens the existing file in kReadMode, kWriteMode or kAppendMode (positioned at the end). Answers 0 or a
  // file-system code (see VyFileAgentBase::OpenFile).
  [[nodiscard]] int16_t Open(int mode);
  bool IsOpen() const { return IsFileOpen(); }

  // The path.
  void GetName(WideString& out) const override { out = file_.GetPathName(); }
  void GetFile(VyFile& out) const override { out = file_; }
  // Writes the buffer (and then takes `byte` into it) at the buffer's place in the file.
  int Overflow(int byte) override;
  int Underflow() override;
  // Reading and writing share one position; a target inside the buffer moves within it, anything else
  // hands written bytes to the file and empties the buffer. A file read in order moves only within the
  // bytes it kept, and no further than it has been read.
  int64_t Seek(int64_t offset, SeekOrigin origin, Area area) override;
  bool CanReadAgain() const override { return IsSeekable(); }
  void KeepFrom(int64_t position) override { keepFrom_ = position; }
  // Writes what is buffered and closes the file; answers -1 when this or any earlier transfer failed.
  int Close() override;
  int64_t Size() override;
  int16_t GetError() const override { return lastError_; }

 private:
  int64_t Position() const;
  bool IsWriting() const { return writeStart_ != nullptr; }
  // Writes the buffered bytes; on a failure they are dropped and false is answered.
  bool WriteBuffer();
  void EmptyBuffer(int64_t offset);
  // Refills from a file read in order: appends to kept_, first letting go of the bytes no one may go back
  // to any more.
  int UnderflowInOrder();
  // The first byte a file read in order still keeps within reach: KeepFrom's position, or the last few.
  int64_t KeptFloor() const;

  VyFile file_;
  int64_t bufferOffset_ = 0;  // file offset of buffer_[0], or of kept_[0] while reading a file in order
  int64_t keepFrom_ = -1;
  int64_t furthestRead_ = 0;  // of a file read in order: the furthest position a seek found it read to
  std::unique_ptr<uint8_t[]> buffer_;  // kBufferSize bytes, taken when the file is opened
  std::vector<uint8_t> kept_;
};

}  // namespace kesto
