// Paragraph records kept as runs answer, after any edits, what one record per paragraph would, and merge
// equal neighbours.
#include <gtest/gtest.h>

#include <random>

#include "host/text/ParagraphRuns.h"

namespace {

using Record = ParagraphRuns::Record;

::testing::AssertionResult AgreesWith(const ParagraphRuns& runs, const std::vector<Record>& model) {
  if (runs.Count() != static_cast<int32_t>(model.size()))
    return ::testing::AssertionFailure() << "count " << runs.Count() << " for " << model.size();
  for (size_t i = 0; i < model.size(); ++i) {
    const Record& at = runs.At(static_cast<int32_t>(i));
    if (at.style != model[i].style || at.overrides != model[i].overrides)
      return ::testing::AssertionFailure() << "record " << i;
  }
  size_t runsExpected = 0;
  for (size_t i = 0; i < model.size(); ++i) {
    if (i == 0 || model[i].style != model[i - 1].style || model[i].overrides != model[i - 1].overrides)
      ++runsExpected;
  }
  if (runs.CountRuns() != runsExpected)
    return ::testing::AssertionFailure() << runs.CountRuns() << " runs for " << runsExpected;
  return ::testing::AssertionSuccess();
}

TEST(ParagraphRunsTest, EditsAgreeWithOneRecordPerParagraph) {
  std::mt19937 random(7);
  // Few distinct records, so that runs form and break up.
  auto record = [&] { return Record{UID(1 + random() % 3), EmptyAttributeList()}; };
  ParagraphRuns runs;
  std::vector<Record> model;
  for (int step = 0; step < 2000; ++step) {
    auto count = static_cast<int32_t>(model.size());
    auto pick = [&](int32_t bound) { return bound > 0 ? static_cast<int32_t>(random() % (bound + 1)) : 0; };
    switch (random() % 5) {
      case 0: {
        int32_t at = pick(count);
        std::vector<Record> added(random() % 6);
        for (Record& r : added)
          r = record();
        model.insert(model.begin() + at, added.begin(), added.end());
        runs.Insert(at, added);
        break;
      }
      case 1: {
        int32_t first = pick(count), last = first + pick(count - first);
        model.erase(model.begin() + first, model.begin() + last);
        runs.Erase(first, last);
        break;
      }
      case 2:
        if (count > 0) {
          int32_t at = static_cast<int32_t>(random() % count);
          model[at] = record();
          runs.Set(at, model[at]);
        }
        break;
      case 3: {
        int32_t first = pick(count), last = first + pick(count - first);
        ParagraphRuns slice = runs.Slice(first, last);
        ASSERT_TRUE(AgreesWith(slice, {model.begin() + first, model.begin() + last})) << "slice " << first;
        // A slice put back where it came from changes nothing; appended, it continues the runs.
        ParagraphRuns again = runs;
        again.Erase(first, last);
        again.Insert(first, slice);
        ASSERT_TRUE(AgreesWith(again, model)) << "slice put back at " << first;
        again.Insert(again.Count(), slice);
        std::vector<Record> appended = model;
        appended.insert(appended.end(), model.begin() + first, model.begin() + last);
        ASSERT_TRUE(AgreesWith(again, appended)) << "slice appended";
        break;
      }
      default: {
        int32_t size = pick(count + 3);
        model.resize(size, model.empty() ? Record() : model.back());
        runs.Resize(size);
      }
    }
    ASSERT_TRUE(AgreesWith(runs, model)) << "after step " << step;
  }
}

TEST(ParagraphRunsTest, ARowOfEqualParagraphsIsOneRun) {
  std::vector<Record> records(10000, Record{UID(5), EmptyAttributeList()});
  ParagraphRuns runs;
  runs.Assign(records);
  EXPECT_EQ(runs.Count(), 10000);
  EXPECT_EQ(runs.CountRuns(), 1u);
  runs.Set(5000, Record{UID(6), EmptyAttributeList()});
  EXPECT_EQ(runs.CountRuns(), 3u);
  runs.Set(5000, Record{UID(5), EmptyAttributeList()});
  EXPECT_EQ(runs.CountRuns(), 1u);
}

}  // namespace
