// Reaching the interfaces a document keeps on its workspace (swatch, stroke-style, font and language lists).
#pragma once

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"
#include "host/db/IDocument.h"

// The interface `iid` of the workspace of the document whose database is `db`; empty when `db` is null, holds
// no document or the workspace has no such interface.
template <class T>
InterfacePtr<T> QueryDocWorkspace(const IDataBase* db, PMIID iid = T::kDefaultIID) {
  if (!db) return {};
  InterfacePtr<IDocument> doc = Instantiate<IDocument>(db, db->GetRootUID());
  if (!doc) return {};
  return Instantiate<T>(db, doc->GetDocWorkSpace(), iid);
}
