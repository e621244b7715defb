// StyleRules: what the style commands check and do before creating or changing a style: names unique in
// their table, references to styles of the right kind, based-on chains without loops, and the groups a
// name's path implies.
#pragma once

#include <string_view>

#include "host/db/IDataBase.h"
#include "host/text/AttributeBossList.h"
#include "host/text/IStyleTable.h"

namespace StyleRules {

// Whether `style` is a style of `kind` in the document's table of that kind.
bool IsStyle(const IDataBase* db, UID style, StyleKind kind);
// Whether a style of `table` other than `except` has the full name `name`.
bool IsNameTaken(const IDataBase* db, const IStyleTable& table, std::u16string_view name, UID except);
// Whether basing `style` on `basedOn` would make `style` its own ancestor.
bool MakesLoop(const IDataBase* db, UID style, UID basedOn);
// A character style holds character attributes only; a paragraph style holds any.
AttributeBossList AllowedAttributes(StyleKind kind, const AttributeBossList& attributes);
// Adds the groups of `name`'s path that `table` does not have yet.
void AddGroups(IStyleTable& table, std::u16string_view name);
// The references of a style's fields, checked against its kind: the next style of the same kind (0 for
// itself), the character style of a paragraph style (0 for none; character styles have none).
bool AreValidReferences(const IDataBase* db, StyleKind kind, UID next, UID characterStyle);

}  // namespace StyleRules
