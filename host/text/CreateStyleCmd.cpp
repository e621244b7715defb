// Creating styles.
#include "host/text/CreateStyleCmd.h"

#include "host/cmd/ErrorUtils.h"
#include "host/text/IStyleData.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleRules.h"
#include "host/text/StyleUtils.h"

void CreateStyleCmd::Do() {
  IDataBase* db = GetTargetDataBase();
  InterfacePtr<IStyleData> data(this, UseDefaultIID());
  InterfacePtr<IStyleTable> table =
      data ? StyleUtils::QueryStyleTable(db, data->GetKind()) : InterfacePtr<IStyleTable>();
  if (!table) return ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
  StyleKind kind = data->GetKind();
  const WideString& name = data->GetName();
  UID basedOn = data->GetBasedOn().IsValid() ? data->GetBasedOn() : table->GetRootStyle();
  bool valid = StyleNames::IsValid(name) && !StyleRules::IsNameTaken(db, *table, name, kInvalidUID) &&
               StyleRules::IsStyle(db, basedOn, kind) &&
               StyleRules::AreValidReferences(db, kind, data->GetNextStyle(), data->GetCharacterStyle());
  if (!valid) return ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
  UID uid = db->NewObject(kStyleBoss);
  InterfacePtr<IStyleInfo> style = Instantiate<IStyleInfo>(db, uid);
  if (!style) return ErrorUtils::PMSetGlobalErrorCode(kFailure);
  style->SetKind(kind);
  style->SetName(name);
  style->SetBasedOn(basedOn);
  style->SetNextStyle(data->GetNextStyle());
  style->SetCharacterStyle(data->GetCharacterStyle());
  style->SetAttributes(StyleRules::AllowedAttributes(kind, data->GetAttributes()));
  StyleRules::AddGroups(*table, name);
  table->AddStyle(uid);
  SetItemList(UIDList(db, {uid}));
}
