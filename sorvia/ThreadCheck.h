// ThreadCheck: whether the thread data of a document read from a file is sound, so that a document which
// opens can be worked on: the default thread and every listed thread are thread objects, listed once, and
// the default is not listed. (A story may name a deleted thread: it then belongs to none.)
#pragma once

#include <string>

#include "host/db/IDataBase.h"

namespace sorvia::ThreadCheck {

// The first fault, for the user; empty when sound (also for a document without thread data).
std::string FindFault(IDataBase& db);
// Makes opening documents ask FindFault (once per process).
void AddToOpenChecks();

}  // namespace sorvia::ThreadCheck
