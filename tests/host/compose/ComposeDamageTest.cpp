// What composition learns from edits: the damaged frame after text and layout commands and undo, the
// results after recomposing, the "story composed" change, and stopping when a command gets scheduled.
#include "host/compose/ComposeClasses.h"
#include "host/compose/ComposeIDs.h"
#include "host/layout/ILayoutCmdData.h"
#include "host/layout/IPageSetup.h"
#include "host/notify/ISubject.h"
#include "tests/host/compose/ComposeFixture.h"

namespace compose_test {
namespace {

// Counts the "story composed" changes of one story and, once, schedules a command from inside one.
class ComposedListener final : public IObserver {
 public:
  void Update(ClassID theChange, ISubject*, PMIID, void* changedBy) override {
    if (theChange != kStoryComposedChange) return;
    auto* change = static_cast<StoryComposedChange*>(changedBy);
    if (change->story != story) return;
    ++count;
    last = *change;
    if (schedule) {
      EXPECT_EQ(CmdUtils::ScheduleCommand(schedule.get()), kSuccess);
    }
    schedule.reset();
  }
  IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
  void AddRef() const override {}
  void Release() const override {}
  Boss* GetBoss() const override { return nullptr; }

  UID story;
  int count = 0;
  StoryComposedChange last;
  InterfacePtr<ICommand> schedule;
};

class ComposeDamageTest : public ComposeFixture {
 public:
  void SetUp() override {
    ComposeFixture::SetUp();
    // Three frames of one line each: "aaaa bbbb " "cccc dddd " "eeee ffff " and the return overset.
    Story(u"aaaa bbbb cccc dddd eeee ffff", {{0, 0, 60, 20}, {100, 0, 160, 20}, {200, 0, 260, 20}});
    Compose();
    listener_.story = story_;
    subject_ = Instantiate<ISubject>(db_, db_->GetRootUID());
    subject_->AttachObserver(&listener_, IID_ICOMPOSECHANGES);
  }
  void TearDown() override {
    subject_->DetachObserver(&listener_, IID_ICOMPOSECHANGES);
    subject_.reset();
    ComposeFixture::TearDown();
  }
  int32_t Damaged() const {
    return Instantiate<IFrameList>(db_, LayoutUtils::FrameListOfStory(db_, story_))->GetFirstDamagedFrame();
  }

  ComposedListener listener_;
  InterfacePtr<ISubject> subject_;
};

TEST_F(ComposeDamageTest, TextEditsDamageFromTheFrameOfTheEdit) {
  ASSERT_EQ(Damaged(), -1);
  // An edit in a frame's first line may let text go back to the frame before: in these one-line frames,
  // the frame before the edit's.
  const std::pair<int32_t, int32_t> rows[] = {{2, 0}, {10, 0}, {12, 0}, {25, 1}, {29, 1}};
  for (auto [position, frame] : rows) {
    SCOPED_TRACE(position);
    ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), position, u"x"), kSuccess);
    EXPECT_EQ(Damaged(), frame);
    ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(db_, story_), position, position + 1), kSuccess);
    EXPECT_EQ(StoryComposer::ComposeStory(db_, story_), kSuccess);
    EXPECT_EQ(Damaged(), -1);
    EXPECT_EQ(listener_.last.firstFrame, frame);
  }
}

TEST_F(ComposeDamageTest, RecomposingMatchesComposingAfresh) {
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 12, u"zz "), kSuccess);
  Set(kTextAttrPointSize, 5.0, 20, 24);
  auto all = [this] {
    std::vector<std::string> lines;
    for (int32_t i = 0; i < 3; ++i)
      for (const std::string& line : Lines(i))
        lines.push_back(line);
    return std::make_pair(lines, Compose().oversetStart);
  };
  auto recomposed = all();
  EXPECT_EQ(recomposed.first.size(), 3u);
  Instantiate<IStoryComposition>(db_, story_)->Invalidate();
  EXPECT_EQ(all(), recomposed);
}

TEST_F(ComposeDamageTest, LayoutCommandsAndUndoDamage) {
  ASSERT_EQ(Run(kSetFrameInsetsCmdBoss, {frames_[1]}, {.options = {.insets = {0, 12, 0, 0}}}), kSuccess);
  EXPECT_EQ(Damaged(), 1);
  EXPECT_EQ(Compose().frames[1].span, 5);  // "cccc " in 48 points
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_TRUE(StoryComposer::NeedsComposition(db_, story_));
  EXPECT_EQ(Compose().frames[1].span, 10);
}

TEST_F(ComposeDamageTest, StoryComposedInsideAndOutsideCommands) {
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 0, u"xxxxx "), kSuccess);
  EXPECT_EQ(StoryComposer::ComposeStory(db_, story_), kSuccess);
  {
    CommandSequenceScope sequence("Compose");
    Instantiate<IStoryComposition>(db_, story_)->Invalidate();
    EXPECT_EQ(StoryComposer::ComposeStory(db_, story_), kSuccess);
  }
  EXPECT_EQ(listener_.count, 2);
  EXPECT_TRUE(listener_.last.finished);
  EXPECT_TRUE(listener_.last.overset);
}

TEST_F(ComposeDamageTest, StopsWhenACommandIsScheduledAndTheIdleStepFinishes) {
  listener_.schedule = CmdUtils::CreateCommand(kSetFrameInsetsCmdBoss);
  listener_.schedule->SetItemList(UIDList(db_, {frames_[0]}));
  auto data = InterfacePtr<ILayoutCmdData>(listener_.schedule.get(), IID_ILAYOUTCMDDATA);
  data->Params().options.insets = {0, 6, 0, 0};
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 0, u"x"), kSuccess);
  EXPECT_EQ(StoryComposer::ComposeStory(db_, story_), kComposeStopped);
  EXPECT_EQ(CmdUtils::CountScheduledCmds(), 1u);
  EXPECT_EQ(ComposeUtils::RunIdleStep(db_), kSuccess);

  EXPECT_EQ(CmdUtils::CountScheduledCmds(), 0u);
  EXPECT_FALSE(StoryComposer::NeedsComposition(db_, story_));
  EXPECT_EQ(listener_.count, 2);
  EXPECT_EQ(Compose().frames[0].span, 6);  // "xaaaa " in 54 points
}

TEST_F(ComposeDamageTest, ATimerStopsBetweenFramesAndTheNextCallGoesOn) {
  Instantiate<IStoryComposition>(db_, story_)->Invalidate();
  EXPECT_EQ(StoryComposer::ComposeStory(db_, story_, ComposeTimer{std::chrono::steady_clock::now()}),
            kComposeStopped);
  EXPECT_EQ(Damaged(), 1);
  EXPECT_FALSE(listener_.last.finished);
  EXPECT_EQ(StoryComposer::ComposeStory(db_, story_), kSuccess);
  EXPECT_EQ(listener_.last.firstFrame, 1);
  EXPECT_EQ(Compose().oversetStart, 30);
}

TEST_F(ComposeDamageTest, TheRecomposeCommandComposesStoriesAndFrames) {
  const std::pair<const char*, ErrorCode> rows[] = {
      {"story", kSuccess}, {"frame", kSuccess}, {"spread", kInvalidParameterError}};
  for (auto [what, result] : rows) {
    SCOPED_TRACE(what);
    ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 0, u"x"), kSuccess);
    auto cmd = CmdUtils::CreateCommand(kRecomposeCmdBoss);
    UID item = std::string(what) == "story" ? story_ : std::string(what) == "frame" ? frames_[2] : Spread(0);
    cmd->SetItemList(UIDList(db_, {item}));
    EXPECT_EQ(CmdUtils::ProcessCommand(cmd.get()), result);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    EXPECT_EQ(StoryComposer::NeedsComposition(db_, story_), result != kSuccess);
  }
}

TEST_F(ComposeDamageTest, SuspendedLayoutStopsOnlyTheIdleStep) {
  PageSetupValues values = LayoutUtils::QueryPageSetup(db_)->Get();
  ASSERT_EQ(Run(kSetPageSetupCmdBoss, {}, {.setup = values, .flag = true}), kSuccess);
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 0, u"x"), kSuccess);
  EXPECT_EQ(ComposeUtils::RunIdleStep(db_), kSuccess);
  EXPECT_TRUE(StoryComposer::NeedsComposition(db_, story_));
  EXPECT_EQ(StoryComposer::ComposeStory(db_, story_), kSuccess);
  EXPECT_FALSE(StoryComposer::NeedsComposition(db_, story_));
}

}  // namespace
}  // namespace compose_test
