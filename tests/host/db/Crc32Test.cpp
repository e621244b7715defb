// Checksums: known values, any split of the bytes, and combining checksums of parts.
#include "host/db/Crc32.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(Crc32Test, KnownValues) {
  const std::string kLong(1000, 'a');  // long enough to be folded
  const struct {
    std::string_view text;
    uint32_t crc;
  } rows[] = {
      {"", 0},
      {"a", 0xE8B7BE43u},
      {"123456789", 0xCBF43926u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
      {kLong, 0x9A38DA03u},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Crc32(Bytes(row.text)), row.crc);
  }
}

// Lengths around the eight-, sixteen- and 64-byte steps, split at every point: continuing and combining
// agree with the whole.
TEST(Crc32Test, PartsContinueAndCombineToTheWhole) {
  std::vector<uint8_t> bytes(300);
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<uint8_t>(i * 37 + 11);
  EXPECT_EQ(Crc32(bytes), 0x32EC5E76u);
  for (size_t length : {0, 1, 7, 8, 9, 15, 16, 17, 63, 64, 65, 79, 80, 127, 128, 143, 191, 192, 255, 300}) {
    std::span<const uint8_t> all(bytes.data(), length);
    uint32_t whole = Crc32(all);
    for (size_t split = 0; split <= length; ++split) {
      SCOPED_TRACE(std::to_string(length) + " split at " + std::to_string(split));
      uint32_t first = Crc32(all.first(split));
      ASSERT_EQ(Crc32(all.subspan(split), first), whole);
      ASSERT_EQ(Crc32Combine(first, Crc32(all.subspan(split)), length - split), whole);
    }
  }
}

}  // namespace
