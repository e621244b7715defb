// ChecksumStream: moves bytes to or from another stream and keeps the CRC-32 of the bytes that passed, so
// that a file is checked as it is read or written, without a copy of it in memory.
#pragma once

#include "host/db/IPMStream.h"

class ChecksumStream final : public IPMStream {
 public:
  // `inner` must outlive this stream; its position is this stream's position.
  explicit ChecksumStream(IPMStream& inner) : inner_(inner) {}

  bool IsReading() const override { return inner_.IsReading(); }
  State GetState() const override { return inner_.GetState(); }
  void SetState(State state) override { inner_.SetState(state); }
  size_t XferBytes(uint8_t* bytes, size_t count) override;
  // Seeking would leave the checksum meaningless: seek the inner stream, then Restart.
  int64_t Seek(int64_t, SeekFrom) override { return -1; }
  int64_t Tell() const override { return inner_.Tell(); }
  int64_t Remaining() const override { return inner_.Remaining(); }
  ISharedValues* GetSharedValues() const override { return shared_; }
  void SetSharedValues(ISharedValues* shared) { shared_ = shared; }

  // The checksum of the bytes moved since the stream was made or last restarted, and how many they were.
  uint32_t Checksum() const { return crc_; }
  uint64_t Length() const { return length_; }
  void Restart();

 private:
  IPMStream& inner_;
  ISharedValues* shared_ = nullptr;
  uint32_t crc_ = 0;
  uint64_t length_ = 0;
};
