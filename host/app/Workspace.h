// Workspace: the application workspace of the session (defaults and preferences, the plug-ins' included)
// and the user's file that keeps it between runs.
#pragma once

#include <filesystem>

#include "host/db/FileResult.h"

namespace Workspace {

// pagehost/workspace.pgw in $XDG_CONFIG_HOME, else in ~/.config; empty when neither can be found.
std::filesystem::path DefaultFile();

// A new workspace with the defaults of every class registered now; plug-ins loaded since the session
// began then have their parts of it. Forgets the file the workspace came from.
void Renew();

// Reads the workspace from `file` and remembers the file for Save. A missing file gives the defaults. A
// file that is damaged or no workspace is set aside (renamed with ".damaged" added) and replaced by the
// defaults; a file (or folder) that cannot be read gives the defaults and is left alone, and Save then
// refuses to write over it. Either way the result fails with a message saying so, for the caller to show
// once as a warning; a failure to replace a damaged file is part of that message and is not tried again.
FileResult Open(const std::filesystem::path& file);

// Saves the workspace to the file it was opened from, when it changed since; nothing to do is success.
FileResult Save();

}  // namespace Workspace
