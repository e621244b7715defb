// The text area's start-up: registration of its classes and implementations, and the defaults it gives a
// new document (the style tables with their root and default styles).
#pragma once

#include "host/db/IDataBase.h"

// Registers every class of the text area; called once from the host's start-up.
void RegisterTextClasses();
// Document initializer: the root paragraph style "[No paragraph style]" holding a default for every
// attribute class, "NormalParagraphStyle" based on it (the default for new text), and the root character
// style "[No character style]", which holds nothing so that the paragraph's attributes show through.
void InitializeTextDocument(IDataBase& db, UID document);
