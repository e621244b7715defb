// TargetDocument: the document a command works on: a saved one opened from its file, or a new one, and its
// saving once the command is done.
#pragma once

#include <string>

#include "host/db/IDataBase.h"

namespace pagehost {

// Opens `file`, or makes a new document when `file` is empty. On failure says why (as `command`) and
// answers nullptr.
IDataBase* OpenTargetDocument(const std::string& file, const std::string& command);

// Runs the host's idle step (scheduled commands, then composing what awaits it) and saves `db` as `file`;
// false, having said why (as `command`), when the document could not be saved. A scheduled command that
// fails is reported and the document is saved all the same.
bool SaveTargetDocument(IDataBase* db, const std::string& file, const std::string& command);

}  // namespace pagehost
