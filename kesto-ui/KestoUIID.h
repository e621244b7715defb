// Kesto UI's identifiers: its block of 256 IDs from 0x157800 and its plug-in ID.
#pragma once

#include "host/core/IDs.h"

namespace kestoui {

inline constexpr uint32_t kKestoUIPrefix = 0x157800;
inline constexpr PluginID kKestoUIPluginID = kKestoUIPrefix + 1;
inline constexpr const char* kKestoUIPluginName = "Kesto UI";

}  // namespace kestoui
