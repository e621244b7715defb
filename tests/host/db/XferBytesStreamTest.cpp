// Host streams over transfer blocks: short reads, seeking past the end, refused writes, no block at all.
#include "host/db/XferBytesStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A block of bytes with room for at most `room` bytes.
class Block final : public IXferBytes {
 public:
  explicit Block(size_t room) : room_(room) {}
  size_t Read(void* bytes, size_t count) override {
    size_t n = std::min(count, data_.size() - position_);
    std::memcpy(bytes, data_.data() + position_, n);
    position_ += n;
    return n;
  }
  size_t Write(const void* bytes, size_t count) override {
    size_t n = std::min(count, room_ - data_.size());
    size_t old = data_.size();
    data_.resize(old + n);
    if (n > 0) std::memcpy(data_.data() + old, bytes, n);
    return n;
  }
  int64_t Seek(int64_t offset, SeekFrom from) override {
    int64_t base = from == SeekFrom::kStart ? 0 : from == SeekFrom::kCurrent ? position_ : data_.size();
    if (base + offset < 0 || base + offset > static_cast<int64_t>(data_.size())) return -1;
    position_ = static_cast<size_t>(base + offset);
    return static_cast<int64_t>(position_);
  }
  int64_t Tell() const override { return static_cast<int64_t>(position_); }
  void Flush() override { ++flushes; }
  State GetState() const override { return State::kGood; }

  std::vector<uint8_t> data_;
  int flushes = 0;

 private:
  size_t room_;
  size_t position_ = 0;
};

TEST(XferBytesStream, ReadingToTheEndAndBack) {
  Block block(100);
  block.Write("abcdef", 6);
  XferBytesStream stream(&block, XferBytesStream::Mode::kRead);
  EXPECT_TRUE(stream.IsReading());
  uint8_t out[8];
  std::memset(out, 0xEE, sizeof(out));
  EXPECT_EQ(4u, stream.XferBytes(out, 4));
  EXPECT_TRUE(stream.IsGood());
  EXPECT_EQ(2u, stream.XferBytes(out, 8));
  EXPECT_EQ('e', out[0]);
  EXPECT_EQ(0, out[2]) << "the unread rest is zeroed";
  EXPECT_EQ(0, out[7]);
  EXPECT_EQ(IPMStream::State::kEndOfStream, stream.GetState());
  EXPECT_EQ(0u, stream.XferBytes(out, 1));
  EXPECT_EQ(1, stream.Seek(1, IPMStream::SeekFrom::kStart));
  EXPECT_TRUE(stream.IsGood());
  EXPECT_EQ(-1, stream.Seek(7, IPMStream::SeekFrom::kStart));
  EXPECT_EQ(1, stream.Tell());
  int32_t value = 0;
  stream.XferInt32(value);
  EXPECT_EQ(0x65646362, value);
}

TEST(XferBytesStream, WritingUntilTheBlockIsFull) {
  Block block(6);
  XferBytesStream stream(&block, XferBytesStream::Mode::kWrite);
  uint8_t bytes[4] = {1, 2, 3, 4};
  EXPECT_EQ(4u, stream.XferBytes(bytes, 4));
  EXPECT_TRUE(stream.Flush());
  EXPECT_EQ(1, block.flushes);
  EXPECT_EQ(2u, stream.XferBytes(bytes, 4));
  EXPECT_EQ(IPMStream::State::kFailure, stream.GetState());
  EXPECT_EQ(0u, stream.XferBytes(bytes, 1));
  EXPECT_FALSE(stream.Flush());
  EXPECT_EQ(6u, block.data_.size());
}

TEST(XferBytesStream, NoBlockIsAFailedStream) {
  XferBytesStream stream(nullptr, XferBytesStream::Mode::kRead);
  EXPECT_EQ(IPMStream::State::kFailure, stream.GetState());
  uint8_t out[2] = {5, 5};
  EXPECT_EQ(0u, stream.XferBytes(out, 2));
  EXPECT_EQ(0, out[1]);
  EXPECT_EQ(-1, stream.Seek(0, IPMStream::SeekFrom::kStart));
  EXPECT_EQ(0, stream.Tell());
  XferBytesStream writer(nullptr, XferBytesStream::Mode::kWrite);
  EXPECT_EQ(0u, writer.XferBytes(out, 2));
  EXPECT_FALSE(writer.Flush());
}

}  // namespace
