// VyFileStreamAgent: a stream agent over a file, through one 512-byte buffer that serves reading or
// writing, whichever came last. Failures are kept as file-system codes for the facade to report.
#pragma once

#include "kesto/streams/VyFileAgentBase.h"
#include "kesto/streams/VyStreamAgent.h"

namespace kesto {

class VyFileStreamAgent final : public VyStreamAgent, public VyFileAgentBase {
 public:
  static constexpr size_t kBufferSize = 512;

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
  // hands written bytes to the file and empties the buffer.
  int64_t Seek(int64_t offset, SeekOrigin origin, Area area) override;
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

  VyFile file_;
  int64_t bufferOffset_ = 0;  // file offset of buffer_[0]
  uint8_t buffer_[kBufferSize];
};

}  // namespace kesto
