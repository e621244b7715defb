// ItemLookJson: how items look in `pagehost inspect --json`: per item its own graphic attributes by name,
// its object style, the attribute classes (and "wrap") it overrides against that style, and its wrap; per
// document its object styles.
#pragma once

#include <string>

#include "host/db/IDataBase.h"

namespace pagehost {

// `,"attributes":{...},"objectStyle":"NAME","overrides":[...],"wrap":{...}` for the page item `item`.
std::string ItemLookMembers(IDataBase& db, UID item);
// `,"objectStyles":[...]`: each style's "id", "name", "basedOn" (a name or null), "categories" and own
// "attributes" and, where it governs wrap, "wrap".
std::string ObjectStylesMember(IDataBase& db);

}  // namespace pagehost
