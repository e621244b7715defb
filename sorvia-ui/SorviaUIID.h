// Sorvia UI's identifiers: its block of 256 IDs from 0x157A00 and its plug-in ID.
#pragma once

#include "host/core/IDs.h"

namespace sorviaui {

inline constexpr uint32_t kSorviaUIPrefix = 0x157A00;
inline constexpr PluginID kSorviaUIPluginID = kSorviaUIPrefix + 1;
inline constexpr const char* kSorviaUIPluginName = "Sorvia UI";

}  // namespace sorviaui
