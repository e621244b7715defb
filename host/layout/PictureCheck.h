// PictureCheck: whether the pictures and links of a document read from a file are consistent: the link
// list names distinct link resources, every image item lies directly in a graphic frame (one per frame)
// with nothing inside it, and links only to link resources of the list.
#pragma once

#include <string>

#include "host/db/IDataBase.h"

namespace PictureCheck {

// Empty when consistent; otherwise the first fault found, for a message.
std::string FindFault(const IDataBase& db);

}  // namespace PictureCheck
