// The text area's start-up: registration of its classes and implementations, and the defaults it gives a
// new document (the style tables with their root and default styles).
#pragma once

#include "host/core/IDs.h"

#include "host/db/IDataBase.h"

// Registers every class of the text area; called once from the host's start-up.
// kIDClashError at the first ID already taken (the rest of the area is then not registered).
[[nodiscard]] ErrorCode RegisterTextClasses();
// Document initializer: the root paragraph style "[No paragraph style]" holding a default for every
// attribute class, "NormalParagraphStyle" based on it (the default for new text), and the root character
// style "[No character style]", which holds nothing so that the paragraph's attributes show through.
void InitializeTextDocument(IDataBase& db, UID document);
