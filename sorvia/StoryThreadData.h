// The thread reference and orphan flag that a story's frame list carries, and the command parameter naming
// a previous page.
#pragma once

#include "host/core/Registry.h"

namespace sorvia {

// Registers the implementations and adds the two persistent ones to the frame list class.
ErrorCode RegisterStoryThreadData(Registry& registry);

}  // namespace sorvia
