// Items anchored through a story: the item at an index, the owners a story revisits when it finishes,
// the passes of Finish at level 0 when composition adds pages, and the range a story opened through a
// frame takes from the text selection. The story runs through two linked one-line frames (60 x 20 and
// 66 x 20, Liberation Mono 10 pt): "aaaa bbbb " | "cccc dddd " | overset "eeee\r".
#include "host/compose/ComposeIDs.h"
#include "host/layout/ILayoutCmdData.h"
#include "host/notify/ISubject.h"
#include "host/ui/Selection.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/model/VyStory.h"
#include "tests/host/compose/ComposeFixture.h"

namespace {

using kesto::VyStory;

class VyStoryAnchorsTest : public compose_test::ComposeFixture {
 public:
  void SetUp() override {
    ComposeFixture::SetUp();
    ASSERT_EQ(kesto::RegisterKestoAttributes(), kSuccess);
    Story(u"aaaa bbbb cccc dddd eeee", {{0, 0, 60, 20}, {100, 0, 166, 20}});
  }
  void TearDown() override {
    Selection::Get().Clear();
    ComposeFixture::TearDown();
  }
  UID Rectangle() {
    std::vector<UID> made;
    EXPECT_EQ(Run(kCreateRectangleCmdBoss, {}, {.bounds = {500, 500, 520, 530}, .target = spread_}, &made),
              kSuccess);
    return made.empty() ? kInvalidUID : made[0];
  }
  // Puts a U+FFFC at `index` of `story` (relative to its base) and anchors `item` on it as a custom item,
  // which leaves the lines as they were.
  bool AnchorAt(VyStory& story, int32_t index, UID item) {
    story.SetRange(index, index, false);
    return story.InsertText(u"\uFFFC", 1) && story.AnchorItemAt(index, item, AnchorKind::kCustom);
  }
};

TEST_F(VyStoryAnchorsTest, TheItemAtAnIndexCountsFromTheBase) {
  UID item = Rectangle();
  VyStory whole(db_, story_, 0, 0);
  ASSERT_TRUE(AnchorAt(whole, 12, item));
  EXPECT_EQ(whole.InlineItemAt(12), item);
  EXPECT_EQ(whole.InlineItemAt(11), kInvalidUID);
  EXPECT_EQ(whole.GetAnchoredItems(), std::vector<UID>{item});
  VyStory second(db_, frames_[1]);
  ASSERT_EQ(second.GetBaseIndex(), 10);
  EXPECT_EQ(second.InlineItemAt(2), item);
  // A character anchoring an item already, and an index with no anchor character, are refused.
  EXPECT_FALSE(whole.AnchorItemAt(12, Rectangle(), AnchorKind::kInline));
  EXPECT_FALSE(whole.AnchorItemAt(3, Rectangle(), AnchorKind::kInline));
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
}

// Inserts pages from inside the first "story composed" change, as a thread taking overset text would.
class PageAdder final : public IObserver {
 public:
  void Update(ClassID theChange, ISubject*, PMIID, void*) override {
    if (theChange != kStoryComposedChange || !cmd) return;
    (void)CmdUtils::ScheduleCommand(cmd.get());
    cmd.reset();
  }
  IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
  void AddRef() const override {}
  void Release() const override {}
  Boss* GetBoss() const override { return nullptr; }
  InterfacePtr<ICommand> cmd;
};

// The owners left to revisit after Finish(0): a second pass re-checks them only when the first one added
// pages, and keeps those whose character is still overset.
TEST_F(VyStoryAnchorsTest, FinishAtLevelZeroPassesAgainWhenPagesWereAdded) {
  const struct {
    const char* name;
    bool overset;
    bool addPages;
    bool revisitLeft;
  } rows[] = {
      {"in a frame, no pages added", false, false, true},
      {"in a frame, pages added", false, true, false},
      {"overset, no pages added", true, false, true},
      {"overset, pages added", true, true, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    VyStory story(db_, story_, 0, 0);
    UID item = Rectangle();
    ASSERT_TRUE(AnchorAt(story, row.overset ? Length() - 1 : 2, item));
    ASSERT_EQ(story.GetRevisitList(), std::vector<UID>{item});
    int32_t pages = LayoutUtils::CountPages(db_);
    PageAdder adder;
    if (row.addPages) {
      adder.cmd = CmdUtils::CreateCommand(kInsertPagesCmdBoss);
      adder.cmd->SetItemList(UIDList(db_, {}));
      InterfacePtr<ILayoutCmdData>(adder.cmd.get(), IID_ILAYOUTCMDDATA)->Params().target = spread_;
    }
    auto subject = Instantiate<ISubject>(db_, db_->GetRootUID());
    subject->AttachObserver(&adder, IID_ICOMPOSECHANGES);
    story.Finish(0);
    subject->DetachObserver(&adder, IID_ICOMPOSECHANGES);
    EXPECT_EQ(LayoutUtils::CountPages(db_), pages + (row.addPages ? 1 : 0));
    EXPECT_EQ(story.GetRevisitList().empty(), !row.revisitLeft);
    EXPECT_TRUE(story.GetAnchoredItems().empty());
    EXPECT_FALSE(StoryComposer::NeedsComposition(db_, story_));
  }
}

TEST_F(VyStoryAnchorsTest, AnAnchoredFrameLeftOversetIsRevisited) {
  UID frame = Frame(spread_, {0, 300, 12, 320});
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, LayoutUtils::StoryOfFrame(db_, frame)), 0, u"abc"),
            kSuccess);
  VyStory story(db_, story_, 0, 0);
  ASSERT_TRUE(AnchorAt(story, 2, frame));
  story.Finish(10);  // composes the frame's own text, which overflows, and places the character
  EXPECT_TRUE(story.GetAnchoredItems().empty());
  EXPECT_EQ(story.GetRevisitList(), std::vector<UID>{frame});
  ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(db_, LayoutUtils::StoryOfFrame(db_, frame)), 0, 2), kSuccess);
  story.Finish(0);
  story.Finish(20);  // re-checks: the frame's text fits now
  EXPECT_TRUE(story.GetRevisitList().empty());
}

TEST_F(VyStoryAnchorsTest, OpenedThroughAFrameTheRangeIsTheSelectionInIt) {
  const struct {
    const char* name;
    int32_t start, end;
    int32_t rangeStart, rangeEnd;  // relative to the second frame's first text, 10
  } rows[] = {
      {"in the frame", 12, 14, 2, 4},
      {"a caret at its end", 20, 20, 10, 10},
      {"in the frame before", 1, 3, 0, 0},
      {"across both frames", 8, 12, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Selection::Get().SelectText(UIDRef(db_, story_), row.start, row.end);
    VyStory story(db_, frames_[1]);
    int32_t start = -1, end = -1;
    story.GetRange(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(row.rangeStart, row.rangeEnd));
  }
  // Moving the range moves the selection along; a story shown in no frame selects nothing.
  VyStory story(db_, frames_[1]);
  story.SetRange(1, 3, true);
  EXPECT_EQ(std::make_pair(Selection::Get().GetStart(), Selection::Get().GetEnd()), std::make_pair(11, 13));
}

}  // namespace
