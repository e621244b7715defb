// TargetDocument: the document a command works on: a saved one opened from its file, or a new one.
#pragma once

#include <string>

#include "host/db/IDataBase.h"

namespace pagehost {

// Opens `file`, or makes a new document when `file` is empty. On failure says why (as `command`) and
// answers nullptr.
IDataBase* OpenTargetDocument(const std::string& file, const std::string& command);

}  // namespace pagehost
