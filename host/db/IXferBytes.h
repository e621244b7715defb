// IXferBytes: a block of bytes that a host stream reads from or writes to, such as the in-memory buffer
// behind clipboard transfers. Implementations never throw; short counts report what could not be moved.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/db/IPMStream.h"

class IXferBytes {
 public:
  using SeekFrom = IPMStream::SeekFrom;
  using State = IPMStream::State;

  virtual ~IXferBytes() = default;

  // Copies at most `count` bytes from the read position into `bytes`; answers how many were copied. A read
  // that asks for more than is left sets kEndOfStream.
  virtual size_t Read(void* bytes, size_t count) = 0;
  // Stores `count` bytes; answers how many were taken (fewer when the block cannot grow, which sets
  // kFailure).
  virtual size_t Write(const void* bytes, size_t count) = 0;
  // Moves the read position; answers the new position, or -1 (nothing changed) when it would leave the block.
  virtual int64_t Seek(int64_t offset, SeekFrom from) = 0;
  virtual int64_t Tell() const = 0;
  // Ends writing: gives back spare room the block grew for.
  virtual void Flush() = 0;
  virtual State GetState() const = 0;
};
