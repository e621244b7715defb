// SorviaStrings: the English texts of Sorvia's translation keys (undo names, task names, the default
// thread's name), given to the host's translator.
#pragma once

namespace sorvia {

void RegisterSorviaStrings();

}  // namespace sorvia
