// LayoutCmdUtils: creating, filling and processing a layout command in one call. Answers the result of
// CmdUtils::ProcessCommand: kSuccess, or the error the command set (which stays set as the global error
// code, for the caller to read and reset).
#pragma once

#include <vector>

#include "host/cmd/CmdUtils.h"
#include "host/db/UIDRef.h"
#include "host/layout/ILayoutCmdData.h"

namespace LayoutCmdUtils {

// Processes the command of `cls` on `items` of `db`, its parameter interface `Data` holding `params`;
// `result` (when given) receives the command's item list afterwards.
template <class Data, class Params>
ErrorCode ProcessWith(ClassID cls, IDataBase* db, const std::vector<UID>& items, const Params& params,
                      std::vector<UID>* result) {
  if (result) result->clear();
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(cls);
  InterfacePtr<Data> data(cmd, UseDefaultIID());
  if (!cmd || !data || !db) return kInvalidParameterError;
  cmd->SetItemList(UIDList(db, items));
  cmd->SetTargetDataBase(db);
  data->Params() = params;
  ErrorCode err = CmdUtils::ProcessCommand(cmd.get());
  if (err == kSuccess && result) *result = cmd->GetItemList().UIDs();
  return err;
}

// Processes the command of `cls` on `items` of `db` with `params`; `result` (when given) receives the
// command's item list afterwards (the new items, pages or spreads of the commands that make them).
ErrorCode Process(ClassID cls, IDataBase* db, const std::vector<UID>& items, const LayoutParams& params,
                  std::vector<UID>* result = nullptr);

}  // namespace LayoutCmdUtils
