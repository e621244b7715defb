// Swatch helpers.
#include "host/res/SwatchUtils.h"

#include "host/cmd/CmdUtils.h"
#include "host/db/ValueData.h"
#include "host/res/DocWorkspace.h"
#include "host/res/IColorSwatchCmdData.h"

namespace {

ErrorCode ProcessCreating(ICommand* cmd, UID& swatch) {
  ErrorCode err = CmdUtils::ProcessCommand(cmd);
  swatch = err == kSuccess && cmd->GetItemList().size() == 1 ? cmd->GetItemList()[0] : kInvalidUID;
  return err;
}

}  // namespace

InterfacePtr<ISwatchList> SwatchUtils::QuerySwatchList(const IDataBase* db) {
  return QueryDocWorkspace<ISwatchList>(db);
}

ErrorCode SwatchUtils::CreateColorSwatch(IDataBase* db, const WideString& name, const ColorValue& color,
                                         UID& swatch) {
  swatch = kInvalidUID;
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kNewColorSwatchCmdBoss);
  InterfacePtr<IColorSwatchCmdData> data(cmd, UseDefaultIID());
  if (!cmd || !data) return kFailure;
  cmd->SetTargetDataBase(db);
  data->Set(name, color);
  return ProcessCreating(cmd.get(), swatch);
}

ErrorCode SwatchUtils::CreateTintSwatch(IDataBase* db, UID base, double tint, UID& swatch) {
  swatch = kInvalidUID;
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kNewTintSwatchCmdBoss);
  InterfacePtr<IRealData> data(cmd, UseDefaultIID());
  if (!cmd || !data) return kFailure;
  cmd->SetItemList(UIDList(db, {base}));
  data->Set(tint);
  return ProcessCreating(cmd.get(), swatch);
}
