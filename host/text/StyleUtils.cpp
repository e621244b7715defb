// Reaching style tables and styles.
#include "host/text/StyleUtils.h"

#include "host/res/DocWorkspace.h"

namespace StyleUtils {

InterfacePtr<IStyleTable> QueryStyleTable(const IDataBase* db, StyleKind kind) {
  return QueryDocWorkspace<IStyleTable>(
      db, kind == StyleKind::kParagraph ? IID_IPARASTYLETABLE : IID_ICHARSTYLETABLE);
}

UID GetRootStyle(const IDataBase* db, StyleKind kind) {
  InterfacePtr<IStyleTable> table = QueryStyleTable(db, kind);
  return table ? table->GetRootStyle() : kInvalidUID;
}

UID GetDefaultStyle(const IDataBase* db, StyleKind kind) {
  InterfacePtr<IStyleTable> table = QueryStyleTable(db, kind);
  return table ? table->GetDefaultStyle() : kInvalidUID;
}

StyleLookup FindStyle(const IDataBase* db, StyleKind kind, std::u16string_view name) {
  InterfacePtr<IStyleTable> table = QueryStyleTable(db, kind);
  return table ? table->FindByName(name) : StyleLookup();
}

InterfacePtr<IStyleInfo> QueryStyle(const IDataBase* db, UID style, StyleKind kind) {
  InterfacePtr<IStyleTable> table = QueryStyleTable(db, kind);
  if (!table || !table->ContainsStyle(style)) return {};
  InterfacePtr<IStyleInfo> info = Instantiate<IStyleInfo>(db, style);
  return info && info->GetKind() == kind ? info : InterfacePtr<IStyleInfo>();
}

}  // namespace StyleUtils
