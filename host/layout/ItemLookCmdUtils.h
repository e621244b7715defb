// ItemLookCmdUtils: the commands that change how items look, each in one call. Each answers the result of
// CmdUtils::ProcessCommand: kSuccess, or the error the command set (which stays set as the global error code,
// for the caller to read and reset).
#pragma once

#include <vector>

#include "host/db/IDataBase.h"
#include "host/layout/IItemLookCmdData.h"

namespace ItemLookCmdUtils {

ErrorCode ApplyAttributes(IDataBase* db, const std::vector<UID>& items,
                          const GraphicAttributeList& attributes, const std::vector<GraphicAttr>& clear = {});
ErrorCode SetWrap(IDataBase* db, const std::vector<UID>& items, const TextWrapSettings& wrap);
// `made` receives the new style (kInvalidObjectStyle on failure).
ErrorCode NewStyle(IDataBase* db, const ObjectStyle& style, ObjectStyleKind kind, ObjectStyleID& made);
ErrorCode ApplyStyle(IDataBase* db, const std::vector<UID>& items, ObjectStyleID style);

}  // namespace ItemLookCmdUtils
