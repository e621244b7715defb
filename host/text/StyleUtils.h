// StyleUtils: reaching a document's style tables and styles.
#pragma once

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"
#include "host/text/IStyleInfo.h"
#include "host/text/IStyleTable.h"

namespace StyleUtils {

// The paragraph or character style table of the document whose database is `db`; empty when it has none.
InterfacePtr<IStyleTable> QueryStyleTable(const IDataBase* db, StyleKind kind);
// Each answers kInvalidUID when the document has no such table.
UID GetRootStyle(const IDataBase* db, StyleKind kind);
UID GetDefaultStyle(const IDataBase* db, StyleKind kind);
StyleLookup FindStyle(const IDataBase* db, StyleKind kind, std::u16string_view name);
// The style at `style` when it is a style of `kind` in its table; empty otherwise.
InterfacePtr<IStyleInfo> QueryStyle(const IDataBase* db, UID style, StyleKind kind);

}  // namespace StyleUtils
