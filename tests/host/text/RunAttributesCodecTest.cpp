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

// Paragraph records go as runs with their counts; a count a block cannot hold is damage, never a huge or
// negative block.
TEST(RunAttributesCodecTest, ParagraphRunsReadBackAndImpossibleCountsAreRefused) {
  testing_support::EnsureHost();
  std::vector<StyledText::Attributes> records(5000, {UID(3), SizeList(9)});
  records[17].overrides = SizeList(12);
  records.back().style = UID(4);
  ParagraphRuns runs;
  std::vector<StyledText::Attributes> taken = records;
  runs.Assign(taken);
  MemoryWriteStream out;
  RunAttributesCodec::XferParagraphRuns(&out, runs, 5000);
  std::vector<uint8_t> bytes = out.TakeBytes();
  EXPECT_LT(bytes.size(), 200u) << "written one per paragraph";
  const struct {
    const char* name;
    int32_t lastCount;  // the count patched into the last run; 0 keeps it
    int32_t limit;
    bool good;
  } rows[] = {
      {"as written", 0, 5000, true},
      {"more paragraphs than the block holds", 0, 4999, false},
      {"an empty run", -1, 5000, false},
      {"a negative count", INT32_MIN, 5000, false},
      {"a count past the limit's range", INT32_MAX, INT32_MAX, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<uint8_t> damaged = bytes;
    if (row.lastCount != 0) {
      auto count = static_cast<uint32_t>(row.lastCount == -1 ? 0 : row.lastCount);
      for (int i = 0; i < 4; ++i)
        damaged[damaged.size() - 4 + i] = static_cast<uint8_t>(count >> (8 * i));
    }
    MemoryReadStream in(damaged);
    ParagraphRuns read;
    RunAttributesCodec::XferParagraphRuns(&in, read, row.limit);
    EXPECT_EQ(in.IsGood(), row.good);
    if (!row.good) continue;
    ASSERT_EQ(read.Count(), 5000);
    EXPECT_EQ(read.CountRuns(), 4u);
    for (int32_t i : {0, 16, 17, 18, 4998, 4999}) {
      EXPECT_EQ(read.At(i).style, records[i].style) << i;
      EXPECT_EQ(*read.At(i).overrides, *records[i].overrides) << i;
    }
  }
}

}  // namespace
