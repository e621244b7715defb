// Pending runs of a streaming story: recording, splitting, cutting and attribute application keep the runs
// canonical and their lengths equal to the pending length.
#include "kesto/model/PendingRuns.h"

#include <gtest/gtest.h>

#include <string>

#include "host/text/AttributeClasses.h"
#include "tests/kesto/model/ModelTestSupport.h"

namespace kesto {
namespace {

using kesto_test::Attrs;

// The runs as text: "3:s1 2:s2 | 4:{} 1:{...}", so that a whole layout compares at once.
std::string Describe(const PendingRuns& runs) {
  std::string out;
  for (const auto& run : runs.StyleRuns())
    out += std::to_string(run.length) + ":s" + std::to_string(run.style.Get()) + " ";
  out += "|";
  for (const auto& run : runs.OverrideRuns())
    out += " " + std::to_string(run.length) + ":" + runs.List(run.list)->ToJson();
  return out;
}

class PendingRunsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    bold_ = Attrs({{kTextAttrPointSize, 14.0}});
  }
  void ExpectSound(const PendingRuns& runs) { EXPECT_EQ(runs.Check(), "") << Describe(runs); }

  AttributeBossList bold_;
  AttributeBossList none_;
};

TEST_F(PendingRunsTest, RecordingMergesEqualNeighboursAndSplitsInside) {
  struct Row {
    const char* name;
    std::vector<std::tuple<int32_t, int32_t, uint32_t, bool>> records;  // at, length, style, 14pt
    std::string expected;
  };
  const Row rows[] = {
      {"equal appends grow one run", {{0, 3, 1, false}, {3, 2, 1, false}}, "5:s1 | 5:{}"},
      {"a style change alone splits only the style runs",
       {{0, 3, 1, false}, {3, 2, 2, false}},
       "3:s1 2:s2 | 5:{}"},
      {"an override change alone splits only the override runs",
       {{0, 3, 1, false}, {3, 2, 1, true}},
       "5:s1 | 3:{} 2:{\"6915\":14}"},
      {"a run inside splits the run it falls in",
       {{0, 4, 1, false}, {2, 3, 2, true}},
       "2:s1 3:s2 2:s1 | 2:{} 3:{\"6915\":14} 2:{}"},
      {"a run inside with equal attributes merges", {{0, 4, 1, false}, {2, 3, 1, false}}, "7:s1 | 7:{}"},
      {"a run at the front", {{0, 2, 1, false}, {0, 1, 2, false}}, "1:s2 2:s1 | 3:{}"},
      {"a position past the end appends",
       {{0, 2, 1, false}, {99, 1, 1, true}},
       "3:s1 | 2:{} 1:{\"6915\":14}"},
      {"empty records change nothing", {{0, 2, 1, false}, {1, 0, 2, true}}, "2:s1 | 2:{}"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PendingRuns runs;
    int32_t total = 0;
    for (auto [at, length, style, big] : row.records) {
      runs.Record(at, length, UID(style), big ? bold_ : none_);
      total += std::max(length, 0);
      ExpectSound(runs);
    }
    EXPECT_EQ(Describe(runs), row.expected);
    EXPECT_EQ(runs.GetLength(), total);
  }
}

TEST_F(PendingRunsTest, CutRemovesCharactersAcrossRunsAndMergesWhatMeets) {
  struct Row {
    const char* name;
    int32_t at, length;
    std::string expected;
  };
  // Runs before each cut: 2:s1 2:s2 2:s1 | 2:{} 2:{14} 2:{}.
  const Row rows[] = {
      {"inside one run", 2, 1, "2:s1 1:s2 2:s1 | 2:{} 1:{\"6915\":14} 2:{}"},
      {"a whole middle run, so that its neighbours merge", 2, 2, "4:s1 | 4:{}"},
      {"across run edges", 1, 4, "2:s1 | 2:{}"},
      {"everything", 0, 6, "|"},
      {"clamped at the end", 5, 10, "2:s1 2:s2 1:s1 | 2:{} 2:{\"6915\":14} 1:{}"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PendingRuns runs;
    runs.Record(0, 2, UID(1), none_);
    runs.Record(2, 2, UID(2), bold_);
    runs.Record(4, 2, UID(1), none_);
    runs.Cut(row.at, row.length);
    ExpectSound(runs);
    EXPECT_EQ(Describe(runs), row.expected);
  }
}

TEST_F(PendingRunsTest, AppliedAttributeSplitsOverrideRunsAtTheRangeEdges) {
  InterfacePtr<ITextAttribute> size = CreateTextAttribute(kTextAttrPointSize, 14.0);
  PendingRuns runs;
  runs.Record(0, 6, UID(1), none_);
  runs.ApplyAttribute(2, 2, size.get());
  ExpectSound(runs);
  EXPECT_EQ(Describe(runs), "6:s1 | 2:{} 2:{\"6915\":14} 2:{}");
  // Applying it to the rest makes one run again.
  runs.ApplyAttribute(0, 2, size.get());
  runs.ApplyAttribute(4, 9, size.get());
  ExpectSound(runs);
  EXPECT_EQ(Describe(runs), "6:s1 | 6:{\"6915\":14}");
}

// A list of its own attribute object, equal in value to any other of that size.
AttributeBossList FreshList(double size) {
  InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(kTextAttrPointSize, size);
  attribute->Freeze();
  AttributeBossList list;
  (void)list.ApplyAttribute(attribute.get());
  return list;
}

// Runs take lists again as the very objects taken before, as equal lists of other objects, and after a reset
// that forgets every list: each value keeps one shared list, however it is found.
TEST_F(PendingRunsTest, EqualListsTakeOneSharedListHoweverTheyComeBack) {
  // A few lists, and more than the runs remember by their objects.
  for (int sizes : {10, 1100}) {
    std::vector<AttributeBossList> kept;
    for (int n = 0; n < sizes; ++n)
      kept.push_back(FreshList(6 + n));
    PendingRuns runs;
    for (int pass = 0; pass < 2; ++pass) {
      SCOPED_TRACE(std::to_string(sizes) + " lists, pass " + std::to_string(pass));
      // After the reset another list comes first, so that the lists are numbered differently.
      size_t lead = pass;
      if (lead) runs.Record(0, 1, UID(1), FreshList(5));
      for (int round = 0; round < 3; ++round) {
        for (int n = 0; n < sizes; ++n)
          runs.Record(runs.GetLength(), 1, UID(1), round < 2 ? kept[n] : FreshList(6 + n));
      }
      ExpectSound(runs);
      const std::vector<PendingRuns::OverrideRun>& taken = runs.OverrideRuns();
      ASSERT_EQ(taken.size(), lead + 3 * sizes);
      for (size_t n = 0; n < kept.size(); ++n) {
        ASSERT_EQ(*runs.List(taken[lead + n].list), kept[n]);
        EXPECT_EQ(taken[lead + sizes + n].list, taken[lead + n].list);
        EXPECT_EQ(taken[lead + 2 * sizes + n].list, taken[lead + n].list);
      }
      runs.Reset();
    }
  }
}

TEST_F(PendingRunsTest, ResetMovesTheStartPastTheSpan) {
  PendingRuns runs;
  runs.SetStart(10);
  runs.Record(0, 4, UID(1), bold_);
  runs.Reset();
  EXPECT_EQ(runs.GetStart(), 14);
  EXPECT_TRUE(runs.IsEmpty());
  EXPECT_TRUE(runs.StyleRuns().empty());
  EXPECT_TRUE(runs.OverrideRuns().empty());
}

}  // namespace
}  // namespace kesto
