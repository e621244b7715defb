// CommandProcessor: the host's single command processor behind CmdUtils. It brackets every command in an
// undo step of its target database (or of the open sequence), sends the before and after messages to the
// target document's subject, undoes a failed command, keeps the scheduled queue and the open sequences.
#pragma once

#include <map>
#include <vector>

#include "host/cmd/ICommand.h"
#include "host/cmd/ICommandSequence.h"
#include "host/cmd/UndoRedoChange.h"
#include "host/core/InterfacePtr.h"

class CommandProcessor {
 public:
  static CommandProcessor& Get();

  ErrorCode Process(ICommand* cmd);
  void Schedule(ICommand* cmd, int32_t priority);
  ErrorCode ProcessScheduled();
  size_t CountScheduled() const { return queue_.size(); }

  ICommandSequence* BeginSequence();
  ErrorCode EndSequence(ICommandSequence* sequence, bool abort);

  uint64_t Processed() const { return processed_; }
  uint64_t Failed() const { return failed_; }
  uint64_t ProcessedOf(ClassID cls) const;

  // Undo and redo of a database: the document's observers hear kBeforeUndoRedoMessageBoss and
  // kAfterUndoRedoMessageBoss on IID_ICOMMANDMGR, with an UndoRedoChange as the changed-by data (never the
  // before and after messages of the commands in the step). kFailure when there is nothing to undo (redo).
  ErrorCode Undo(IDataBase* db);
  ErrorCode Redo(IDataBase* db);

 private:
  struct Scheduled {
    InterfacePtr<ICommand> cmd;
    int32_t priority;
    uint64_t order;
  };
  struct OpenSequence {
    InterfacePtr<ICommandSequence> sequence;
    std::map<IDataBase*, size_t> marks;  // databases this sequence has touched, with their mark at entry
  };
  // Opens the undo step of `db` for the command (or the sequences), answering the rollback mark.
  size_t EnterDataBase(IDataBase* db, const std::string& name);
  void LeaveDataBase(IDataBase* db);
  void Notify(IDataBase* db, ClassID message, ICommand* cmd);
  ErrorCode UndoOrRedo(IDataBase* db, bool redo);

  std::vector<Scheduled> queue_;
  uint64_t scheduledCount_ = 0;
  std::vector<OpenSequence> sequences_;
  uint64_t processed_ = 0;
  uint64_t failed_ = 0;
  std::map<ClassID, uint64_t> processedByClass_;
};

// Registers the command sequence class; called once at host start-up.
// kIDClashError at the first ID already taken (the rest of the area is then not registered).
[[nodiscard]] ErrorCode RegisterCommandImplementations();
