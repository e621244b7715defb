// Style lookup and creation.
#include "kesto/model/DocumentStyles.h"

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/text/IStyleData.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextIDs.h"

namespace kesto {

namespace {

UID Find(IDataBase* db, StyleKind kind, std::u16string_view name) {
  if (name.empty()) return kInvalidUID;
  StyleLookup found = StyleUtils::FindStyle(db, kind, name);
  return found.matches > 0 ? found.style : kInvalidUID;
}

bool AddStyle(VyCharacterStyleInfo& info, UID nextStyle) {
  IDataBase* db = info.GetDocument();
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kCreateStyleCmdBoss);
  InterfacePtr<IStyleData> data(cmd, UseDefaultIID());
  if (!db || !cmd || !data) return false;
  cmd->SetTargetDataBase(db);
  data->SetKind(info.GetStyleKind());
  data->SetName(info.GetName());
  data->SetBasedOn(info.GetBasedOn());
  if (info.GetStyleKind() == StyleKind::kParagraph) data->SetNextStyle(nextStyle);
  if (const AttributeBossList* overrides = info.GetAgent()->GetOverrides()) data->SetAttributes(*overrides);
  if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess || cmd->GetItemList().size() != 1) {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    return false;
  }
  info.SetStyleUID(cmd->GetItemList()[0]);
  return true;
}

}  // namespace

UID FindParagraphStyle(IDataBase* db, std::u16string_view name) {
  return Find(db, StyleKind::kParagraph, name);
}

UID FindCharacterStyle(IDataBase* db, std::u16string_view name) {
  return Find(db, StyleKind::kCharacter, name);
}

UID RootParagraphStyle(IDataBase* db) {
  return StyleUtils::GetRootStyle(db, StyleKind::kParagraph);
}

UID RootCharacterStyle(IDataBase* db) {
  return StyleUtils::GetRootStyle(db, StyleKind::kCharacter);
}

bool AddCharacterStyle(VyCharacterStyleInfo& info) {
  return AddStyle(info, kInvalidUID);
}

bool AddParagraphStyle(VyParagraphStyleInfo& info) {
  return AddStyle(info, info.GetNextStyle());
}

}  // namespace kesto
