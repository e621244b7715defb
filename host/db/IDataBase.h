// IDataBase: a document's database of persistent objects addressed by UID, with undo and redo of the
// changes made in named steps.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/core/Boss.h"
#include "host/core/InterfacePtr.h"
#include "host/db/UndoRecord.h"

// One past the largest UID a saved object can have. UIDs stay below 2^31 so that each is also a
// non-negative signed 32-bit number wherever one is carried as such. A database that has given every UID
// below the limit makes stand-ins above it (see NewObject).
inline constexpr uint32_t kUIDLimit = 0x80000000;

class IDataBase : public IBossHome {
 public:
  virtual ~IDataBase() = default;

  // Creates a persistent object of `cls` and answers its UID; kInvalidUID when the class is unknown. Once
  // every UID below kUIDLimit is given, the object is a stand-in with a UID above it, so that the work
  // under way need not stop halfway: the command processor fails and rolls back a command that made one,
  // and a database still holding one cannot be saved.
  virtual UID NewObject(ClassID cls) = 0;
  // Deletes the object; kInvalidParameterError when there is none at `uid`. Holders of its interfaces keep
  // a live (but detached) object until they release it.
  virtual ErrorCode DeleteObject(UID uid) = 0;
  // How many stand-ins NewObject has made (see there): a caller that compares the count before and after
  // a piece of work learns that the work could not make every object it needed.
  virtual uint64_t CountStandIns() const { return 0; }
  virtual bool IsValidUID(UID uid) const = 0;
  virtual ClassID GetClass(UID uid) const = 0;
  // The object at `uid` (not counted), or nullptr.
  virtual Boss* GetBoss(UID uid) const = 0;
  // A counted reference to the interface `iid` of the object at `uid`, or nullptr.
  virtual IPMUnknown* Instantiate(UID uid, PMIID iid) const = 0;
  // UIDs of all live objects, ascending.
  virtual std::vector<UID> GetAllUIDs() const = 0;
  // The root object (the document boss of a document's database).
  virtual UID GetRootUID() const = 0;
  virtual void SetRootUID(UID uid) = 0;

  // Undo steps. Steps nest: only the outermost Begin/End makes a step, named by the outermost name.
  virtual void BeginStep(const std::string& name) = 0;
  virtual void EndStep() = 0;
  // A position inside the open step; RollbackTo undoes every change made after it (a failed command, an
  // aborted sequence) and leaves the earlier changes of the step in place; ReleaseMark keeps those changes
  // and drops what only the mark needed (later snapshots of objects the step had snapshot before it). Marks
  // nest and end in reverse order, each with one RollbackTo or ReleaseMark.
  virtual size_t Mark() = 0;
  virtual void RollbackTo(size_t mark) = 0;
  virtual void ReleaseMark(size_t mark) = 0;
  virtual bool IsInStep() const = 0;
  // Keeps `record` in the open step, after the changes recorded so far; kFailure (the record is dropped)
  // when no step is open.
  [[nodiscard]] virtual ErrorCode AddUndoRecord(std::unique_ptr<UndoRecord> record) = 0;
  // Suspends and resumes the recording of creations, deletions and snapshots (see UntrackedChanges); nests.
  virtual void SuspendTracking() = 0;
  virtual void ResumeTracking() = 0;

  virtual bool CanUndo() const = 0;
  // Steps recorded since the database was made, also those undone or dropped since: a caller compares two
  // counts to learn whether what it did in between recorded a step (a change that changed nothing does not).
  virtual uint64_t CountRecordedSteps() const = 0;
  virtual bool CanRedo() const = 0;
  virtual std::string GetUndoName() const = 0;
  virtual std::string GetRedoName() const = 0;
  // Each answers kFailure when there is nothing to undo or redo, or a step is open.
  virtual ErrorCode Undo() = 0;
  virtual ErrorCode Redo() = 0;
  virtual void ClearUndo() = 0;
  // The objects that undoing (redoing) the next step restores, ascending; empty when there is none.
  virtual std::vector<UID> GetUndoObjects() const = 0;
  virtual std::vector<UID> GetRedoObjects() const = 0;

  // True after a change that has not been saved.
  virtual bool IsModified() const = 0;
  virtual void SetModified(bool modified) = 0;
};

template <class T>
InterfacePtr<T> Instantiate(const IDataBase* db, UID uid, PMIID iid = T::kDefaultIID) {
  return InterfacePtr<T>(db ? static_cast<T*>(db->Instantiate(uid, iid)) : nullptr);
}

// The database that keeps the object, or nullptr for non-persistent objects.
IDataBase* GetDataBase(const IPMUnknown* face);
