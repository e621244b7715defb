// VyPMStreamStreamAgent: a stream agent over a host stream (IPMStream), for imports from and exports to
// streams the host hands over (Place, the clipboard). Positions count from where the host stream stood
// when the agent was made, and reading stops at an optional length limit.
#pragma once

#include "host/db/IPMStream.h"
#include "kesto/streams/VyStreamAgent.h"

namespace kesto {

class VyPMStreamStreamAgent : public VyStreamAgent {
 public:
  enum Mode : int { kReadMode = 1, kWriteMode = 2 };
  static constexpr size_t kBufferSize = 512;
  static constexpr uint32_t kNoLimit = 0xFFFFFFFF;

  // `stream` is referenced, not owned, and must outlive the agent; a null stream makes an agent whose every
  // transfer fails. `limit` caps the bytes read.
  VyPMStreamStreamAgent(IPMStream* stream, int mode, StreamEncoding encoding = StreamEncoding::kUnspecified,
                        uint32_t limit = kNoLimit);
  ~VyPMStreamStreamAgent() override;

  // The file name of the host stream's file, if it has one.
  void GetName(WideString& out) const override;
  void GetFile(VyFile& out) const override;
  // Asks the host stream whether it can take the buffered bytes, then writes them; fails when it cannot
  // or when fewer were written.
  int Overflow(int byte) override;
  int Underflow() override;
  int64_t Seek(int64_t offset, SeekOrigin origin, Area area) override;
  // Hands the buffered bytes, then the host stream's own buffer, to the storage.
  KestoResult Close() override;
  int64_t Size() override;
  // kIOErr once a transfer failed, kParamErr without a host stream, else 0.
  int16_t GetError() const override;

  // The host stream's condition: kParamErr without one, kEndOfFileErr at its end, kIOErr when it failed,
  // else 0.
  int16_t GetStatus() const;
  IPMStream* GetStream() const { return stream_; }

 private:
  int64_t Position() const;
  bool WriteBuffer();
  void EmptyBuffer(int64_t offset);
  // Moves the host stream to `position` (relative to the base) unless it is there.
  bool PlaceStream(int64_t position);

  IPMStream* stream_;
  int mode_;
  int64_t baseOffset_ = 0;
  uint32_t limit_;
  int64_t bufferOffset_ = 0;    // relative to the base
  int64_t streamPosition_ = 0;  // where the host stream stands, relative to the base
  bool failed_ = false;
  uint8_t buffer_[kBufferSize];
};

}  // namespace kesto
