// The layout area's start-up: registration of its classes, implementations and commands.
#pragma once

#include "host/core/IDs.h"

// Registers every class of the layout area; called once from the host's start-up, after the text area.
// kIDClashError at the first ID already taken (the rest of the area is then not registered).
[[nodiscard]] ErrorCode RegisterLayoutClasses();
