// XferBytesStream: a host stream over an IXferBytes block, so that bytes gathered in memory (clipboard
// text, for one) can be handed to anything that reads a host stream.
#pragma once

#include "host/db/IPMStream.h"
#include "host/db/IXferBytes.h"

class XferBytesStream final : public IPMStream {
 public:
  enum class Mode { kRead, kWrite };
  // `bytes` is referenced, not owned, and must outlive the stream; a null block makes a failed stream.
  XferBytesStream(IXferBytes* bytes, Mode mode);

  bool IsReading() const override { return mode_ == Mode::kRead; }
  State GetState() const override { return state_; }
  void SetState(State state) override { state_ = state; }
  // A short read zeroes the rest of `bytes` and sets kEndOfStream; a short write sets kFailure.
  size_t XferBytes(uint8_t* bytes, size_t count) override;
  // Seeking clears kEndOfStream; answers -1 when the block refuses the position.
  int64_t Seek(int64_t offset, SeekFrom from) override;
  int64_t Tell() const override;
  // For a writing stream, lets the block give back its spare room.
  bool Flush() override;

 private:
  IXferBytes* bytes_;
  Mode mode_;
  State state_;
};
