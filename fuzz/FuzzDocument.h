// What the fuzz programs share: a check that stops the run where it fails, and one document made once per
// process on an initialized host, which each input changes and undoes again.
#pragma once

#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/db/IDataBase.h"

namespace fuzz_support {

inline void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The document; `prepare` runs once after the host is up, before the document is made.
template <class Prepare>
IDataBase* Document(Prepare prepare) {
  static IDataBase* db = [&] {
    Host::Initialize();
    prepare();
    IDataBase* made = DocumentList::Get().NewDocument();
    Check(made != nullptr);
    return made;
  }();
  return db;
}

}  // namespace fuzz_support
