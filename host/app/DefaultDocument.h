// The built-in default document's content beyond what each area sets up: its main story.
#pragma once

#include "host/db/IDataBase.h"

namespace DefaultDocument {

// Runs after the areas' initializers: creates the main story (the first of the document's stories).
void AddDefaultContent(IDataBase& db, UID document);

// The main story of a document: the first of its stories; kInvalidUID when it has none.
UID GetMainStory(IDataBase& db);

}  // namespace DefaultDocument
