// The new-stroke-style command.
#include "host/res/NewStrokeStyleCmd.h"

#include "host/cmd/ErrorUtils.h"
#include "host/res/DocWorkspace.h"
#include "host/res/IStrokeStyleList.h"

void NewStrokeStyleCmd::Do() {
  IDataBase* db = GetTargetDataBase();
  InterfacePtr<IStrokeStyleCmdData> data(this, UseDefaultIID());
  InterfacePtr<IStrokeStyleList> list = QueryDocWorkspace<IStrokeStyleList>(db);
  bool valid = data && list && !data->GetName().empty() &&
               data->GetName().size() <= kMaxStrokeStyleNameLength &&
               IsValidStrokePattern(data->GetKind(), data->GetPattern()) &&
               !list->FindStrokeStyle(data->GetName()).IsValid();
  if (!valid) {
    ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
    return;
  }
  UID uid = db->NewObject(kStrokeStyleBoss);
  InterfacePtr<IStrokeStyle> style = Instantiate<IStrokeStyle>(db, uid);
  if (!style) {
    ErrorUtils::PMSetGlobalErrorCode(kFailure);
    return;
  }
  style->Set(data->GetName(), data->GetKind(), data->GetPattern(), false);
  list->AddStrokeStyle(uid);
  SetItemList(UIDList(db, {uid}));
}
