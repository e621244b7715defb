// Queries on a story in two linked one-line frames (60 x 20, Liberation Mono 10 pt) with overset text.
#include <functional>

#include "host/compose/StoryQueries.h"
#include "tests/host/compose/ComposeFixture.h"

namespace compose_test {
namespace {

class StoryQueriesTest : public ComposeFixture {
 public:
  void SetUp() override {
    ComposeFixture::SetUp();
    // "aaaa bbbb " | "cccc dddd " | overset "eeee\r"
    Story(u"aaaa bbbb cccc dddd eeee", {{0, 0, 60, 20}, {100, 0, 166, 20}});
  }
};

TEST_F(StoryQueriesTest, FrameAndBaselineOfAnIndex) {
  struct Row {
    int32_t index;
    int frame;
    std::optional<double> baseline;
  };
  const Row rows[] = {{0, 0, kAscent},  {9, 0, kAscent},       {10, 1, kAscent},
                      {19, 1, kAscent}, {20, 1, std::nullopt}, {24, 1, std::nullopt}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    EXPECT_EQ(StoryQueries::FrameAt(db_, story_, row.index), frames_[row.frame]);
    EXPECT_EQ(StoryQueries::BaselineAt(db_, story_, row.index), row.baseline);
  }
  EXPECT_EQ(StoryQueries::FrameSizeAt(db_, story_, 12), (PMPoint{66, 20}));
  EXPECT_DOUBLE_EQ(StoryQueries::ComposedTextHeight(db_, frames_[1]), kAscent + kDescent);
  EXPECT_DOUBLE_EQ(StoryQueries::AscentAt(db_, story_, 3), kAscent);
}

TEST_F(StoryQueriesTest, QueriesComposeOnlyAsFarAsTheirIndex) {
  ASSERT_TRUE(StoryComposer::NeedsComposition(db_, story_));
  EXPECT_EQ(StoryQueries::FrameAt(db_, story_, 3), frames_[0]);
  EXPECT_TRUE(StoryComposer::NeedsComposition(db_, story_));
  EXPECT_EQ(StoryQueries::BaselineAt(db_, story_, 12), kAscent);
  EXPECT_EQ(StoryQueries::FrameAt(db_, story_, 22), frames_[1]);
  EXPECT_FALSE(StoryComposer::NeedsComposition(db_, story_));
}

TEST_F(StoryQueriesTest, NothingAnswersForAStoryWithoutFrames) {
  UID story;
  ASSERT_EQ(TextCmdUtils::NewStory(db_, story), kSuccess);
  EXPECT_EQ(StoryQueries::FrameAt(db_, story, 0), kInvalidUID);
  EXPECT_EQ(StoryQueries::FrameSizeAt(db_, story, 0), std::nullopt);
  EXPECT_EQ(StoryQueries::BaselineAt(db_, story, 0), std::nullopt);
}

TEST_F(StoryQueriesTest, OddAndEvenPageBreaksSkipPages) {
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 4, u"\r"), kSuccess);
  for (int32_t kind = 0; kind <= 5; ++kind) {
    SCOPED_TRACE(kind);
    Set(kTextAttrBreakKind, kind, 0, 1);
    EXPECT_EQ(StoryQueries::OverflowSkipsPages(db_, story_, 5), kind >= 4);
    EXPECT_FALSE(StoryQueries::OverflowSkipsPages(db_, story_, 3));
  }
}

TEST_F(StoryQueriesTest, PageChangesAndStyleEditsRecomposeEveryStory) {
  UID style = Instantiate<ITextModel>(db_, story_)->GetParagraphRun(0).style;
  AttributeBossList spaced;
  ASSERT_EQ(spaced.ApplyValue(kTextAttrLeftIndent, 6.0), kSuccess);
  const std::pair<const char*, std::function<ErrorCode()>> rows[] = {
      {"insert pages", [&] { return Run(kInsertPagesCmdBoss, {}, {.target = Spread(0), .position = 0}); }},
      {"edit style", [&] { return TextCmdUtils::SetStyleAttributes(UIDRef(db_, style), spaced); }},
      {"undo", [&] { return CmdUtils::Undo(db_); }},
  };
  for (const auto& [name, change] : rows) {
    SCOPED_TRACE(name);
    Compose();
    ASSERT_FALSE(StoryComposer::NeedsComposition(db_, story_));
    ASSERT_EQ(change(), kSuccess);
    EXPECT_TRUE(StoryComposer::NeedsComposition(db_, story_));
  }
  EXPECT_EQ(Lines(0), (std::vector<std::string>{"0-10@0,8.3251953125"}));
}

}  // namespace
}  // namespace compose_test
