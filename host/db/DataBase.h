// DataBase: the host's IDataBase, an in-memory table of bosses by UID with an undo history of steps. Each
// step records, in order, the first state of every implementation changed in it (taken at its first
// PreDirty) and the objects created and deleted in it.
#pragma once

#include <map>
#include <set>

#include "host/db/IDataBase.h"

class DataBase final : public IDataBase {
 public:
  DataBase();
  ~DataBase() override;

  UID NewObject(ClassID cls) override;
  ErrorCode DeleteObject(UID uid) override;
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

  bool CanUndo() const override { return !IsInStep() && undone_ < history_.size(); }
  bool CanRedo() const override { return !IsInStep() && undone_ > 0; }
  std::string GetUndoName() const override;
  std::string GetRedoName() const override;
  ErrorCode Undo() override;
  ErrorCode Redo() override;
  void ClearUndo() override;

  bool IsModified() const override { return modified_; }
  void SetModified(bool modified) override { modified_ = modified; }

  void NotePreDirty(Boss& boss, ImplementationID implementation) override;

  // Used by the document file reader: puts an object read from a file at `uid`.
  ErrorCode Adopt(UID uid, Boss* boss);
  // Used by the document file reader once every object is in: tells each live persistent implementation
  // that its state was read (DidRestore).
  void DidLoad();
  UID GetNextUID() const { return nextUID_; }
  void SetNextUID(UID uid) { nextUID_ = uid.Get(); }

  // Number of steps kept for undo; older ones are dropped.
  static constexpr size_t kMaxSteps = 200;

 private:
  enum class Kind { kChanged, kCreated, kDeleted };
  struct Change {
    Kind kind;
    UID uid;
    ImplementationID implementation;  // kChanged only
    std::vector<uint8_t> state;       // kChanged: the other state (before, or after once undone)
    Boss* boss = nullptr;             // kCreated and kDeleted: the object, kept alive by one reference
  };
  struct Step {
    std::string name;
    std::vector<Change> changes;
  };

  void Insert(UID uid, Boss* boss);
  Boss* Remove(UID uid);
  void Revert(Change& change);
  void Reapply(Change& change);
  void SwapState(Change& change);
  static void Discard(Step& step);

  std::map<UID, Boss*> objects_;  // each holds one reference
  UID root_;
  uint32_t nextUID_ = 1;
  bool modified_ = false;

  int depth_ = 0;
  Step open_;
  // What one level of the open step (the step itself, then each open mark) has recorded: an object
  // created or an implementation snapshot inside a level needs no further snapshot there, but a nested mark
  // needs its own so that rolling back to it restores the state at the mark.
  struct Level {
    std::set<std::pair<uint32_t, uint32_t>> snapshots;  // (uid, implementation)
    std::set<uint32_t> created;
  };
  std::vector<Level> levels_;
  bool restoring_ = false;

  std::vector<Step> history_;  // oldest first
  size_t undone_ = 0;          // steps at the end of history_ that are undone (redoable)
};
