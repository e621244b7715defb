// Progress bars: none without a front end's display; positions in range; a cancel is kept.
#include "host/ui/RangeProgressBar.h"

#include <gtest/gtest.h>

namespace {

struct Seen {
  std::string title, task;
  double fraction = -1;
  int events = 0, hides = 0;
  int cancelAt = 0;
};

class RecordingDisplay : public IProgressDisplay {
 public:
  explicit RecordingDisplay(Seen& seen) : seen_(seen) {}
  void Show(std::string_view title, std::string_view task) override {
    seen_.title = title;
    seen_.task = task;
  }
  void SetFraction(double fraction) override { seen_.fraction = fraction; }
  bool ProcessEvents() override { return ++seen_.events == seen_.cancelAt; }
  void Hide() override { ++seen_.hides; }

 private:
  Seen& seen_;
};

class RangeProgressBarTest : public ::testing::Test {
 protected:
  void TearDown() override { RangeProgressBar::SetDisplayFactory({}); }
  Seen seen_;
  void Install() {
    RangeProgressBar::SetDisplayFactory([this] { return std::make_unique<RecordingDisplay>(seen_); });
  }
};

TEST_F(RangeProgressBarTest, NoDisplayOrNoRangeMeansNoBar) {
  EXPECT_EQ(nullptr, RangeProgressBar::Create("T", "task", 0, 100));
  Install();
  EXPECT_EQ(nullptr, RangeProgressBar::Create("T", "task", 5, 5));
  EXPECT_EQ(0, seen_.hides);
}

TEST_F(RangeProgressBarTest, PositionsAreClampedAndShownAsFractions) {
  Install();
  {
    auto bar = RangeProgressBar::Create("Title", "Task", 10, 20);
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ("Title", seen_.title);
    EXPECT_EQ("Task", seen_.task);
    struct Row {
      int32_t position, kept;
      double fraction;
    } rows[] = {{15, 15, 0.5}, {-3, 10, 0.0}, {25, 20, 1.0}, {12, 12, 0.2}};
    for (const Row& row : rows) {
      SCOPED_TRACE(row.position);
      bar->SetPosition(row.position);
      EXPECT_EQ(row.kept, bar->GetPosition());
      EXPECT_DOUBLE_EQ(row.fraction, seen_.fraction);
    }
  }
  EXPECT_EQ(1, seen_.hides);
}

TEST_F(RangeProgressBarTest, ACancelIsKept) {
  seen_.cancelAt = 2;
  Install();
  auto bar = RangeProgressBar::Create("T", "t", 0, 100);
  EXPECT_FALSE(bar->ProcessEvents());
  EXPECT_TRUE(bar->ProcessEvents());
  EXPECT_TRUE(bar->ProcessEvents());
  EXPECT_TRUE(bar->WasCancelled());
  EXPECT_EQ(2, seen_.events);
}

}  // namespace
