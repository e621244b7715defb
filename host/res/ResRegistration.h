// Start-up of the resources area: its classes, services and texts, and the resources every new document
// receives (swatches, stroke styles, font families, languages).
#pragma once

#include "host/core/IDs.h"

#include "host/db/IDataBase.h"

// Registers the area's classes and implementations, the kerning-method services and the host's texts for
// the area's translation keys. Called once at host start-up.
// kIDClashError at the first ID already taken (the rest of the area is then not registered).
[[nodiscard]] ErrorCode RegisterResClasses();

// Fills the workspace of a new document: the reserved and the six process swatches, the built-in stroke
// styles, a family object for each installed font family and the host's languages.
void InitializeDocumentResources(IDataBase& db, UID document);
