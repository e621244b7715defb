// VyMemoryStreamAgent: a stream agent over caller memory. Nothing is owned or copied: the read or write
// area is the caller's block itself, which must outlive the agent.
#pragma once

#include "kesto/streams/VyStreamAgent.h"

namespace kesto {

class VyMemoryStreamAgent : public VyStreamAgent {
 public:
  // A block the agent writes into; writing past `capacity` bytes fails.
  struct Destination {
    void* bytes;
    size_t capacity;
  };

  // Reads the `size` bytes at `bytes`.
  VyMemoryStreamAgent(const void* bytes, size_t size, StreamEncoding encoding);
  VyMemoryStreamAgent(Destination destination, StreamEncoding encoding);

  // Moves within the caller's block; the end of the write area is the furthest byte written.
  int64_t Seek(int64_t offset, SeekOrigin origin, Area area) override;
  bool CanReadAgain() const override { return true; }
  // Bytes written into the block so far (the furthest position reached).
  size_t BytesWritten() const;

 protected:
  explicit VyMemoryStreamAgent(StreamEncoding encoding) : VyStreamAgent(encoding) {}

 private:
  uint8_t* writeHigh_ = nullptr;
};

}  // namespace kesto
