// Changing styles.
#include "host/text/EditStyleCmd.h"

#include "host/cmd/ErrorUtils.h"
#include "host/text/IStyleData.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleRules.h"
#include "host/text/StyleUtils.h"

namespace {

bool IsValidEdit(const IDataBase* db, const IStyleTable& table, UID uid, const IStyleInfo& style,
                 const IStyleData& data) {
  uint32_t changes = data.GetChanges();
  StyleKind kind = style.GetKind();
  bool root = uid == table.GetRootStyle();
  if (changes & IStyleData::kName) {
    if (root || !StyleNames::IsValid(data.GetName()) ||
        StyleRules::IsNameTaken(db, table, data.GetName(), uid))
      return false;
  }
  if (changes & IStyleData::kBasedOn) {
    UID basedOn = data.GetBasedOn().IsValid() ? data.GetBasedOn() : table.GetRootStyle();
    if (root || !StyleRules::IsStyle(db, basedOn, kind) || StyleRules::MakesLoop(db, uid, basedOn))
      return false;
  }
  UID next = changes & IStyleData::kNextStyle ? data.GetNextStyle() : kInvalidUID;
  UID characterStyle = changes & IStyleData::kCharacterStyle ? data.GetCharacterStyle() : kInvalidUID;
  return StyleRules::AreValidReferences(db, kind, next, characterStyle);
}

}  // namespace

void EditStyleCmd::Do() {
  const UIDList& items = GetItemList();
  IDataBase* db = items.GetDataBase();
  InterfacePtr<IStyleData> data(this, UseDefaultIID());
  InterfacePtr<IStyleInfo> style =
      items.size() == 1 ? Instantiate<IStyleInfo>(db, items[0]) : InterfacePtr<IStyleInfo>();
  InterfacePtr<IStyleTable> table =
      style ? StyleUtils::QueryStyleTable(db, style->GetKind()) : InterfacePtr<IStyleTable>();
  if (!data || !table || !table->ContainsStyle(items[0]) || !IsValidEdit(db, *table, items[0], *style, *data))
    return ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
  uint32_t changes = data->GetChanges();
  if (changes & IStyleData::kName) {
    style->SetName(data->GetName());
    StyleRules::AddGroups(*table, data->GetName());
  }
  if (changes & IStyleData::kBasedOn)
    style->SetBasedOn(data->GetBasedOn().IsValid() ? data->GetBasedOn() : table->GetRootStyle());
  if (changes & IStyleData::kNextStyle) style->SetNextStyle(data->GetNextStyle());
  if (changes & IStyleData::kCharacterStyle) style->SetCharacterStyle(data->GetCharacterStyle());
  if (changes & IStyleData::kAttributes)
    style->SetAttributes(StyleRules::AllowedAttributes(style->GetKind(), data->GetAttributes()));
}
