// The table of shared values: one entry per value object, read back by index and kind, damaged entries
// answering nothing.
#include "host/db/SharedValueTable.h"

#include <gtest/gtest.h>

#include <string>

#include "host/db/MemoryStream.h"

namespace {

using Text = std::shared_ptr<const std::string>;
constexpr uint32_t kTextKind = 7;

uint32_t Add(SharedValueTable& table, const Text& text) {
  return table.Add(kTextKind, text, [&](IPMStream& stream) {
    std::string copy = *text;
    stream.XferString(copy);
  });
}

Text Get(SharedValueTable& table, uint32_t index, uint32_t kind = kTextKind) {
  auto value = table.Get(kind, index, [](IPMStream& stream) -> ISharedValues::Value {
    std::string text;
    stream.XferString(text);
    return std::make_shared<const std::string>(text);
  });
  return std::static_pointer_cast<const std::string>(value);
}

TEST(SharedValueTableTest, ValuesAreStoredOnceAndReadBackByIndexAndKind) {
  SharedValueTable written;
  Text one = std::make_shared<const std::string>("one");
  Text two = std::make_shared<const std::string>("two");
  EXPECT_EQ(Add(written, one), 0u);
  EXPECT_EQ(Add(written, two), 1u);
  EXPECT_EQ(Add(written, one), 0u);
  EXPECT_EQ(written.Count(), 2u);
  MemoryWriteStream out;
  written.Write(out);
  std::vector<uint8_t> bytes = out.TakeBytes();

  SharedValueTable read;
  MemoryReadStream in(bytes);
  ASSERT_TRUE(read.Read(in));
  EXPECT_EQ(in.Remaining(), 0);
  Text first = Get(read, 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, "one");
  EXPECT_EQ(Get(read, 0), first) << "made once, then kept";
  EXPECT_EQ(*Get(read, 1), "two");
  EXPECT_EQ(Get(read, 2), nullptr);
  EXPECT_EQ(Get(read, 1, kTextKind + 1), nullptr);

  // A value whose bytes are damaged (a length beyond them) answers nothing; a table cut short fails.
  std::vector<uint8_t> damaged = bytes;
  damaged[12] = 0x40;
  SharedValueTable broken;
  MemoryReadStream damagedIn(damaged);
  ASSERT_TRUE(broken.Read(damagedIn));
  EXPECT_EQ(Get(broken, 0), nullptr);
  std::vector<uint8_t> shorter(bytes.begin(), bytes.end() - 1);
  MemoryReadStream shortIn(shorter);
  EXPECT_FALSE(SharedValueTable().Read(shortIn));
}

}  // namespace
