// DocumentList: the open documents: new, open, save, save as and close, with the document signals that
// responders answer (after new, after open, after save as).
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/core/WideString.h"
#include "host/db/DataBase.h"

struct DocumentResult {
  ErrorCode error = kSuccess;
  std::string message;  // for the user; empty on success
  bool ok() const { return error == kSuccess; }
};

class DocumentList {
 public:
  static DocumentList& Get();

  // Host areas fill a new document with its defaults (style tables, swatches, a first spread ...).
  using Initializer = std::function<void(IDataBase& db, UID document)>;
  void AddInitializer(Initializer initializer) { initializers_.push_back(std::move(initializer)); }
  // Steps that follow the "after new" signal (so that observers attached by its responders hear them);
  // their changes are not undoable either.
  void AddAfterNewStep(Initializer step) { afterNew_.push_back(std::move(step)); }
  // Completes an opened document before it is checked (a layout for a document saved without one) and
  // answers a fault of its own (empty when sound).
  using OpenStep = std::function<std::string(IDataBase& db)>;
  void AddOpenStep(OpenStep step) { openSteps_.push_back(std::move(step)); }

  // A new document from the built-in defaults, with a clean undo history; signals "after new".
  IDataBase* NewDocument(const WideString& name = u"Untitled");
  // Opens a saved document and checks that it is consistent (DocumentCheck); signals "after open". Fails as
  // DocumentFile::Open does, or with kDamagedDocumentError for an inconsistent document; `db` is null then.
  DocumentResult OpenDocument(const std::filesystem::path& path, IDataBase*& db);
  // What OpenDocument does with a database read from a file before it opens it: checks that it is a
  // consistent document and completes it with the open steps. Fails with kNotADocumentError or
  // kDamagedDocumentError; the message does not name the file.
  DocumentResult CheckOpened(IDataBase& db) const;
  // Saves to the document's file (kInvalidParameterError when it has none yet). Refused with
  // kDamagedDocumentError, the file untouched, when opening would refuse the document
  // (DocumentCheck::FindSaveFault); the message names the fault.
  DocumentResult SaveDocument(IDataBase* db);
  // Saves to `path` as SaveDocument does; `path` becomes the document's file; signals "after save as".
  DocumentResult SaveDocumentAs(IDataBase* db, const std::filesystem::path& path);
  void CloseDocument(IDataBase* db);
  void CloseAll();
  std::vector<IDataBase*> GetDocuments() const;

 private:
  IDataBase* Add(std::unique_ptr<DataBase> db);
  std::vector<std::unique_ptr<DataBase>> documents_;
  std::vector<Initializer> initializers_;
  std::vector<Initializer> afterNew_;
  std::vector<OpenStep> openSteps_;
};
