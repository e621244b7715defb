// One-call layout commands.
#include "host/layout/LayoutCmdUtils.h"

#include "host/cmd/CmdUtils.h"

namespace LayoutCmdUtils {

ErrorCode Process(ClassID cls, IDataBase* db, const std::vector<UID>& items, const LayoutParams& params,
                  std::vector<UID>* result) {
  if (result) result->clear();
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(cls);
  InterfacePtr<ILayoutCmdData> data(cmd, UseDefaultIID());
  if (!cmd || !data || !db) return kInvalidParameterError;
  cmd->SetItemList(UIDList(db, items));
  cmd->SetTargetDataBase(db);
  data->Params() = params;
  ErrorCode err = CmdUtils::ProcessCommand(cmd.get());
  if (err == kSuccess && result) *result = cmd->GetItemList().UIDs();
  return err;
}

}  // namespace LayoutCmdUtils
