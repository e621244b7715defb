// The thread commands: each is undone and redone to identical data and tells its subject what changed;
// wrong item lists fail with kFailure and change nothing.
#include <gmock/gmock.h>

#include "host/db/ValueData.h"
#include "host/layout/IHierarchy.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/include/IAutoFlowPrefsData.h"
#include "tests/sorvia/ThreadFixture.h"

namespace sorvia_test {
namespace {

using ::testing::Contains;

class ThreadCmdsTest : public ThreadFixture {
 public:  // for the tables of operations
  void SetUp() override {
    ThreadFixture::SetUp();
    body_ = NewNamedThread(u"Body");
    frame_ = Frame(Master('A'));
    db_->ClearUndo();
  }
  ErrorCode Process(ClassID cls, std::vector<UID> items, UID uid = kInvalidUID, bool flag = false) {
    InterfacePtr<ICommand> command = CmdUtils::CreateCommand(cls);
    if (InterfacePtr<IUIDData> data(command, host_map::kUIDParameter); data) data->Set(uid);
    if (InterfacePtr<IBoolData> data(command, host_map::kBoolParameter); data) data->Set(flag);
    if (InterfacePtr<ITextThreadData> data(command, UseDefaultIID()); data) data->SetName(u"Renamed");
    command->SetItemList(UIDList(db_, std::move(items)));
    return CmdUtils::ProcessCommand(command.get());
  }
  UID body_, frame_;
};

TEST_F(ThreadCmdsTest, EachCommandUndoesAndRedoesToIdenticalDataAndTellsItsSubject) {
  const struct {
    const char* name;
    std::function<ErrorCode(ThreadCmdsTest&)> run;
    std::function<UID(ThreadCmdsTest&)> subject;
    ClassID change;
    PMIID protocol;
  } rows[] = {
      {"new", [](auto& t) { return t.Process(kNewTextThreadCmdBoss, {WorkspaceOf(t.db_)}); },
       [](auto& t) { return kInvalidUID; }, kNewTextThreadCmdBoss, IID_ITEXTTHREADLIST},
      {"new default",
       [](auto& t) { return t.Process(kNewTextThreadCmdBoss, {WorkspaceOf(t.db_)}, {}, true); },
       [](auto& t) { return kInvalidUID; }, kNewTextThreadCmdBoss, IID_ITEXTTHREADLIST},
      {"rename", [](auto& t) { return t.Process(kSetTextThreadCmdBoss, {t.body_}); },
       [](auto& t) { return WorkspaceOf(t.db_); }, kSetTextThreadCmdBoss, IID_ITEXTTHREADLIST},
      {"delete", [](auto& t) { return t.Process(kDeleteTextThreadCmdBoss, {t.body_}); },
       [](auto& t) { return WorkspaceOf(t.db_); }, kDeleteTextThreadCmdBoss, IID_ITEXTTHREADLIST},
      {"set thread",
       [](auto& t) { return t.Process(kSetTextThreadUIDCmdBoss, {t.StoryOf(t.frame_)}, t.body_); },
       [](auto& t) { return t.StoryOf(t.frame_); }, kSetTextThreadUIDCmdBoss, IID_ITHREADREFERENCE},
      {"set thread (document)",
       [](auto& t) { return t.Process(kSetTextThreadUIDCmdBoss, {t.StoryOf(t.frame_)}, t.body_); },
       [](auto& t) { return t.db_->GetRootUID(); }, kSetTextThreadUIDCmdBoss, host_map::kFrameListProtocol},
      {"orphan", [](auto& t) { return t.Process(kSetThreadOrphanCmdBoss, {t.StoryOf(t.frame_)}, {}, true); },
       [](auto& t) { return WorkspaceOf(t.db_); }, kSetThreadOrphanCmdBoss, IID_ITEXTTHREADLIST},
      {"prefs", [](auto& t) { return t.Process(kSetAutoFlowPrefsCmdBoss, {WorkspaceOf(t.db_)}); },
       [](auto& t) { return WorkspaceOf(t.db_); }, kSetAutoFlowPrefsCmdBoss, IID_IAUTOFLOWPREFSDATA},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string before = Dump();
    UID subject = row.subject(*this);
    std::unique_ptr<ChangeLog> log;
    if (subject.IsValid()) log = std::make_unique<ChangeLog>(db_, subject, row.protocol);
    ASSERT_EQ(kSuccess, row.run(*this));
    std::string after = Dump();
    if (log) {
      EXPECT_THAT(log->Entries(),
                  Contains(std::to_string(row.change.Get()) + "/" + std::to_string(row.protocol.Get())));
    }
    ASSERT_EQ(kSuccess, CmdUtils::Undo(db_));
    EXPECT_EQ(before, Dump());
    ASSERT_EQ(kSuccess, CmdUtils::Redo(db_));
    EXPECT_EQ(after, Dump());
    ASSERT_EQ(kSuccess, CmdUtils::Undo(db_));
  }
}

TEST_F(ThreadCmdsTest, WrongItemListsFailAndChangeNothing) {
  UID other = NewNamedThread(u"Other");
  std::string before = Dump();
  const std::pair<ClassID, std::vector<UID>> rows[] = {
      {kDeleteTextThreadCmdBoss, {body_, other}},
      {kDeleteTextThreadCmdBoss, {kInvalidUID}},
      {kSetTextThreadCmdBoss, {}},
      {kSetTextThreadUIDCmdBoss, {body_}},
      {kSetThreadOrphanCmdBoss, {frame_}},
      {kSetAutoFlowPrefsCmdBoss, {body_}},
  };
  for (const auto& [cls, items] : rows) {
    SCOPED_TRACE(cls.Get());
    EXPECT_EQ(kFailure, Process(cls, items));
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    EXPECT_EQ(before, Dump());
  }
}

TEST_F(ThreadCmdsTest, ANewDefaultReplacesTheOldOne) {
  UID first = NewNamedThread(u"First", true);
  ASSERT_EQ(kSuccess, SetStoryThread(db_, StoryOf(frame_), first, false));
  UID second = NewNamedThread(u"Second", true);
  EXPECT_EQ(second, QueryThreadList(db_)->GetDefaultThread());
  EXPECT_FALSE(db_->IsValidUID(first));
  EXPECT_EQ(kInvalidUID, QueryThreadManager(db_)->GetThreadOfItem(frame_))
      << "a story of a deleted thread has none";
  EXPECT_EQ(1, QueryThreadList(db_)->GetThreadCount());
}

TEST_F(ThreadCmdsTest, MovingAnOrphanToAnotherThreadKeepsItAnOrphan) {
  UID story = StoryOf(frame_);
  ASSERT_EQ(kSuccess, SetStoryOrphan(db_, story, true));
  ASSERT_EQ(kSuccess, SetStoryThread(db_, story, body_, false));
  EXPECT_TRUE(ThreadQueries::IsOrphanStory(db_, story));
  ASSERT_EQ(kSuccess, SetStoryThread(db_, story, body_, true));
  EXPECT_FALSE(ThreadQueries::IsOrphanStory(db_, story));
}

TEST_F(ThreadCmdsTest, SendBehindPutsTheItemDirectlyBehindTheReference) {
  UID back = Frame(Master('A'), {0, 0, 10, 10}), front = Frame(Master('A'), {20, 0, 30, 10});
  auto layer = Instantiate<IHierarchy>(db_, Instantiate<IHierarchy>(db_, front)->GetParent());
  ChangeLog log(db_, db_->GetRootUID(), host_map::kHierarchyProtocol);
  ASSERT_EQ(kSuccess, Process(kThreadSendBehindCmdBoss, {front}, frame_));
  EXPECT_THAT(layer->GetChildren(), ::testing::ElementsAre(front, frame_, back));
  EXPECT_THAT(log.Entries(), Contains(std::to_string(kThreadSendBehindCmdBoss.Get()) + "/" +
                                      std::to_string(host_map::kHierarchyProtocol.Get())));
}

TEST_F(ThreadCmdsTest, NewCopiesKeepTheirMastersStacking) {
  UID back = Frame(Master('A'), {0, 0, 10, 10}), front = Frame(Master('A'), {20, 0, 30, 10});
  auto layer = Instantiate<IHierarchy>(db_, Instantiate<IHierarchy>(db_, front)->GetParent());
  ASSERT_EQ(kSuccess, KeepStackingOrder(db_, {frame_, back}));
  EXPECT_THAT(layer->GetChildren(), ::testing::ElementsAre(back, frame_, front));
  uint64_t steps = db_->CountRecordedSteps();
  ASSERT_EQ(kSuccess, KeepStackingOrder(db_, {frame_, back}));
  EXPECT_EQ(steps, db_->CountRecordedSteps()) << "stacked already";
}

}  // namespace
}  // namespace sorvia_test
