// PictureCopy: what a copy of a graphic frame or an image item takes over from its original besides its
// geometry (the picture's values and link, the frame's placement options). For the layout's copier; it
// changes objects directly, so it runs inside a command.
#pragma once

#include "host/db/IDataBase.h"

namespace PictureCopy {

// Copies the picture data of `original` to `copy` (both of the same class); nothing for other items.
void CopyPictureData(IDataBase* db, UID original, UID copy);

}  // namespace PictureCopy
