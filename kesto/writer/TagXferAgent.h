// TagXferAgent: a write-only block of bytes that passes each byte to a writer as one character, so that
// anything able to write itself to a host stream can be written into tagged text.
#pragma once

#include "host/db/IXferBytes.h"

namespace kesto {

class CTaggedTextPutter;

class TagXferAgent final : public IXferBytes {
 public:
  // `putter` is referenced, not owned; a null putter drops what is written.
  explicit TagXferAgent(CTaggedTextPutter* putter) : putter_(putter) {}

  // Nothing can be read back: answers 0.
  size_t Read(void* bytes, size_t count) override;
  // Bytes 0x00..0x7F become characters; bytes 0x80..0xFF are dropped, as the 8-bit text they belong to has
  // no meaning here. Answers `count`: every byte counts as taken.
  size_t Write(const void* bytes, size_t count) override;
  // The position only grows with writing: answers -1.
  int64_t Seek(int64_t offset, SeekFrom from) override;
  // Bytes written so far.
  int64_t Tell() const override { return written_; }
  void Flush() override {}
  State GetState() const override { return State::kGood; }

 private:
  CTaggedTextPutter* putter_;
  int64_t written_ = 0;
};

}  // namespace kesto
