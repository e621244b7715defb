// Stories opened through a frame, where their text sits in frames, finishing at each level and switching
// stories, on a story in two linked one-line frames (60 x 20 and 66 x 20, Liberation Mono 10 pt):
// "aaaa bbbb " | "cccc dddd " | overset "eeee\r".
#include "host/compose/ComposeClasses.h"
#include "host/compose/ComposeIDs.h"
#include "host/layout/ILayoutCmdData.h"
#include "host/notify/ISubject.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/model/VyStreamingStory.h"
#include "kesto/model/XStory.h"
#include "tests/host/compose/ComposeFixture.h"

namespace {

using kesto::VyStory;

class VyStoryFramesTest : public compose_test::ComposeFixture {
 public:
  void SetUp() override {
    ComposeFixture::SetUp();
    ASSERT_EQ(kesto::RegisterKestoAttributes(), kSuccess);
    Story(u"aaaa bbbb cccc dddd eeee", {{0, 0, 60, 20}, {100, 0, 166, 20}});
  }
};

TEST_F(VyStoryFramesTest, FrameAndBaselineOfAnIndex) {
  VyStory story(db_, story_, 12, 14);
  struct Row {
    int32_t index;
    int frame;
    std::optional<double> baseline;
  };
  // -1 stands for the range start; overset text answers the last frame but no baseline.
  const Row rows[] = {{0, 0, compose_test::kAscent},
                      {9, 0, compose_test::kAscent},
                      {10, 1, compose_test::kAscent},
                      {-1, 1, compose_test::kAscent},
                      {20, 1, std::nullopt}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    EXPECT_EQ(story.FrameAt(row.index), frames_[row.frame]);
    std::optional<VyStory::LinePosition> line = story.BaselineAt(row.index);
    EXPECT_EQ(line.has_value(), row.baseline.has_value());
    if (line) {
      EXPECT_EQ(*line, (VyStory::LinePosition{frames_[row.frame], *row.baseline}));
    }
  }
  EXPECT_EQ(story.FrameSizeAt(-1), (PMPoint{66, 20}));
  EXPECT_EQ(story.FrameSizeAt(3), (PMPoint{60, 20}));
  EXPECT_EQ(story.InlineItemAt(3), kInvalidUID);
}

TEST_F(VyStoryFramesTest, PendingTextIsInsertedBeforeItIsLookedFor) {
  kesto::VyStreamingStory story(db_, story_, 0, 0);
  ASSERT_TRUE(story.InsertText(u"zzzzzzzzzz", 10));
  ASSERT_FALSE(story.GetPendingText().empty());
  // "zzzzzzzzzz" fills the first frame and pushes "aaaa bbbb " into the second.
  EXPECT_EQ(story.FrameAt(12), frames_[1]);
  EXPECT_EQ(Length(), 35);
}

TEST_F(VyStoryFramesTest, AStoryWithoutFramesAnswersNothing) {
  UID bare;
  ASSERT_EQ(TextCmdUtils::NewStory(db_, bare), kSuccess);
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, bare), 0, u"abc"), kSuccess);
  VyStory story(db_, bare, 0, 0);
  EXPECT_EQ(story.FrameAt(1), kInvalidUID);
  EXPECT_EQ(story.FrameSizeAt(1), std::nullopt);
  EXPECT_EQ(story.BaselineAt(1), std::nullopt);
  story.Finish(0);  // nothing to compose
}

TEST_F(VyStoryFramesTest, OpenedThroughAFrameTheBaseIsTheFramesFirstText) {
  const std::pair<int, int32_t> rows[] = {{0, 0}, {1, 10}};
  for (auto [frame, base] : rows) {
    SCOPED_TRACE(frame);
    VyStory story(db_, frames_[frame]);
    ASSERT_TRUE(story.IsValid());
    EXPECT_EQ(story.GetBaseIndex(), base);
    EXPECT_EQ(story.FrameAt(-1), frames_[frame]);
  }
  EXPECT_FALSE(VyStory(db_, spread_).IsValid());
}

TEST_F(VyStoryFramesTest, AnImportThroughAFrameGoesInFrontOfItsFirstText) {
  {
    kesto::XStory story(db_, frames_[1]);
    story.BeginImport();
    ASSERT_TRUE(story.InsertText(u"new\rxy", 6));
    story.EndImport();
  }
  auto text = Instantiate<ITextModel>(db_, story_);
  // The text lands at the frame's first text, and the placeholder return that held it apart is gone.
  EXPECT_EQ(text->GetText(0, text->TotalLength()), u"aaaa bbbb new\rxycccc dddd eeee\r");
}

TEST_F(VyStoryFramesTest, SwitchingStoriesLeavesWhatWasPendingBehind) {
  UID other;
  ASSERT_EQ(TextCmdUtils::NewStory(db_, other), kSuccess);
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, other), 0, u"xyz"), kSuccess);
  {
    kesto::XStory story(db_, frames_[1]);
    story.BeginImport();
    ASSERT_TRUE(story.InsertText(u"new", 3));
    story.SwitchToStory(other, 1, 9);
    EXPECT_EQ(story.GetBaseIndex(), 0);
    int32_t start = 0;
    int32_t end = 0;
    story.GetRange(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(1, 3));  // not over the final return
    ASSERT_TRUE(story.InsertText(u"Q", 1));
    story.EndImport();
  }
  auto text = [&](UID uid) {
    auto model = Instantiate<ITextModel>(db_, uid);
    return model->GetText(0, model->TotalLength());
  };
  EXPECT_EQ(text(story_), u"aaaa bbbb newcccc dddd eeee\r");
  EXPECT_EQ(text(other), u"xQ\r");
}

TEST_F(VyStoryFramesTest, APlainStreamingStoryLeavesWhatWasPendingBehindToo) {
  UID other;
  ASSERT_EQ(TextCmdUtils::NewStory(db_, other), kSuccess);
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, other), 0, u"xyz"), kSuccess);
  {
    kesto::VyStreamingStory story(db_, story_, 0, 0);
    ASSERT_TRUE(story.InsertText(u"new", 3));
    story.SwitchToStory(other, 0, 0);
    ASSERT_TRUE(story.InsertText(u"Q", 1));
  }
  auto text = [&](UID uid) {
    auto model = Instantiate<ITextModel>(db_, uid);
    return model->GetText(0, model->TotalLength());
  };
  EXPECT_EQ(text(story_), u"newaaaa bbbb cccc dddd eeee\r");
  EXPECT_EQ(text(other), u"Qxyz\r");
}

// Schedules one command from inside the next "story composed" change, as an observer of the layout would.
class SchedulingListener final : public IObserver {
 public:
  void Update(ClassID theChange, ISubject*, PMIID, void*) override {
    if (theChange == kStoryComposedChange && schedule) (void)CmdUtils::ScheduleCommand(schedule.get());
    schedule.reset();
  }
  IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
  void AddRef() const override {}
  void Release() const override {}
  Boss* GetBoss() const override { return nullptr; }
  InterfacePtr<ICommand> schedule;
};

TEST_F(VyStoryFramesTest, FinishComposesByLevel) {
  struct Row {
    int32_t level;
    bool composed;
    uint64_t recomposeCommands;
  };
  const Row rows[] = {{0, true, 0},  {-1, true, 0},  {1, true, 1},
                      {10, true, 1}, {11, false, 0}, {20, false, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.level);
    ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 0, u"x"), kSuccess);
    ASSERT_TRUE(StoryComposer::NeedsComposition(db_, story_));
    uint64_t before = CmdUtils::CountProcessed(kRecomposeCmdBoss);
    VyStory(db_, story_, 0, 0).Finish(row.level);
    EXPECT_EQ(StoryComposer::NeedsComposition(db_, story_), !row.composed);
    EXPECT_EQ(CmdUtils::CountProcessed(kRecomposeCmdBoss) - before, row.recomposeCommands);
  }
}

TEST_F(VyStoryFramesTest, FinishRunsWhatCompositionScheduledAndComposesOn) {
  SchedulingListener listener;
  listener.schedule = CmdUtils::CreateCommand(kSetFrameInsetsCmdBoss);
  listener.schedule->SetItemList(UIDList(db_, {frames_[0]}));
  auto data = InterfacePtr<ILayoutCmdData>(listener.schedule.get(), IID_ILAYOUTCMDDATA);
  data->Params().options.insets = {0, 12, 0, 0};
  auto subject = Instantiate<ISubject>(db_, db_->GetRootUID());
  subject->AttachObserver(&listener, IID_ICOMPOSECHANGES);
  VyStory(db_, story_, 0, 0).Finish(0);
  subject->DetachObserver(&listener, IID_ICOMPOSECHANGES);
  EXPECT_EQ(CmdUtils::CountScheduledCmds(), 0u);
  EXPECT_FALSE(StoryComposer::NeedsComposition(db_, story_));
  // The inset the scheduled command set leaves 48 points: "aaaa " in the first frame.
  EXPECT_EQ(StoryComposer::GetLayout(db_, story_)->frames[0].span, 5);
}

}  // namespace
