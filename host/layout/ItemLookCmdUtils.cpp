// One-call commands for how items look.
#include "host/layout/ItemLookCmdUtils.h"

#include "host/cmd/CmdUtils.h"

namespace ItemLookCmdUtils {
namespace {

ErrorCode Process(ClassID cls, IDataBase* db, const std::vector<UID>& items, ItemLookParams& params) {
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(cls);
  InterfacePtr<IItemLookCmdData> data(cmd, UseDefaultIID());
  if (!cmd || !data || !db) return kInvalidParameterError;
  cmd->SetItemList(UIDList(db, items));
  cmd->SetTargetDataBase(db);
  data->Params() = params;
  ErrorCode err = CmdUtils::ProcessCommand(cmd.get());
  params = data->Params();
  return err;
}

}  // namespace

ErrorCode ApplyAttributes(IDataBase* db, const std::vector<UID>& items,
                          const GraphicAttributeList& attributes, const std::vector<GraphicAttr>& clear) {
  ItemLookParams p{.attributes = attributes, .clear = clear};
  return Process(kApplyGraphicAttributesCmdBoss, db, items, p);
}

ErrorCode SetWrap(IDataBase* db, const std::vector<UID>& items, const TextWrapSettings& wrap) {
  ItemLookParams p{.wrap = wrap};
  return Process(kSetTextWrapCmdBoss, db, items, p);
}

ErrorCode NewStyle(IDataBase* db, const ObjectStyle& style, ObjectStyleKind kind, ObjectStyleID& made) {
  ItemLookParams p{.newStyle = style, .kind = kind};
  ErrorCode err = Process(kNewObjectStyleCmdBoss, db, {}, p);
  made = err == kSuccess ? p.style : kInvalidObjectStyle;
  return err;
}

ErrorCode ApplyStyle(IDataBase* db, const std::vector<UID>& items, ObjectStyleID style) {
  ItemLookParams p{.style = style};
  return Process(kApplyObjectStyleCmdBoss, db, items, p);
}

}  // namespace ItemLookCmdUtils
