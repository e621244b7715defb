// Processing commands and sequences.
#include "host/cmd/CommandProcessor.h"

#include <algorithm>
#include <cassert>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/Command.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/CPMUnknown.h"
#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "host/notify/ISubject.h"

namespace {

class CommandSequence final : public CPMUnknown<ICommandSequence> {
 public:
  explicit CommandSequence(Boss* boss) : CPMUnknown(boss) {}
  void SetName(std::string name) override { name_ = std::move(name); }
  std::string GetName() const override { return name_; }

 private:
  std::string name_ = "Sequence";
};

}  // namespace

// A clash here is recorded by the registry, which pagehost reports at start-up.
ErrorCode RegisterCommandImplementations() {
  ErrorCode error = Registry::Get().RegisterImplementation<CommandSequence>(kCommandSequenceImpl);
  if (error == kSuccess)
    error = Registry::Get().RegisterClass(kCommandSequenceBoss, kInvalidClass, "kCommandSequenceBoss",
                                          {{IID_ICOMMANDSEQUENCE, kCommandSequenceImpl}});
  return error;
}

CommandProcessor& CommandProcessor::Get() {
  static CommandProcessor processor;
  return processor;
}

void CommandProcessor::Notify(IDataBase* db, ClassID message, ICommand* cmd) {
  if (!db) return;
  InterfacePtr<ISubject> subject = Instantiate<ISubject>(db, db->GetRootUID());
  if (!subject) return;
  subject->Change(message, IID_ICOMMANDMGR, cmd);
  for (PMIID protocol : cmd->GetNotificationProtocols())
    subject->Change(message, protocol, cmd);
}

size_t CommandProcessor::EnterDataBase(IDataBase* db, const std::string& name) {
  if (!sequences_.empty()) {
    // Every open sequence that has not touched `db` yet opens its step there (the outermost one names it).
    for (auto& open : sequences_) {
      if (!open.marks.contains(db)) {
        db->BeginStep(sequences_.front().sequence->GetName());
        open.marks[db] = db->Mark();
      }
    }
  }
  db->BeginStep(name);
  return db->Mark();
}

void CommandProcessor::LeaveDataBase(IDataBase* db) {
  db->EndStep();
}

ErrorCode CommandProcessor::Process(ICommand* cmd) {
  if (!cmd) return kInvalidParameterError;
  // A pending error means the caller's earlier step failed: nothing more is done until it is reset. The
  // command's observers still hear its pair of messages, the after message saying that it failed.
  if (ErrorUtils::PMGetGlobalErrorCode() != kSuccess) {
    IDataBase* db = cmd->GetTargetDataBase();
    Notify(db, kBeforeDoMessageBoss, cmd);
    cmd->SetCommandState(ICommand::State::kFailed);
    Notify(db, kAfterDoMessageBoss, cmd);
    return ErrorUtils::PMGetGlobalErrorCode();
  }
  InterfacePtr<ICommand> hold = InterfacePtr<ICommand>::Share(cmd);
  IDataBase* db = cmd->GetTargetDataBase();
  size_t mark = db ? EnterDataBase(db, cmd->GetName()) : 0;
  Notify(db, kBeforeDoMessageBoss, cmd);
  uint64_t standIns = db ? db->CountStandIns() : 0;
  cmd->DoCommand();
  // A command that made a stand-in for want of UIDs has not done its work, whatever it answered.
  if (db && db->CountStandIns() != standIns && ErrorUtils::PMGetGlobalErrorCode() == kSuccess)
    ErrorUtils::PMSetGlobalErrorCode(kOutOfMemoryError, "the document has no room for more objects");
  ++processed_;
  ++processedByClass_[GetClass(cmd)];
  // Observers hear exactly one after message, also when the command failed (its state says so).
  if (ErrorUtils::PMGetGlobalErrorCode() != kSuccess) {
    ++failed_;
    if (db) db->RollbackTo(mark);
    cmd->SetCommandState(ICommand::State::kFailed);
  } else {
    if (db) db->ReleaseMark(mark);
    cmd->SetCommandState(ICommand::State::kDone);
    cmd->DoNotifyCommand();
  }
  Notify(db, kAfterDoMessageBoss, cmd);
  if (db) LeaveDataBase(db);
  return ErrorUtils::PMGetGlobalErrorCode();
}

void CommandProcessor::Schedule(ICommand* cmd, int32_t priority) {
  if (cmd) queue_.push_back({InterfacePtr<ICommand>::Share(cmd), priority, scheduledCount_++});
}

ErrorCode CommandProcessor::ProcessScheduled() {
  ErrorCode first = kSuccess;
  while (!queue_.empty()) {
    auto next = std::min_element(queue_.begin(), queue_.end(), [](const Scheduled& a, const Scheduled& b) {
      return a.priority != b.priority ? a.priority > b.priority : a.order < b.order;
    });
    InterfacePtr<ICommand> cmd = std::move(next->cmd);
    queue_.erase(next);
    ErrorCode err = Process(cmd.get());
    if (err != kSuccess && first == kSuccess) first = err;
    // A failed scheduled command must not stop the ones after it.
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  return first;
}

ICommandSequence* CommandProcessor::BeginSequence() {
  InterfacePtr<ICommandSequence> sequence = CreateObject<ICommandSequence>(kCommandSequenceBoss);
  if (!sequence) return nullptr;
  sequences_.push_back({sequence, {}});
  return sequence.forget();
}

ErrorCode CommandProcessor::EndSequence(ICommandSequence* sequence, bool abort) {
  InterfacePtr<ICommandSequence> adopted(sequence);
  assert(!sequences_.empty() && sequences_.back().sequence == adopted && "sequences end in reverse order");
  if (sequences_.empty() || sequences_.back().sequence != adopted) return kInvalidParameterError;
  OpenSequence open = std::move(sequences_.back());
  sequences_.pop_back();
  ErrorCode pending = ErrorUtils::PMGetGlobalErrorCode();
  abort = abort || pending != kSuccess;
  for (auto& [db, mark] : open.marks) {
    if (abort) {
      db->RollbackTo(mark);
    } else {
      db->ReleaseMark(mark);
    }
    db->EndStep();
  }
  return abort ? (pending != kSuccess ? pending : kCancel) : kSuccess;
}

uint64_t CommandProcessor::ProcessedOf(ClassID cls) const {
  auto it = processedByClass_.find(cls);
  return it == processedByClass_.end() ? 0 : it->second;
}

ErrorCode CommandProcessor::UndoOrRedo(IDataBase* db, bool redo) {
  if (!db || !(redo ? db->CanRedo() : db->CanUndo())) return kFailure;
  UndoRedoChange change{redo, redo ? db->GetRedoName() : db->GetUndoName(),
                        redo ? db->GetRedoObjects() : db->GetUndoObjects()};
  InterfacePtr<ISubject> subject = Instantiate<ISubject>(db, db->GetRootUID());
  if (subject) subject->Change(kBeforeUndoRedoMessageBoss, IID_ICOMMANDMGR, &change);
  ErrorCode result = redo ? db->Redo() : db->Undo();
  if (subject) subject->Change(kAfterUndoRedoMessageBoss, IID_ICOMMANDMGR, &change);
  return result;
}

ErrorCode CommandProcessor::Undo(IDataBase* db) {
  return UndoOrRedo(db, false);
}

ErrorCode CommandProcessor::Redo(IDataBase* db) {
  return UndoOrRedo(db, true);
}

InterfacePtr<ICommand> CmdUtils::CreateCommand(ClassID cls) {
  return CreateObject<ICommand>(cls);
}
ErrorCode CmdUtils::ProcessCommand(ICommand* cmd) {
  return CommandProcessor::Get().Process(cmd);
}
ErrorCode CmdUtils::ScheduleCommand(ICommand* cmd, int32_t priority) {
  if (!cmd) return kInvalidParameterError;
  CommandProcessor::Get().Schedule(cmd, priority);
  return kSuccess;
}
ErrorCode CmdUtils::ProcessScheduledCmds() {
  return CommandProcessor::Get().ProcessScheduled();
}
size_t CmdUtils::CountScheduledCmds() {
  return CommandProcessor::Get().CountScheduled();
}
ICommandSequence* CmdUtils::BeginCommandSequence() {
  return CommandProcessor::Get().BeginSequence();
}
ErrorCode CmdUtils::EndCommandSequence(ICommandSequence* sequence) {
  return CommandProcessor::Get().EndSequence(sequence, false);
}
void CmdUtils::AbortCommandSequence(ICommandSequence* sequence) {
  (void)CommandProcessor::Get().EndSequence(sequence, true);
}
CmdUtils::Counters CmdUtils::GetCounters() {
  return {CommandProcessor::Get().Processed(), CommandProcessor::Get().Failed()};
}
uint64_t CmdUtils::CountProcessed(ClassID cls) {
  return CommandProcessor::Get().ProcessedOf(cls);
}
ErrorCode CmdUtils::Undo(IDataBase* db) {
  return CommandProcessor::Get().Undo(db);
}
ErrorCode CmdUtils::Redo(IDataBase* db) {
  return CommandProcessor::Get().Redo(db);
}

CommandSequenceScope::CommandSequenceScope(const std::string& name)
    : sequence_(CmdUtils::BeginCommandSequence()) {
  if (sequence_) sequence_->SetName(name);
}

CommandSequenceScope::~CommandSequenceScope() {
  if (!sequence_) return;
  if (abort_) {
    CmdUtils::AbortCommandSequence(sequence_);
  } else {
    (void)CmdUtils::EndCommandSequence(sequence_);
  }
}

void Command::Refuse(std::string reason, ErrorCode code) {
  if (ErrorUtils::PMGetGlobalErrorCode() == kSuccess)
    ErrorUtils::PMSetGlobalErrorCode(code == kSuccess ? kFailure : code, std::move(reason));
}

void Command::DoNotify() {
  IDataBase* db = GetTargetDataBase();
  if (!db) return;
  InterfacePtr<ISubject> subject = Instantiate<ISubject>(db, db->GetRootUID());
  if (!subject) return;
  for (PMIID protocol : GetNotificationProtocols())
    subject->Change(GetClass(this), protocol, static_cast<ICommand*>(this));
}
