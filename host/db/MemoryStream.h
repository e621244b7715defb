// Host streams over memory: a reading stream over bytes it does not own, and a writing stream that grows
// its own block.
#pragma once

#include <span>
#include <vector>

#include "host/db/IPMStream.h"

class MemoryReadStream final : public IPMStream {
 public:
  // `bytes` must outlive the stream.
  explicit MemoryReadStream(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool IsReading() const override { return true; }
  State GetState() const override { return state_; }
  void SetState(State state) override { state_ = state; }
  size_t XferBytes(uint8_t* bytes, size_t count) override;
  int64_t Seek(int64_t offset, SeekFrom from) override;
  int64_t Tell() const override { return static_cast<int64_t>(position_); }
  int64_t Remaining() const override { return static_cast<int64_t>(bytes_.size() - position_); }
  ISharedValues* GetSharedValues() const override { return shared_; }
  // The table the bytes name shared values in (not owned; null for none).
  void SetSharedValues(ISharedValues* shared) { shared_ = shared; }
  uint32_t GetFormatVersion() const override { return version_ ? version_ : IPMStream::GetFormatVersion(); }
  // The format of the file the bytes were read from (0: the current one).
  void SetFormatVersion(uint32_t version) { version_ = version; }

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
  State state_ = State::kGood;
  ISharedValues* shared_ = nullptr;
  uint32_t version_ = 0;
};

class MemoryWriteStream final : public IPMStream {
 public:
  bool IsReading() const override { return false; }
  State GetState() const override { return state_; }
  void SetState(State state) override { state_ = state; }
  size_t XferBytes(uint8_t* bytes, size_t count) override;
  int64_t Seek(int64_t offset, SeekFrom from) override;
  int64_t Tell() const override { return static_cast<int64_t>(position_); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t> TakeBytes() { return std::move(bytes_); }
  // Starts over, empty and good, keeping the memory for the next bytes.
  void Clear();
  ISharedValues* GetSharedValues() const override { return shared_; }
  // The table to add shared values to (not owned; null for none).
  void SetSharedValues(ISharedValues* shared) { shared_ = shared; }

 private:
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
  State state_ = State::kGood;
  ISharedValues* shared_ = nullptr;
};

// Answers the new position for a seek inside a block of `size` bytes, or -1 when it lands outside.
int64_t ResolveSeek(int64_t current, int64_t size, int64_t offset, IPMStream::SeekFrom from);
