// ItemLookClasses: registration of how items look: the page items' graphic attributes, wrap and object
// style, the document's object styles, and their commands.
#pragma once

#include <vector>

#include "host/core/IDs.h"

class Registry;

ErrorCode RegisterItemLookClasses(Registry& r);
// The command classes, whose own changes carry a LayoutChange.
std::vector<ClassID> ItemLookCommandClasses();
