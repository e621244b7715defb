// VyStreamAgent: a buffered byte source and sink over one kind of storage (caller memory, a string, a
// file, a host stream, the clipboard). Bytes are read from a read area and written to a write area, both
// spans of the agent's buffer; only the ends of those areas call into the storage.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/core/WideString.h"
#include "kesto/streams/StreamEncoding.h"
#include "kesto/streams/VyFile.h"

namespace kesto {

class VyStreamAgent {
 public:
  enum class Area { kRead, kWrite };
  enum class SeekOrigin { kStart = 0, kCurrent = 1, kEnd = 2 };

  explicit VyStreamAgent(StreamEncoding encoding = StreamEncoding::kUnspecified) : encoding_(encoding) {}
  VyStreamAgent(const VyStreamAgent&) = delete;
  VyStreamAgent& operator=(const VyStreamAgent&) = delete;
  virtual ~VyStreamAgent() = default;

  // The name of the storage shown to the user; empty for memory.
  virtual void GetName(WideString& out) const { out.clear(); }
  // The file behind the storage; cleared when there is none.
  virtual void GetFile(VyFile& out) const { out.Clear(); }
  // Whether a text stream on this agent may use `encoding`.
  virtual bool AcceptsEncoding(StreamEncoding encoding) const { return true; }

  // Makes room in the write area and stores `byte`, or with -1 hands everything written so far to the
  // storage. Answers the byte (0 for -1), or -1 when the storage refuses.
  virtual int Overflow(int byte) { return -1; }
  // Steps the read position back over `byte` (-1: whatever byte it was). Answers the byte now at the read
  // position, or -1 when the position could not move back.
  virtual int PutBack(int byte);
  // Refills an empty read area from the storage. Answers the next byte without taking it, or -1 at the end
  // of the storage or on a failure (which GetError then names).
  virtual int Underflow() { return -1; }

  // The next byte, or -1.
  int GetByte() { return readNext_ < readEnd_ ? *readNext_++ : TakeUnderflow(); }
  // The next byte without taking it, or -1.
  int PeekByte() { return readNext_ < readEnd_ ? *readNext_ : Underflow(); }
  // Stores one byte; answers it, or -1 when the storage refuses.
  int PutByte(uint8_t byte) {
    if (writeNext_ < writeEnd_) return *writeNext_++ = byte;
    return Overflow(byte);
  }

  // Copies up to `count` bytes to `bytes`; answers how many (fewer only at the end or on a failure).
  virtual size_t Read(void* bytes, size_t count);
  // Stores `count` bytes; answers how many were taken (fewer only on a failure).
  virtual size_t Write(const void* bytes, size_t count);
  // Moves the read or write position. Answers the new position from the start of the storage, or -1 (the
  // position unchanged) when the storage cannot go there.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin, Area area) { return -1; }
  int64_t Tell(Area area) { return Seek(0, SeekOrigin::kCurrent, area); }
  // Keeps the bytes read from `position` on within reach of Seek, for storage that cannot go back by itself
  // (a pipe); a later call lets the bytes before its position go, and -1 lets all but the last few go.
  // Storage that can go back anywhere ignores it.
  virtual void KeepFrom(int64_t position) {}
  // Hands the bytes written to the storage and lets it go; answers 0, or -1 when that failed (GetError
  // names why).
  virtual int Close() { return 0; }
  // Whether the storage can be read again from any position without keeping what was read (a file on
  // disk, memory; not a pipe).
  virtual bool CanReadAgain() const { return false; }
  // Length of the storage in bytes.
  virtual int64_t Size() { return readEnd_ - readStart_; }
  // The file-system code of the last failure of the storage; 0 when there was none.
  virtual int16_t GetError() const { return 0; }

  // The encoding a text stream on this agent uses unless told otherwise.
  StreamEncoding GetEncoding() const { return encoding_; }
  // Refused (false) when the agent does not accept the encoding.
  bool SetEncoding(StreamEncoding encoding);

 protected:
  // `base` + `offset`, or -1 when that is negative or out of range.
  static int64_t SeekTarget(int64_t base, int64_t offset) {
    int64_t target;
    return __builtin_add_overflow(base, offset, &target) || target < 0 ? -1 : target;
  }
  void SetReadArea(const uint8_t* start, const uint8_t* next, const uint8_t* end) {
    readStart_ = start;
    readNext_ = next;
    readEnd_ = end;
  }
  void SetWriteArea(uint8_t* start, uint8_t* next, uint8_t* end) {
    writeStart_ = start;
    writeNext_ = next;
    writeEnd_ = end;
  }

  const uint8_t* readStart_ = nullptr;
  const uint8_t* readNext_ = nullptr;
  const uint8_t* readEnd_ = nullptr;
  uint8_t* writeStart_ = nullptr;
  uint8_t* writeNext_ = nullptr;
  uint8_t* writeEnd_ = nullptr;
  StreamEncoding encoding_;

 private:
  // The text stream decodes straight from the read area and encodes straight into the write area.
  friend class VyTextStream;

  int TakeUnderflow();
};

}  // namespace kesto
