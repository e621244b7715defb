// Copying picture data with items.
#include "host/layout/PictureCopy.h"

#include "host/layout/IImageContent.h"
#include "host/layout/IPlacementOptions.h"

namespace PictureCopy {

void CopyPictureData(IDataBase* db, UID original, UID copy) {
  if (auto from = Instantiate<IPlacementOptions>(db, original)) {
    if (auto to = Instantiate<IPlacementOptions>(db, copy)) to->SetOptions(from->GetOptions());
  }
  auto from = Instantiate<IImageContent>(db, original);
  auto to = Instantiate<IImageContent>(db, copy);
  if (!from || !to) return;
  to->SetInfo(from->GetInfo());
  to->SetLink(from->GetLink());
  to->SetProxy(from->IsProxy());
}

}  // namespace PictureCopy
