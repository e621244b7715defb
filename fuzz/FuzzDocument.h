// What the fuzz programs share: a check that stops the run where it fails, and one document made once per
// process on an initialized host, which each input changes and undoes again.
#pragma once

#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/db/IDataBase.h"
#include "host/text/ITextModel.h"

namespace fuzz_support {

inline void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The document; `prepare` runs once after the host is up, before the document is made.
template <class Prepare>
IDataBase* Document(Prepare prepare) {
  static IDataBase* db = [&] {
    Check(Host::Initialize() == kSuccess);
    prepare();
    IDataBase* made = DocumentList::Get().NewDocument();
    Check(made != nullptr);
    return made;
  }();
  return db;
}

// After an import into a story that held `lengthBefore` units: nothing was lost, the story still ends in
// its return, and one undo takes the import back. The undo history is then cleared for the next input.
inline void CheckImportUndoes(IDataBase* db, const ITextModel& model, int32_t lengthBefore) {
  Check(model.TotalLength() >= lengthBefore);
  Check(model.GetChar(model.TotalLength() - 1) == u'\r');
  if (model.TotalLength() > lengthBefore) {
    Check(db->Undo() == kSuccess);
    Check(model.TotalLength() == lengthBefore);
  }
  db->ClearUndo();
}

}  // namespace fuzz_support
