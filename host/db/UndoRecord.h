// UndoRecord: a change that its maker records as what it did (a range of text inserted, the runs a range
// held), rather than as snapshots of the objects it touched, so that undo costs what the change cost. The
// database keeps records in its undo steps beside its snapshots and plays them back in order.
#pragma once

#include "host/core/IDs.h"

class IDataBase;

class UndoRecord {
 public:
  virtual ~UndoRecord() = default;

  // Puts back the state before the change (Revert) or after it (Reapply). The database calls them with its
  // own recording suspended, Revert in the reverse order of recording and Reapply in that order, so each
  // finds the state it left.
  virtual void Revert(IDataBase& db) = 0;
  virtual void Reapply(IDataBase& db) = 0;
  // Takes `next`, the change recorded right after this one at the same level, into this record when one
  // record can describe both (text typed or imported at the end of the text just inserted); false otherwise.
  virtual bool Absorb(UndoRecord& next) { return false; }
  // The object whose state the record changes, named to observers of undo and redo.
  virtual UID GetObject() const = 0;
};

// While it lives, the database records no creations, deletions or snapshots: the changes made meanwhile are
// described by an UndoRecord, or, outside any step, need no undo (building a new document, reading one,
// storing what the composer derives). Outside a step, a change without this scope is refused.
class UntrackedChanges {
 public:
  explicit UntrackedChanges(IDataBase* db);
  ~UntrackedChanges();
  UntrackedChanges(const UntrackedChanges&) = delete;
  UntrackedChanges& operator=(const UntrackedChanges&) = delete;

 private:
  IDataBase* db_;
};
