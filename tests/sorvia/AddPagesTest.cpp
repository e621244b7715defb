// Page adding for overset thread stories, driven by the document watcher: where pages go in each mode
// (one and two pages per spread, two sections), the bounds that keep a hopeless story from looping, the
// watcher's own commands starting no new work, and undo of an import with its pages as one step.
#include "tests/sorvia/AutoFlowFixture.h"

namespace sorvia_test {
namespace {

using AddPagesTest = AutoFlowFixture;

TEST_F(AddPagesTest, EachModePutsThePagesWhereItSays) {
  struct Case {
    const char* name;
    Shape shape;
    AddPagesMode mode;
    std::vector<int32_t> framePages;  // of the main story, after 120 lines (three frames' worth)
  };
  const Case cases[] = {
      {"off", {}, AddPagesMode::kOff, {0}},
      {"one per spread", {}, AddPagesMode::kAfterStoryPage, {0, 1, 2}},
      {"after the page", {.pages = 4, .sections = {{1}, {3}}}, AddPagesMode::kAfterStoryPage, {0, 1, 2}},
      {"end of section", {.pages = 4, .sections = {{1}, {3}}}, AddPagesMode::kEndOfSection, {0, 2, 3}},
      {"end of document", {.pages = 4, .sections = {{1}, {3}}}, AddPagesMode::kEndOfDocument, {0, 4, 5}},
      {"facing", {.facing = true, .pages = 3}, AddPagesMode::kEndOfDocument, {0, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make(c.shape, c.mode);
    Fill(120);
    EXPECT_EQ(c.framePages, FramePages());
    EXPECT_EQ(c.mode == AddPagesMode::kOff, IsOversetThreadStory(db_, MainFrames()));
    EXPECT_EQ(0u, CmdUtils::CountScheduledCmds());
    if (c.shape.facing) EXPECT_EQ((std::vector<int32_t>{1, 2, 2}), SpreadSizes());
    if (c.name == std::string("one per spread")) EXPECT_EQ(std::vector<int32_t>(3, 1), SpreadSizes());
    TearDown();
    db_ = nullptr;
  }
}

TEST_F(AddPagesTest, AMasterFrameTooSmallForALineAddsOnePageOnlyOnce) {
  Make({}, AddPagesMode::kAfterStoryPage, 4);
  Fill(150);
  EXPECT_EQ(2, LayoutUtils::CountPages(db_));
  EXPECT_TRUE(IsOversetThreadStory(db_, MainFrames()));
  // The story now ends in an empty frame on a page of its own: more text adds nothing.
  Fill(10);
  EXPECT_EQ(2, LayoutUtils::CountPages(db_));
}

TEST_F(AddPagesTest, UndoTakesBackTheTextWithItsPagesInOneStep) {
  Make({}, AddPagesMode::kAfterStoryPage);
  db_->ClearUndo();
  ICommandSequence* sequence = CmdUtils::BeginCommandSequence();
  Fill(300);
  ASSERT_EQ(kSuccess, CmdUtils::EndCommandSequence(sequence));
  std::string done = Dump();
  int32_t pages = LayoutUtils::CountPages(db_);
  ASSERT_GT(pages, 5);
  ASSERT_EQ(kSuccess, CmdUtils::Undo(db_));
  EXPECT_EQ(1, LayoutUtils::CountPages(db_));
  EXPECT_FALSE(db_->CanUndo());
  ASSERT_EQ(kSuccess, CmdUtils::Redo(db_));
  EXPECT_EQ(pages, LayoutUtils::CountPages(db_));
  EXPECT_EQ(done, Dump());
}

}  // namespace
}  // namespace sorvia_test
