// CmdUtils: creating, processing and scheduling commands, and command sequences.
#pragma once

#include "host/cmd/ICommand.h"
#include "host/cmd/ICommandSequence.h"
#include "host/core/InterfacePtr.h"

namespace CmdUtils {

// A new command of `cls`; empty when no such command class is registered.
InterfacePtr<ICommand> CreateCommand(ClassID cls);

// Does the command now: before message, Do, and, on success, DoNotify and the after message. A command
// that fails (sets the global error code) leaves every database as it was before it. Answers the global
// error code afterwards. A command processed while the global error code is set is not done.
ErrorCode ProcessCommand(ICommand* cmd);

// Queues the command (holding a reference) to run later; higher priorities first.
ErrorCode ScheduleCommand(ICommand* cmd, int32_t priority = ICommand::kMediumPriority);
// Runs queued commands, highest priority first, until the queue is empty (commands they schedule run too).
// Answers the first error, after running the rest.
ErrorCode ProcessScheduledCmds();
size_t CountScheduledCmds();

// Sequences nest; an inner sequence's changes belong to the outermost one's undo step. Null when a
// sequence cannot be begun (never, today).
ICommandSequence* BeginCommandSequence();
// Ends the sequence; when the global error code is set, aborts it instead. Releases `sequence`.
ErrorCode EndCommandSequence(ICommandSequence* sequence);
// Undoes everything done since the sequence began, then ends it. Releases `sequence`.
void AbortCommandSequence(ICommandSequence* sequence);

// Counters of the command processor, for checks on how much work an operation does.
struct Counters {
  uint64_t processed = 0;
  uint64_t failed = 0;
};
Counters GetCounters();
// Number of times a command of `cls` was processed.
uint64_t CountProcessed(ClassID cls);
// Undoes (redoes) the last step of `db`, telling the document's observers (see CommandProcessor::Undo);
// kFailure when there is none or a step is open.
ErrorCode Undo(IDataBase* db);
ErrorCode Redo(IDataBase* db);

}  // namespace CmdUtils

// Holds a sequence for one scope and ends it (or aborts it, when Abort was called).
class CommandSequenceScope {
 public:
  explicit CommandSequenceScope(const std::string& name);
  CommandSequenceScope(const CommandSequenceScope&) = delete;
  CommandSequenceScope& operator=(const CommandSequenceScope&) = delete;
  ~CommandSequenceScope();
  void Abort() { abort_ = true; }
  ICommandSequence* Get() const { return sequence_; }

 private:
  ICommandSequence* sequence_;
  bool abort_ = false;
};
