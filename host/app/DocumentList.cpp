// The open documents.
#include "host/app/DocumentList.h"

#include <algorithm>

#include "host/app/DocumentCheck.h"
#include "host/core/HostIDs.h"
#include "host/db/DocumentFile.h"
#include "host/db/IDocument.h"
#include "host/db/UndoRecord.h"
#include "host/notify/IResponder.h"
#include "host/ui/Selection.h"

DocumentList& DocumentList::Get() {
  static DocumentList list;
  return list;
}

IDataBase* DocumentList::Add(std::unique_ptr<DataBase> db) {
  documents_.push_back(std::move(db));
  return documents_.back().get();
}

IDataBase* DocumentList::NewDocument(const WideString& name) {
  auto db = std::make_unique<DataBase>();
  // Building the document is no edit of it: nothing of it is undoable.
  UntrackedChanges building(db.get());
  UID root = db->NewObject(kDocBoss);
  if (!root.IsValid()) return nullptr;
  db->SetRootUID(root);
  UID workspace = db->NewObject(kDocWorkspaceBoss);
  if (auto doc = Instantiate<IDocument>(db.get(), root)) {
    doc->SetName(name);
    doc->SetDocWorkSpace(workspace);
  }
  for (const auto& init : initializers_)
    init(*db, root);
  db->ClearUndo();
  db->SetModified(false);
  IDataBase* added = Add(std::move(db));
  SignalMgr::Signal(kDocumentSignalService, kAfterNewDocSignal, UIDRef(added, root));
  for (const auto& step : afterNew_)
    step(*added, root);
  added->ClearUndo();
  added->SetModified(false);
  return added;
}

DocumentResult DocumentList::OpenDocument(const std::filesystem::path& path, IDataBase*& out) {
  out = nullptr;
  std::unique_ptr<DataBase> db;
  DocumentFileResult r = DocumentFile::Open(path, db);
  if (r.error != kSuccess) return {r.error, r.message};
  // Completing what was read (the open steps, the file it came from) is part of reading it.
  UntrackedChanges reading(db.get());
  if (DocumentResult checked = CheckOpened(*db); !checked.ok())
    return {checked.error, path.string() + ": " + checked.message};
  Instantiate<IDocument>(db.get(), db->GetRootUID())->SetFile(std::filesystem::absolute(path));
  out = Add(std::move(db));
  SignalMgr::Signal(kDocumentSignalService, kAfterOpenDocSignal, UIDRef(out, out->GetRootUID()));
  return {};
}

DocumentResult DocumentList::CheckOpened(IDataBase& db) const {
  if (!Instantiate<IDocument>(&db, db.GetRootUID()))
    return {kNotADocumentError, "not a document (its root object is no document)"};
  if (std::string fault = DocumentCheck::FindFault(db); !fault.empty())
    return {kDamagedDocumentError, "the document is inconsistent: " + fault};
  for (const auto& step : openSteps_) {
    if (std::string fault = step(db); !fault.empty())
      return {kDamagedDocumentError, "the document is inconsistent: " + fault};
  }
  return {};
}

namespace {

// Saving never writes what opening would refuse: a document that breaks its own checks stays unsaved (and
// the file as it was), with the fault in the message.
DocumentResult Save(IDataBase* db, const std::filesystem::path& path) {
  if (std::string fault = DocumentCheck::FindSaveFault(*db); !fault.empty())
    return {kDamagedDocumentError,
            "cannot save " + path.string() + ": the document is inconsistent: " + fault};
  DocumentFileResult r = DocumentFile::Save(*static_cast<DataBase*>(db), path);
  return {r.error, r.message};
}

}  // namespace

DocumentResult DocumentList::SaveDocument(IDataBase* db) {
  auto doc = Instantiate<IDocument>(db, db ? db->GetRootUID() : kInvalidUID);
  if (!doc || doc->GetFile().empty()) return {kInvalidParameterError, "the document has no file yet"};
  return Save(db, doc->GetFile());
}

DocumentResult DocumentList::SaveDocumentAs(IDataBase* db, const std::filesystem::path& path) {
  auto doc = Instantiate<IDocument>(db, db ? db->GetRootUID() : kInvalidUID);
  if (!doc) return {kInvalidParameterError, "not a document"};
  DocumentResult r = Save(db, path);
  if (r.error != kSuccess) return {r.error, r.message};
  {
    // Where the document is kept is no edit of it.
    UntrackedChanges relocating(db);
    doc->SetFile(std::filesystem::absolute(path));
  }
  SignalMgr::Signal(kDocumentSignalService, kAfterSaveAsDocSignal, UIDRef(db, db->GetRootUID()));
  return {};
}

void DocumentList::CloseDocument(IDataBase* db) {
  Selection::Get().ForgetDataBase(db);
  std::erase_if(documents_, [&](const std::unique_ptr<DataBase>& d) { return d.get() == db; });
}

void DocumentList::CloseAll() {
  Selection::Get().Clear();
  documents_.clear();
}

std::vector<IDataBase*> DocumentList::GetDocuments() const {
  std::vector<IDataBase*> list;
  for (const auto& d : documents_)
    list.push_back(d.get());
  return list;
}
