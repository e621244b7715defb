// The thread manager and frame linking: frames in flow order, the story that carries a thread on a page,
// master frames inherited through a three-deep master chain, the link rule's branches, assigning master
// stories, and the selection suites that ask about them.
#include <gmock/gmock.h>

#include "host/db/ValueData.h"
#include "host/ui/Selection.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/OverrideMasterFrameCmd.h"
#include "sorvia/include/ISorviaSuite.h"
#include "tests/sorvia/ThreadFixture.h"

namespace sorvia_test {
namespace {

using ::testing::ElementsAre;

class ThreadManagerTest : public ThreadFixture {
 public:
  void SetUp() override {
    ThreadFixture::SetUp();
    body_ = NewNamedThread(u"Body");
    manager_ = QueryThreadManager(db_);
  }
  ErrorCode Link(UID from, UID to) { return Run(kTextLinkCmdBoss, {from, to}); }
  // The frames of the thread's stories on `page`, story by story: "[frame frame][frame]".
  std::vector<std::vector<UID>> StoriesOn(UID page, UID thread) const {
    std::vector<UID> frames;
    manager_->GetThreadFramesOnPage(page, frames, thread);
    std::vector<std::vector<UID>> stories;
    for (UID frame : frames) {
      if (stories.empty() || StoryOf(stories.back().back()) != StoryOf(frame)) stories.emplace_back();
      stories.back().push_back(frame);
    }
    return stories;
  }
  bool Primary(UID frame) const {
    return Instantiate<IStoryFrames>(db_, Instantiate<IFrameList>(db_, StoryOf(frame))->GetStory())
        ->IsPrimaryTextFlow();
  }

  UID body_;
  InterfacePtr<ITextThreadManager> manager_;
};

TEST_F(ThreadManagerTest, FramesOfAPageComeInFlowOrder) {
  UID first = Frame(Master('A'), {0, 0, 50, 50}), second = Frame(Master('A'), {60, 0, 90, 50}),
      third = Frame(Master('A'), {100, 0, 150, 50});
  ASSERT_EQ(kSuccess, Link(second, third));
  ASSERT_EQ(kSuccess, Link(third, first));
  ASSERT_EQ(kSuccess, SetStoryThread(db_, StoryOf(second), body_, false));
  UID other = ThreadFrame('A', body_, {200, 0, 250, 50});
  EXPECT_THAT(StoriesOn(MasterPage('A'), body_),
              ElementsAre(ElementsAre(second, third, first), ElementsAre(other)));
  EXPECT_THAT(StoriesOn(MasterPage('A'), kInvalidUID), ::testing::SizeIs(2)) << "any thread";
  std::vector<UID> threads;
  manager_->CollectThreadsOnPage(threads, MasterPage('A'));
  EXPECT_THAT(threads, ElementsAre(body_));
}

TEST_F(ThreadManagerTest, AnOrphanStoryDoesNotCarryItsThreadOnThePage) {
  UID orphan = ThreadFrame('A', body_), carrier = ThreadFrame('A', body_, {300, 36, 500, 400});
  ASSERT_EQ(kSuccess, SetStoryOrphan(db_, StoryOf(orphan), true));
  EXPECT_EQ(StoryOf(carrier), manager_->FindThreadStoryOnPage(MasterPage('A'), body_));
  EXPECT_EQ(kInvalidUID, manager_->FindThreadStoryOnPage(MasterPage('A'), kInvalidUID));
  EXPECT_TRUE(manager_->IsOrphanItem(orphan));
}

TEST_F(ThreadManagerTest, MasterFramesComeThroughTheChainAndItsOverrides) {
  UID kept = ThreadFrame('A', body_, {300, 36, 500, 400}), unlinked = ThreadFrame('A', body_);
  std::vector<UID> frames;
  MasterFramesOfThread(frames, db_, Page(0), body_);
  EXPECT_THAT(frames, ElementsAre(kept, unlinked));
  EXPECT_TRUE(ChainHasThread(db_, Page(0), body_));
  // The middle master's copy of the frame has a story of its own, outside the thread.
  ASSERT_EQ(kSuccess, Run(kOverrideMasterItemsCmdBoss, {unlinked}, {.pages = {MasterPage('B')}}));
  MasterFramesOfThread(frames, db_, Page(0), body_);
  EXPECT_THAT(frames, ElementsAre(kept, kInvalidUID));
  CollectMasterThreads(frames, db_, Page(0));
  EXPECT_THAT(frames, ElementsAre(body_));
}

TEST_F(ThreadManagerTest, TheLinkRuleChoosesWhereALocalStoryGoes) {
  ThreadFrame('A', body_);
  // No story of the thread on the page nor on a previous page: the copy starts the thread's flow.
  ASSERT_EQ(kSuccess, OverrideThreadMasters(db_, {Page(0)}, false, kInvalidUID, kInvalidUID));
  ASSERT_THAT(StoriesOn(Page(0), body_), ::testing::SizeIs(1));
  UID first = StoryOf(StoriesOn(Page(0), body_)[0][0]);
  EXPECT_FALSE(ThreadQueries::IsOrphanStory(db_, first));
  EXPECT_EQ(kSuccess, OverrideThreadMasters(db_, {Page(0)}, false, kInvalidUID, kInvalidUID))
      << "nothing left";
  // The previous page's story continues.
  ASSERT_EQ(kSuccess, OverrideThreadMasters(db_, {Page(1)}, false, kInvalidUID, Page(0)));
  EXPECT_EQ(StoryOf(StoriesOn(Page(1), body_)[0][0]), first);
  // The default thread continues the story the caller names.
  UID fallback = NewNamedThread(u"Main", true);
  UID mainFrame = ThreadFrame('B', fallback, {300, 36, 500, 400});
  ASSERT_EQ(kSuccess, OverrideThreadMasters(db_, {Page(0)}, false, kInvalidUID, kInvalidUID));
  UID mainStory = StoryOf(StoriesOn(Page(0), fallback)[0][0]);
  ASSERT_EQ(kSuccess, OverrideThreadMasters(db_, {Page(2)}, false, mainStory, kInvalidUID));
  EXPECT_EQ(mainStory, StoryOf(StoriesOn(Page(2), fallback)[0][0]));
  EXPECT_NE(first, StoryOf(StoriesOn(Page(2), body_)[0][0])) << "other threads start on the page";
  // On a master page a copy only takes the thread where the page has no frame of it.
  InterfacePtr<ICommand> command = CmdUtils::CreateCommand(kOverrideMasterFrameCmdBoss);
  InterfacePtr<IOverrideFramesData>(command, UseDefaultIID())->entries = {{mainFrame, MasterPage('C')}};
  command->SetItemList(UIDList(db_, {db_->GetRootUID()}));
  ASSERT_EQ(kSuccess, CmdUtils::ProcessCommand(command.get()));
  EXPECT_THAT(StoriesOn(MasterPage('C'), fallback), ::testing::SizeIs(1));
}

TEST_F(ThreadManagerTest, AssigningAMasterStoryMovesTheThreadOrClearsIt) {
  UID one = Frame(Master('A')), two = Frame(Master('A'), {300, 36, 500, 400});
  ASSERT_TRUE(CanAssignMasterStory(db_, StoryOf(one)));
  ASSERT_EQ(kSuccess, AssignMasterStory(db_, StoryOf(one), body_, false));
  EXPECT_EQ(kFailure, AssignMasterStory(db_, StoryOf(two), body_, true)) << "kept";
  ASSERT_EQ(kSuccess, AssignMasterStory(db_, StoryOf(two), body_, false));
  EXPECT_EQ(kInvalidUID, manager_->GetThreadOfItem(one));
  EXPECT_EQ(body_, manager_->GetThreadOfItem(two));
  EXPECT_FALSE(Primary(one));
  EXPECT_TRUE(Primary(two));
  ASSERT_EQ(kSuccess, AssignMasterStory(db_, StoryOf(two), body_, false));
  EXPECT_EQ(kInvalidUID, manager_->GetThreadOfItem(two)) << "assigned twice: cleared";
  EXPECT_FALSE(Primary(two));
  UID onB = Frame(Master('B'));
  ASSERT_EQ(kSuccess, Link(one, onB));
  EXPECT_FALSE(CanAssignMasterStory(db_, StoryOf(one))) << "two master pages";
  EXPECT_EQ(kFailure, AssignMasterStory(db_, StoryOf(one), body_, false));
}

TEST_F(ThreadManagerTest, SuitesAnswerForTheSelectedStory) {
  Selection::Get().Reset();
  auto suite = QuerySelectionSuite<ISorviaSuite>();
  ASSERT_TRUE(suite);
  UID one = ThreadFrame('A', body_), two = Frame(Master('A'), {300, 36, 500, 400}),
      other = Frame(Master('B'));
  ASSERT_EQ(kSuccess, Link(one, two));
  Selection::Get().SelectItems(UIDList(db_, {one, two}));
  EXPECT_TRUE(suite->CanUseThreads());
  EXPECT_EQ(body_, suite->GetSelectedThread());
  EXPECT_TRUE(suite->IsSelectedStoryOnMaster());
  EXPECT_FALSE(suite->IsSelectedStory(Instantiate<IFrameList>(db_, StoryOf(one)).get()));
  Selection::Get().SelectItems(UIDList(db_, {one, other}));
  EXPECT_FALSE(suite->CanUseThreads());
  EXPECT_EQ(kInvalidUID, suite->GetSelectedThread());
  EXPECT_EQ(kFailure, suite->AssignSelectedStory(body_));
  Selection::Get().SelectText(UIDRef(db_, Instantiate<IFrameList>(db_, StoryOf(other))->GetStory()), 0, 0);
  EXPECT_TRUE(suite->CanUseThreads());
  EXPECT_TRUE(suite->IsSelectedStory(Instantiate<IFrameList>(db_, StoryOf(other)).get()));
  ASSERT_EQ(kSuccess, suite->AssignSelectedStory(body_));
  EXPECT_EQ(body_, suite->GetSelectedThread());
  EXPECT_EQ(manager_.get(), suite->QueryThreadManager().get());
  Selection::Get().Clear();
}

}  // namespace
}  // namespace sorvia_test
