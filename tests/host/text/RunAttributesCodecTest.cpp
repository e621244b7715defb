// Run attributes in their stream form: equal override lists (one object since lists are interned, however
// they were made) are written once, and every layout of lists reads back to equal runs.
#include "host/text/RunAttributesCodec.h"

#include <gtest/gtest.h>

#include "host/db/MemoryStream.h"
#include "host/text/AttributeClasses.h"
#include "tests/support/TestHost.h"

namespace {

AttrListRef SizeList(double points) {
  AttributeBossList list;
  EXPECT_EQ(list.ApplyValue(kTextAttrPointSize, points), kSuccess);
  return MakeAttrListRef(std::move(list));  // a new object each time
}

std::vector<uint8_t> Write(std::vector<StyledText::CharacterRun> runs) {
  MemoryWriteStream out;
  RunAttributesCodec::XferRuns(&out, runs);
  return out.TakeBytes();
}

TEST(RunAttributesCodecTest, EqualListsAreWrittenOnceAndEveryLayoutReadsBack) {
  testing_support::EnsureHost();
  AttrListRef shared = SizeList(14);
  const struct {
    const char* name;
    std::function<AttrListRef(int)> listOf;  // the list of run i
  } rows[] = {
      {"one shared object", [&](int) { return shared; }},
      {"equal lists made one by one", [](int) { return SizeList(14); }},
      {"alternating with the empty list", [](int i) { return i % 2 ? SizeList(14) : EmptyAttributeList(); }},
      {"all different", [](int i) { return SizeList(6 + i); }},
      {"more objects than a block meets linearly", [](int i) { return SizeList(6 + i % 3); }},
  };
  std::vector<StyledText::CharacterRun> reference;
  for (int i = 0; i < 300; ++i)
    reference.push_back({1, {UID(3), shared}});
  const size_t sharedSize = Write(reference).size();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<StyledText::CharacterRun> runs;
    for (int i = 0; i < 300; ++i)
      runs.push_back({i + 1, {UID(3), row.listOf(i)}});
    std::vector<uint8_t> bytes = Write(runs);
    if (row.listOf(0) != shared && *row.listOf(0) == *shared && *row.listOf(1) == *shared) {
      EXPECT_EQ(bytes.size(), sharedSize) << "equal lists written more than once";
    }
    MemoryReadStream in(bytes);
    std::vector<StyledText::CharacterRun> read;
    RunAttributesCodec::XferRuns(&in, read);
    ASSERT_TRUE(in.IsGood());
    EXPECT_EQ(in.Remaining(), 0);
    ASSERT_EQ(read.size(), runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
      ASSERT_EQ(read[i].length, runs[i].length) << i;
      ASSERT_EQ(*read[i].attributes.overrides, *runs[i].attributes.overrides) << i;
    }
  }
}

}  // namespace
