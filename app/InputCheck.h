// InputCheck: whether pagehost can read a file it was given, checked before the host or a plug-in reads it,
// so that the message names the file and the system's own reason.
#pragma once

#include <string>

namespace pagehost {

// Empty when `path` can be opened for reading and is not a folder; otherwise "cannot read PATH: REASON"
// ("cannot read in.txt: permission denied"). Pipes and devices are left to the reader: opening one here
// could block, or take the other end's data.
std::string WhyUnreadable(const std::string& path);

}  // namespace pagehost
