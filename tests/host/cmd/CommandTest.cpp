// Commands: processing with undo, failure leaving documents as they were, sequences, scheduling.
#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/ObjectModel.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestObjects.h"

using namespace testing_support;

namespace {

class CommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureHost();
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    db_ = DocumentList::Get().NewDocument();
    uid_ = NewRecord(db_, 1, u"one");
    db_->ClearUndo();
  }
  void TearDown() override {
    DocumentList::Get().CloseDocument(db_);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  IDataBase* db_ = nullptr;
  UID uid_;
};

TEST_F(CommandTest, ACommandIsOneUndoStepNamedByTheCommand) {
  ASSERT_EQ(SetRecord(db_, uid_, 2, u"two"), kSuccess);
  EXPECT_EQ(NumberOf(db_, uid_), 2);
  EXPECT_EQ(db_->GetUndoName(), "Set Record");
  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_EQ(NumberOf(db_, uid_), 1);
  ASSERT_EQ(db_->Redo(), kSuccess);
  EXPECT_EQ(NumberOf(db_, uid_), 2);
}

TEST_F(CommandTest, AFailingCommandSetsTheErrorAndChangesNothing) {
  auto before = CmdUtils::GetCounters();
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kSetRecordCmdBoss);
  cmd->SetItemList(UIDList(db_, {uid_}));
  InterfacePtr<ISetRecordData> data(cmd, UseDefaultIID());
  data->number = 99;
  data->failWith = kFailure;
  EXPECT_EQ(CmdUtils::ProcessCommand(cmd.get()), kFailure);
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kFailure);
  EXPECT_EQ(cmd->GetCommandState(), ICommand::State::kFailed);
  EXPECT_EQ(NumberOf(db_, uid_), 1);
  EXPECT_FALSE(db_->CanUndo());
  EXPECT_EQ(CmdUtils::GetCounters().failed, before.failed + 1);
  // Until the caller resets the error, further commands are not done; their observers still hear the
  // pair of messages.
  auto observer = CreateObject<IObserver>(kTestObserverBoss);
  auto subject = Instantiate<ISubject>(db_, db_->GetRootUID());
  subject->AttachObserver(observer.get(), IID_ICOMMANDMGR);
  InterfacePtr<ICommand> next = CmdUtils::CreateCommand(kSetRecordCmdBoss);
  next->SetItemList(UIDList(db_, {uid_}));
  EXPECT_EQ(CmdUtils::ProcessCommand(next.get()), kFailure);
  EXPECT_EQ(next->GetCommandState(), ICommand::State::kFailed);
  subject->DetachObserver(observer.get(), IID_ICOMMANDMGR);
  std::string protocol = "/" + std::to_string(IID_ICOMMANDMGR.Get());
  InterfacePtr<ITestLog> log(observer, UseDefaultIID());
  EXPECT_EQ(log->entries, (std::vector<std::string>{std::to_string(kBeforeDoMessageBoss.Get()) + protocol,
                                                    std::to_string(kAfterDoMessageBoss.Get()) + protocol}));
  EXPECT_EQ(CmdUtils::CreateCommand(kTestPrefix + 0xEE), InterfacePtr<ICommand>());
}

TEST_F(CommandTest, AbortingASequenceOfThreeCommandsLeavesTheDocumentAsBefore) {
  UID other = NewRecord(db_, 10, u"ten");
  db_->ClearUndo();
  ICommandSequence* sequence = CmdUtils::BeginCommandSequence();
  sequence->SetName("Three");
  ASSERT_EQ(SetRecord(db_, uid_, 2, u"a"), kSuccess);
  ASSERT_EQ(SetRecord(db_, other, 20, u"b"), kSuccess);
  ASSERT_EQ(SetRecord(db_, uid_, 3, u"c"), kSuccess);
  EXPECT_EQ(NumberOf(db_, uid_), 3);
  CmdUtils::AbortCommandSequence(sequence);
  EXPECT_EQ(NumberOf(db_, uid_), 1);
  EXPECT_EQ(NumberOf(db_, other), 10);
  EXPECT_FALSE(db_->CanUndo());
}

TEST_F(CommandTest, ASequenceIsOneNamedStepAndAnErrorInsideAbortsIt) {
  {
    CommandSequenceScope scope("Both");
    ASSERT_EQ(SetRecord(db_, uid_, 2, u"a"), kSuccess);
    ASSERT_EQ(SetRecord(db_, uid_, 3, u"b"), kSuccess);
  }
  EXPECT_EQ(db_->GetUndoName(), "Both");
  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_EQ(NumberOf(db_, uid_), 1);
  EXPECT_FALSE(db_->CanUndo());

  ICommandSequence* failing = CmdUtils::BeginCommandSequence();
  ASSERT_EQ(SetRecord(db_, uid_, 5, u"kept?"), kSuccess);
  ErrorUtils::PMSetGlobalErrorCode(kFailure);
  EXPECT_EQ(CmdUtils::EndCommandSequence(failing), kFailure);
  EXPECT_EQ(NumberOf(db_, uid_), 1);
}

TEST_F(CommandTest, AReasonStaysWithItsCodeUntilTheCodeIsSetAgain) {
  ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError, "item 3 is locked");
  // A sequence ended while the code is pending leaves it as it was.
  EXPECT_EQ(CmdUtils::EndCommandSequence(CmdUtils::BeginCommandSequence()), kInvalidParameterError);
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorReason(), "item 3 is locked");
  ErrorUtils::PMSetGlobalErrorCode(kFailure);
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorReason(), "");
}

TEST_F(CommandTest, ScheduledCommandsRunInPriorityOrder) {
  std::vector<int32_t> order;
  struct Item {
    int32_t number;
    int32_t priority;
  } items[] = {{1, ICommand::kLowPriority},
               {2, ICommand::kHighPriority},
               {3, ICommand::kLowPriority},
               {4, ICommand::kMediumPriority}};
  std::vector<UID> records;
  for (const auto& item : items) {
    UID uid = NewRecord(db_, 0, u"");
    records.push_back(uid);
    InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kSetRecordCmdBoss);
    cmd->SetItemList(UIDList(db_, {uid}));
    InterfacePtr<ISetRecordData>(cmd, UseDefaultIID())->number = item.number;
    ASSERT_EQ(CmdUtils::ScheduleCommand(cmd.get(), item.priority), kSuccess);
  }
  EXPECT_EQ(CmdUtils::CountScheduledCmds(), 4u);
  EXPECT_EQ(NumberOf(db_, records[0]), 0);  // nothing runs before the queue is processed
  ASSERT_EQ(CmdUtils::ProcessScheduledCmds(), kSuccess);
  EXPECT_EQ(CmdUtils::CountScheduledCmds(), 0u);
  // Each command is its own undo step: undoing in reverse order shows the order they ran in.
  std::vector<int32_t> undone;
  while (db_->CanUndo()) {
    for (size_t i = 0; i < records.size(); ++i) {
      if (NumberOf(db_, records[i]) != 0) {
        ASSERT_EQ(db_->Undo(), kSuccess);
        for (size_t j = 0; j < records.size(); ++j) {
          if (NumberOf(db_, records[j]) == 0 &&
              std::find(undone.begin(), undone.end(), items[j].number) == undone.end())
            undone.push_back(items[j].number);
        }
        break;
      }
    }
  }
  EXPECT_EQ(undone, (std::vector<int32_t>{3, 1, 4, 2}));
}

}  // namespace
