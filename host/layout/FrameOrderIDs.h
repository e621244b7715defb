// FrameOrderIDs: the identifiers of the frame-order command.
#pragma once

#include "host/core/IDs.h"

inline constexpr ClassID kSetFrameOrderCmdBoss = 0x20A00;
inline constexpr ImplementationID kSetFrameOrderCmdImpl = 0x20A00;
