// LayoutCmdUtils: creating, filling and processing a layout command in one call. Answers the result of
// CmdUtils::ProcessCommand: kSuccess, or the error the command set (which stays set as the global error
// code, for the caller to read and reset).
#pragma once

#include <vector>

#include "host/db/UIDRef.h"
#include "host/layout/ILayoutCmdData.h"

namespace LayoutCmdUtils {

// Processes the command of `cls` on `items` of `db` with `params`; `result` (when given) receives the
// command's item list afterwards (the new items, pages or spreads of the commands that make them).
ErrorCode Process(ClassID cls, IDataBase* db, const std::vector<UID>& items, const LayoutParams& params,
                  std::vector<UID>* result = nullptr);

}  // namespace LayoutCmdUtils
