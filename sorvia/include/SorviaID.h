// Sorvia's identifiers: its block of 256 IDs from 0xA6700, its plug-in ID and version string.
#pragma once

#include "host/core/IDs.h"

namespace sorvia {

inline constexpr uint32_t kSorviaPrefix = 0xA6700;
inline constexpr PluginID kSorviaPluginID = kSorviaPrefix + 2;
inline constexpr const char* kSorviaPluginName = "Sorvia";
// The Sorvia UI plug-in refuses to load unless this string equals its own.
inline constexpr const char* kSorviaVersion = "1.0.0.1";

inline constexpr PMIID IID_ISORVIASUITE = kSorviaPrefix + 0x15;
inline constexpr PMIID IID_ITEXTTHREADMANAGER = kSorviaPrefix + 0x18;

}  // namespace sorvia
