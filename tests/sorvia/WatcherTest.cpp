// The document watcher beyond page adding: page moves, deletions and master applications re-thread the
// right pages, spread duplicates keep their threads, new documents get master frames when asked, and the
// watcher's own commands start no new work.
#include "host/app/ISession.h"
#include "host/db/UndoRecord.h"
#include "host/layout/IPageItem.h"
#include "host/layout/SmartReflow.h"
#include "sorvia/DocThreadObserver.h"
#include "tests/sorvia/AutoFlowFixture.h"

namespace sorvia_test {
namespace {

// Notes the watcher's state at each command message: whether it is busy and whether work is waiting.
class WatcherRecorder final : public CPMUnknown<IObserver> {
 public:
  explicit WatcherRecorder(Boss* boss) : CPMUnknown(boss) {}
  void Update(ClassID, ISubject*, PMIID, void* changedBy) override {
    auto* command = static_cast<ICommand*>(changedBy);
    auto watcher = QueryDocThreadObserver(command ? command->GetTargetDataBase() : nullptr);
    if (!watcher) return;
    auto* w = static_cast<DocThreadObserver*>(watcher.get());
    if (w->BusyDepth() == 0) return;
    ++busy;
    busyWithWork += !w->OversetStories().empty() || w->TriggerScheduled() || !w->PendingPages().empty();
  }
  int32_t busy = 0, busyWithWork = 0;
};

constexpr ClassID kRecorderBoss = 0x20AF0;
constexpr ImplementationID kRecorderImpl = 0x20AF0;

class WatcherTest : public AutoFlowFixture {
 public:
  // 120 lines in a one-page-per-spread document: three pages, one frame each.
  void MakeThreePages() {
    Make({}, AddPagesMode::kAfterStoryPage);
    Fill(120);
    ASSERT_EQ((std::vector<int32_t>{0, 1, 2}), FramePages());
    db_->ClearUndo();
  }
  UID MainFrame(int32_t index) const {
    return Instantiate<IFrameList>(db_, MainFrames())->GetNthFrame(index);
  }
};

TEST_F(WatcherTest, PageChangesKeepTheThreadInPageOrder) {
  struct Case {
    const char* name;
    ClassID command;
    int32_t page;      // the page moved or deleted
    int32_t spread;    // where a moved page goes
    int32_t position;  // and at which place in that spread
  };
  const Case cases[] = {
      {"last page first", kMovePagesCmdBoss, 2, 0, 0},
      {"first page last", kMovePagesCmdBoss, 0, 2, -1},
      {"middle page deleted", kDeletePagesCmdBoss, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeThreePages();
    const std::string before = Dump();
    const int32_t length = StoryLength(db_, MainFrames());
    UID page = Page(c.page);
    ASSERT_EQ(kSuccess, Run(c.command, {page},
                            {.target = LayoutUtils::SpreadAt(db_, c.spread), .position = c.position}));
    ASSERT_EQ(kSuccess, ComposeUtils::RunIdleStep(db_));
    // The text runs from page to page as the document now reads, none of it lost; a deleted page's frame
    // comes back as a new page at the end.
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2}), FramePages());
    EXPECT_EQ(length, StoryLength(db_, MainFrames()));
    EXPECT_FALSE(IsOversetThreadStory(db_, MainFrames()));
    // Page adding in idle time is a step of its own; undoing both gives back the story as it was.
    while (db_->CanUndo())
      ASSERT_EQ(kSuccess, CmdUtils::Undo(db_));
    EXPECT_EQ(before, Dump());
    TearDown();
    db_ = nullptr;
  }
}

TEST_F(WatcherTest, MasterApplicationsRethreadOnlyTheirPages) {
  MakeThreePages();
  UID masterA = LayoutUtils::QuerySpreadList(db_)->GetNthMasterSpread(0);
  std::vector<UID> made;
  // A duplicated master's frame keeps the default thread: a master with a smaller thread frame.
  ASSERT_EQ(kSuccess, Run(kDuplicateMasterSpreadCmdBoss, {masterA}, {.position = -1}, &made));
  UID masterB = LayoutUtils::QuerySpreadList(db_)->GetNthMasterSpread(1);
  std::vector<UID> itemsB = LayoutUtils::ItemsOfSpread(db_, masterB);
  ASSERT_EQ(1u, itemsB.size());
  EXPECT_EQ(QueryThreadManager(db_)->GetDefaultThread(), ThreadQueries::ThreadOfItem(db_, itemsB[0]));
  ASSERT_EQ(kSuccess, Run(kSetBoundsCmdBoss, {itemsB[0]}, {.bounds = {36, 36, 300, 200}}));
  UID second = MainFrame(1), third = MainFrame(2);
  ASSERT_EQ(kSuccess, Run(kApplyMasterCmdBoss, {Page(1)}, {.target = masterB}));
  ASSERT_EQ(kSuccess, ComposeUtils::RunIdleStep(db_));
  // Page 2 shows B's frame in the old frame's place; page 3 keeps its frame; text that no longer fits
  // gets a page.
  EXPECT_FALSE(db_->IsValidUID(second));
  EXPECT_EQ(itemsB[0], Instantiate<IPageItem>(db_, MainFrame(1))->GetOverrideOf());
  EXPECT_EQ(third, MainFrame(2));
  EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3}), FramePages());
  EXPECT_FALSE(IsOversetThreadStory(db_, MainFrames()));
  // A master without thread frames leaves page 2's frame where it is, out of automatic linking.
  LayoutParams newMaster;
  newMaster.prefix = u"E";
  newMaster.position = -1;
  ASSERT_EQ(kSuccess, Run(kNewMasterCmdBoss, {}, newMaster));
  ASSERT_EQ(kSuccess,
            Run(kApplyMasterCmdBoss, {Page(1)}, {.target = LayoutUtils::FindMasterSpread(db_, u"E")}));
  EXPECT_TRUE(ThreadQueries::IsOrphanStory(db_, MainFrames()));
  EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3}), FramePages());
}

// The copy is a thread story: the host's smart reflow leaves it (not the stories outside threads) alone.
TEST_F(WatcherTest, ASpreadDuplicateKeepsTheThreadsOfItsFrames) {
  MakeThreePages();
  ASSERT_EQ(kSuccess, Run(kDuplicateSpreadCmdBoss, {LayoutUtils::SpreadAt(db_, 1)}, {.position = -1}));
  std::vector<UID> copies = LayoutUtils::ItemsOfSpread(db_, LayoutUtils::SpreadAt(db_, 2));
  ASSERT_EQ(1u, copies.size());
  UID copy = ThreadQueries::StoryOfItem(db_, copies[0]);
  EXPECT_NE(MainFrames(), copy);
  EXPECT_EQ(ThreadQueries::ThreadOfStory(db_, MainFrames()), ThreadQueries::ThreadOfStory(db_, copy));
  EXPECT_FALSE(ThreadQueries::IsOrphanStory(db_, copy));
  UID free = StoryOf(Frame(LayoutUtils::SpreadAt(db_, 0), {400, 36, 500, 100}));
  EXPECT_FALSE(SmartReflow::MayAddPagesForStory(db_, copy) || SmartReflow::MayRemovePagesOfStory(db_, copy));
  EXPECT_TRUE(SmartReflow::MayAddPagesForStory(db_, free) && SmartReflow::MayRemovePagesOfStory(db_, free));
}

TEST_F(WatcherTest, ANewDocumentGetsAFrameOnEachMasterPageWhenAsked) {
  auto application = QueryApplicationWorkspace<IAutoFlowPrefsData>();
  ASSERT_TRUE(application);
  NewLayoutOptions o{.mainFrame = false};
  o.setup.facing = true;
  o.setup.pagesPerSpread = 2;
  o.setup.margins = {50, 50, 50, 50};
  ASSERT_EQ(kSuccess, DefaultDocument::SetNewLayoutOptions(o));
  {
    // The application's preferences as read at start-up: no command sets them.
    UntrackedChanges starting(GetExecutionContextSession()->GetSessionDataBase());
    application->SetCreateMasterFrames(true);
    db_ = DocumentList::Get().NewDocument();
    application->SetCreateMasterFrames(false);
  }
  ASSERT_NE(nullptr, db_);
  std::vector<UID> frames =
      LayoutUtils::ItemsOfSpread(db_, LayoutUtils::QuerySpreadList(db_)->GetNthMasterSpread(0));
  ASSERT_EQ(2u, frames.size());
  for (UID frame : frames) {
    PMRect page = LayoutUtils::PageBoundsInSpread(db_, LayoutUtils::PageOfItem(db_, frame));
    EXPECT_EQ(PMRect(page.left + 50, page.top + 50, page.right - 50, page.bottom - 50),
              Instantiate<IPageItem>(db_, frame)->GetBounds());
    EXPECT_EQ(QueryThreadManager(db_)->GetDefaultThread(), ThreadQueries::ThreadOfItem(db_, frame));
  }
}

TEST_F(WatcherTest, TheWatchersOwnCommandsStartNoNewWork) {
  Registry& r = Registry::Get();
  if (!r.IsImplementationRegistered(kRecorderImpl)) {
    ASSERT_EQ(kSuccess, r.RegisterImplementation<WatcherRecorder>(kRecorderImpl));
    ASSERT_EQ(kSuccess, r.RegisterClass(kRecorderBoss, kInvalidClass, "WatcherRecorder",
                                        {{IID_IOBSERVER, kRecorderImpl}}));
  }
  Make({}, AddPagesMode::kAfterStoryPage);
  auto recorder = CreateObject<IObserver>(kRecorderBoss);
  auto subject = Instantiate<ISubject>(db_, db_->GetRootUID());
  subject->AttachObserver(recorder.get(), IID_ICOMMANDMGR);
  Fill(400);
  subject->DetachObserver(recorder.get(), IID_ICOMMANDMGR);
  EXPECT_GT(LayoutUtils::CountPages(db_), 8);
  const auto* seen = static_cast<WatcherRecorder*>(recorder.get());
  EXPECT_GT(seen->busy, 8);  // the pages were added by commands the watcher ran while busy
  EXPECT_EQ(0, seen->busyWithWork);
}

}  // namespace
}  // namespace sorvia_test
