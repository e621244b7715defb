// The new-tint-swatch command.
#include "host/res/NewTintSwatchCmd.h"

#include <cmath>

#include "host/cmd/ErrorUtils.h"
#include "host/db/ValueData.h"
#include "host/res/DocWorkspace.h"
#include "host/res/ISwatch.h"
#include "host/res/ISwatchList.h"

void NewTintSwatchCmd::Do() {
  IDataBase* db = GetTargetDataBase();
  InterfacePtr<IRealData> tintData(this, UseDefaultIID());
  InterfacePtr<ISwatchList> list = QueryDocWorkspace<ISwatchList>(db);
  UID base = GetItemList().size() == 1 ? GetItemList()[0] : kInvalidUID;
  InterfacePtr<ISwatch> baseSwatch = Instantiate<ISwatch>(db, base);
  double tint = tintData ? tintData->Get() : NAN;
  if (!list || !baseSwatch || baseSwatch->GetKind() == SwatchKind::kNone || !std::isfinite(tint) ||
      tint < 0 || tint > 100) {
    ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
    return;
  }
  if (baseSwatch->GetKind() == SwatchKind::kTint) base = baseSwatch->GetTintBase();
  UID uid = list->FindTint(base, tint);
  if (!uid.IsValid()) {
    uid = db->NewObject(kSwatchBoss);
    InterfacePtr<ISwatch> swatch = Instantiate<ISwatch>(db, uid);
    if (!swatch) {
      ErrorUtils::PMSetGlobalErrorCode(kFailure);
      return;
    }
    swatch->SetTint(base, tint);
    list->AddSwatch(uid);
  }
  SetItemList(UIDList(db, {uid}));
}
