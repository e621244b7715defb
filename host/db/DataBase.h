// DataBase: the host's IDataBase, an in-memory table of bosses by UID with an undo history of steps. Each
// step records, in order, the first state of every implementation changed in it (taken at its first
// PreDirty), the objects created and deleted in it, and the logical changes (UndoRecord) that objects such
// as stories record for themselves.
#pragma once

#include <set>
#include <unordered_map>

#include "host/core/BossRef.h"
#include "host/db/IDataBase.h"

class DataBase final : public IDataBase {
 public:
  DataBase();
  ~DataBase() override;

  UID NewObject(ClassID cls) override;
  ErrorCode DeleteObject(UID uid) override;
  uint64_t CountStandIns() const override { return standIns_; }
  bool IsValidUID(UID uid) const override { return objects_.contains(uid); }
  ClassID GetClass(UID uid) const override;
  Boss* GetBoss(UID uid) const override;
  IPMUnknown* Instantiate(UID uid, PMIID iid) const override;
  std::vector<UID> GetAllUIDs() const override;
  UID GetRootUID() const override { return root_; }
  void SetRootUID(UID uid) override { root_ = uid; }

  void BeginStep(const std::string& name) override;
  void EndStep() override;
  size_t Mark() override;
  void RollbackTo(size_t mark) override;
  void ReleaseMark(size_t mark) override;
  // Changes recorded in the open step so far (for checks on how much undo keeps).
  size_t CountOpenChanges() const { return open_.changes.size(); }
  bool IsInStep() const override { return depth_ > 0; }
  ErrorCode AddUndoRecord(std::unique_ptr<UndoRecord> record) override;
  void SuspendTracking() override { ++untracked_; }
  void ResumeTracking() override { --untracked_; }

  bool CanUndo() const override { return !IsInStep() && undone_ < history_.size(); }
  bool CanRedo() const override { return !IsInStep() && undone_ > 0; }
  uint64_t CountRecordedSteps() const override { return recorded_; }
  std::string GetUndoName() const override;
  std::string GetRedoName() const override;
  ErrorCode Undo() override;
  ErrorCode Redo() override;
  void ClearUndo() override;
  std::vector<UID> GetUndoObjects() const override;
  std::vector<UID> GetRedoObjects() const override;

  bool IsModified() const override { return modified_; }
  void SetModified(bool modified) override { modified_ = modified; }

  // Refuses (kNotInCommandError, and an assertion in debug builds) a change made outside any step unless an
  // UntrackedChanges scope is open: undo could not take it back and observers would never hear of it.
  ErrorCode NotePreDirty(Boss& boss, ImplementationID implementation) override;
  // Changes refused so far (see NotePreDirty).
  uint64_t CountRefusedChanges() const { return refused_; }

  // Used by the document file reader: puts an object read from a file at `uid`. kInvalidParameterError
  // when `uid` is 0, at or above kUIDLimit, or taken.
  ErrorCode Adopt(UID uid, Boss* boss);
  // Used by the document file reader once every object is in: tells each live persistent implementation
  // that its state was read (DidRestore).
  void DidLoad();
  UID GetNextUID() const { return nextUID_; }
  // Whether a stand-in object (see NewObject) is in the database.
  bool HoldsStandIns() const;
  // `uid` must be above every object's UID and at most kUIDLimit.
  void SetNextUID(UID uid);

  // Number of steps kept for undo; older ones are dropped.
  static constexpr size_t kMaxSteps = 200;

 private:
  enum class Kind { kChanged, kCreated, kDeleted, kRecord };
  struct Change {
    Kind kind;
    UID uid;
    ImplementationID implementation;     // kChanged only
    std::vector<uint8_t> state;          // kChanged: the other state (before, or after once undone)
    BossRef boss;                        // kCreated and kDeleted: the object, kept alive while undoable
    std::unique_ptr<UndoRecord> record;  // kRecord
  };
  struct Step {
    std::string name;
    std::vector<Change> changes;
  };
  // What one level of the open step (the step itself, then each open mark) has recorded: an object
  // created or an implementation snapshot inside a level needs no further snapshot there, but a nested mark
  // needs its own so that rolling back to it restores the state at the mark.
  struct Level {
    size_t start = 0;                                   // index of the level's first change
    std::set<std::pair<uint32_t, uint32_t>> snapshots;  // (uid, implementation)
    std::set<uint32_t> created;
  };
  // Restores a run of changes with recording suspended, then tells what was restored from snapshots.
  class Restore;

  bool IsTracking() const { return IsInStep() && untracked_ == 0; }
  // The UID for a new object: the next below kUIDLimit, else the next stand-in's; kInvalidUID when none
  // is left.
  UID TakeUID();
  void Insert(UID uid, BossRef boss);
  BossRef Remove(UID uid);
  void Revert(Change& change, Restore& restore);
  void Reapply(Change& change, Restore& restore);
  void SwapState(Change& change, Restore& restore);
  // Appends `change` to the open step, merging a record into the one before it where the level allows.
  void Record(Change change, size_t levelStart);
  static std::vector<UID> ObjectsOf(const Step& step);

  // Hashed: every interface a reader reaches by UID is looked up here.
  std::unordered_map<UID, BossRef> objects_;
  UID root_;
  uint32_t nextUID_ = 1;
  uint32_t nextStandIn_ = kUIDLimit;  // 0 once every UID above the limit is given too
  uint64_t standIns_ = 0;
  bool modified_ = false;

  int depth_ = 0;
  int untracked_ = 0;
  Step open_;
  std::vector<Level> levels_;

  std::vector<Step> history_;  // oldest first
  size_t undone_ = 0;          // steps at the end of history_ that are undone (redoable)
  uint64_t recorded_ = 0;
  uint64_t refused_ = 0;
};
