// Transfer blocks: growth steps, trimming, reading to the end and seeking.
#include "kesto/streams/VyMemoryXferBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kesto {
namespace {

TEST(MemoryXferBytes, GrowthSteps) {
  struct Case {
    uint32_t step;
    size_t length;
    uint32_t capacity;
  };
  const Case cases[] = {
      {0, 1, 256},
      {0, 256, 256},
      {0, 257, 512},
      {100, 300, 512},
      {1000, 1, 1000},
      {1000, 2500, 3000},
      {0, (1u << 20) + 1, 2u << 20},
      {3u << 20, (1u << 20) + 1, 3u << 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.step << " " << c.length);
    VyMemoryXferBytes bytes(c.step, true);
    std::vector<uint8_t> data(c.length, 7);
    EXPECT_EQ(c.length, bytes.Write(data.data(), data.size()));
    EXPECT_EQ(c.capacity, bytes.Capacity());
    EXPECT_EQ(c.length, bytes.Length());
    bytes.Flush();
    EXPECT_EQ(c.capacity, bytes.Capacity()) << "kept";
  }
}

TEST(MemoryXferBytes, FlushTrims) {
  VyMemoryXferBytes bytes;
  EXPECT_EQ(3u, bytes.Write("abc", 3));
  EXPECT_EQ(256u, bytes.Capacity());
  bytes.Flush();
  EXPECT_EQ(3u, bytes.Capacity());
  EXPECT_EQ(3u, bytes.Write("def", 3));
  EXPECT_EQ(std::string("abcdef"), std::string(reinterpret_cast<const char*>(bytes.Data()), bytes.Length()));
}

TEST(MemoryXferBytes, WritesAppendAndReadsFollowThePosition) {
  VyMemoryXferBytes bytes;
  bytes.Write("hello", 5);
  char out[8] = {};
  EXPECT_EQ(2u, bytes.Read(out, 2));
  EXPECT_FALSE(bytes.AtEnd());
  bytes.Write(" world", 6);
  EXPECT_EQ(2, bytes.Tell());
  EXPECT_EQ(8u, bytes.Read(out, 8));
  EXPECT_EQ(std::string("llo worl"), std::string(out, 8));
  EXPECT_FALSE(bytes.AtEnd());
  EXPECT_EQ(1u, bytes.Read(out, 8));
  EXPECT_TRUE(bytes.AtEnd());
  EXPECT_EQ(IXferBytes::State::kEndOfStream, bytes.GetState());
  EXPECT_EQ(0u, bytes.Read(out, 1));
}

TEST(MemoryXferBytes, Seeking) {
  VyMemoryXferBytes bytes;
  bytes.Write("0123456789", 10);
  using F = IXferBytes::SeekFrom;
  struct Step {
    int64_t offset;
    F from;
    int64_t expected;  // -1: refused, position unchanged
  };
  const Step steps[] = {
      {4, F::kStart, 4},   {2, F::kCurrent, 6},          {-1, F::kEnd, 9},        {0, F::kEnd, 10},
      {1, F::kEnd, -1},    {-11, F::kEnd, -1},           {-3, F::kCurrent, 7},    {-8, F::kCurrent, -1},
      {11, F::kStart, -1}, {INT64_MIN, F::kCurrent, -1}, {INT64_MAX, F::kEnd, -1}};
  int64_t position = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.offset);
    EXPECT_EQ(step.expected, bytes.Seek(step.offset, step.from));
    if (step.expected >= 0) position = step.expected;
    EXPECT_EQ(position, bytes.Tell());
  }
  char c;
  bytes.Seek(0, F::kEnd);
  bytes.Read(&c, 1);
  EXPECT_TRUE(bytes.AtEnd());
  bytes.Seek(0, F::kStart);
  EXPECT_FALSE(bytes.AtEnd());
}

TEST(MemoryXferBytes, EmptyBlock) {
  VyMemoryXferBytes bytes;
  char c;
  EXPECT_EQ(0u, bytes.Write(&c, 0));
  bytes.Flush();
  EXPECT_EQ(0u, bytes.Capacity());
  EXPECT_EQ(0u, bytes.Read(&c, 1));
  EXPECT_TRUE(bytes.AtEnd());
}

}  // namespace
}  // namespace kesto
