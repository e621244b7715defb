// The new-colour-swatch command.
#include "host/res/NewColorSwatchCmd.h"

#include "host/cmd/ErrorUtils.h"
#include "host/res/DocWorkspace.h"
#include "host/res/ISwatch.h"
#include "host/res/ISwatchList.h"

void NewColorSwatchCmd::Do() {
  IDataBase* db = GetTargetDataBase();
  InterfacePtr<IColorSwatchCmdData> data(this, UseDefaultIID());
  InterfacePtr<ISwatchList> list = QueryDocWorkspace<ISwatchList>(db);
  if (!data || !list || data->GetName().size() > kMaxSwatchNameLength || !IsValidColor(data->GetColor())) {
    ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
    return;
  }
  UID uid = db->NewObject(kSwatchBoss);
  InterfacePtr<ISwatch> swatch = Instantiate<ISwatch>(db, uid);
  if (!swatch) {
    ErrorUtils::PMSetGlobalErrorCode(kFailure);
    return;
  }
  swatch->SetColor(SwatchKind::kColor, list->MakeUniqueName(data->GetName()), data->GetColor());
  list->AddSwatch(uid);
  SetItemList(UIDList(db, {uid}));
}
