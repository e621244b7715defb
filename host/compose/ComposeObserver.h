// ComposeObserver (on the document): turns what text commands and undo tell the document into damage of
// the stories' compositions, and keeps anchored items with their characters as text is edited. Layout
// commands damage frame lists themselves; page changes, style edits and undo start every story's composition
// again.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/db/IDataBase.h"
#include "host/notify/IObserver.h"

class ComposeObserver final : public CPMUnknown<IObserver> {
 public:
  explicit ComposeObserver(Boss* boss) : CPMUnknown(boss) {}
  void Update(ClassID theChange, ISubject* theSubject, PMIID protocol, void* changedBy) override;
  // Attaches the document's observer to the document's subject.
  static void AttachTo(IDataBase& db);
};
