// A document's paragraph and character styles as the tag language reaches them: lookup by name, the root
// styles, and adding the styles a style sheet defines.
#pragma once

#include <string_view>

#include "host/db/IDataBase.h"
#include "host/text/IStyleTable.h"
#include "kesto/model/VyStyleInfo.h"

namespace kesto {

// The style of that (untranslated) name; when styles of several groups have the name, the first. kInvalidUID
// for an empty name, an unknown one, or a database without style tables.
UID FindParagraphStyle(IDataBase* db, std::u16string_view name);
UID FindCharacterStyle(IDataBase* db, std::u16string_view name);
// The style of that name and how many styles it matches (a name without group path matches the styles of
// that own name in every group); no match for an empty name or a database without style tables.
StyleLookup LookupParagraphStyle(IDataBase* db, std::u16string_view name);
StyleLookup LookupCharacterStyle(IDataBase* db, std::u16string_view name);
// kInvalidUID for a database without style tables.
UID RootParagraphStyle(IDataBase* db);
UID RootCharacterStyle(IDataBase* db);

// Add the style `info` defines to the document of its manager, creating the groups its name implies, with
// the info's name, based-on style, (paragraph styles) next style and overrides; on success the info's style
// UID is the new style. False when the host refuses (invalid or taken name, a reference to a style of the
// wrong kind ...); the refusal resets the global error code.
bool AddCharacterStyle(VyCharacterStyleInfo& info);
bool AddParagraphStyle(VyParagraphStyleInfo& info);
// Gives the paragraph style `style` the based-on style, next style, character style and attributes `info`
// defines (the style keeps its name). False when the host refuses, as AddParagraphStyle.
bool RedefineParagraphStyle(VyParagraphStyleInfo& info, UID style);

}  // namespace kesto
