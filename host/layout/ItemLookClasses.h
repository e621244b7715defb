// ItemLookClasses: registration of how items look: the page items' graphic attributes, wrap and object
// style, the document's object styles, and their commands.
#pragma once

class Registry;

void RegisterItemLookClasses(Registry& r);
