// The built-in default document's content beyond what each area sets up: its main story and its layout,
// the steps that follow the making of a new document, and the layout of documents saved before documents
// had one.
#pragma once

#include <string>

#include "host/db/IDataBase.h"
#include "host/layout/DefaultLayout.h"

namespace DefaultDocument {

// The layout new documents get; the built-in one (NewLayoutOptions{}) unless set. Options with a fault
// (NewLayoutOptions::Fault) are not taken: answers kInvalidParameterError.
ErrorCode SetNewLayoutOptions(const NewLayoutOptions& options);
const NewLayoutOptions& GetNewLayoutOptions();

// Runs after the areas' initializers: creates the main story (the first of the document's stories) and
// the layout, with the main story in a frame on page 1's margin box.
void AddDefaultContent(IDataBase& db, UID document);

// Runs after the "after new" signal, so that the observers attached then hear it: the change listing the
// master spreads (kMasterSpreadsListedChange), the master application on the document's pages (one
// command per master), then an idle step that runs the scheduled commands.
void AnnounceNewDocument(IDataBase& db, UID document);

// For a document just read from a file: builds the built-in layout for a document that has none (saved
// before documents had a layout), then checks the layout. Empty when sound, else the fault.
std::string CompleteOpenedDocument(IDataBase& db);

// The main story of a document: the first of its stories; kInvalidUID when it has none.
UID GetMainStory(IDataBase& db);

}  // namespace DefaultDocument
