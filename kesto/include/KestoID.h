// Kesto's identifiers: its block of 256 IDs from 0xA8D00, its plug-in ID and version string.
#pragma once

#include "host/core/IDs.h"

namespace kesto {

inline constexpr uint32_t kKestoPrefix = 0xA8D00;
inline constexpr PluginID kKestoPluginID = kKestoPrefix + 2;
inline constexpr const char* kKestoPluginName = "Kesto";
// The Kesto UI plug-in refuses to load unless this string equals its own.
inline constexpr const char* kKestoVersion = "1.0.0.1";

// Interfaces other plug-ins reach.
inline constexpr PMIID IID_IKESTOPREFS = kKestoPrefix + 0x00;
inline constexpr PMIID IID_IKESTOSUITE = kKestoPrefix + 0x01;
inline constexpr PMIID IID_IKESTOFACADE = kKestoPrefix + 0x04;
inline constexpr PMIID IID_IKESTOFACADE3 = kKestoPrefix + 0x07;

}  // namespace kesto
