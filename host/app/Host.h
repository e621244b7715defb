// Host: start-up and shut-down of the host in a process (pagehost, a test program).
#pragma once

#include <filesystem>

#include "host/core/PlugInLoader.h"

namespace Host {

// Registers the host's own classes and creates the session. Safe to call more than once: every call answers
// what registering answered, kIDClashError when two of the host's registrations name one ID.
ErrorCode Initialize();
// Loads the plug-in modules of `folder` (after Initialize).
PlugInLoadReport LoadPlugIns(const std::filesystem::path& folder);
// Closes every document and ends the session.
void Shutdown();

}  // namespace Host
