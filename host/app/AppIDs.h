// Identifiers of the host's app area (block 0x20800 of host/core/HostIDs.h): import, export and preferences
// providers.
#pragma once

#include "host/core/HostIDs.h"

inline constexpr PMIID IID_IIMPORTPROVIDER = 0x20800;
// Classes answering this service import a file format into a story; each has IID_IIMPORTPROVIDER.
inline constexpr ServiceID kImportProviderService = 0x20800;

inline constexpr PMIID IID_IEXPORTPROVIDER = 0x20801;
// Classes answering this service write a story out in a file format; each has IID_IEXPORTPROVIDER.
inline constexpr ServiceID kExportProviderService = 0x20801;

inline constexpr PMIID IID_IPREFERENCESPROVIDER = 0x20802;
// Classes answering this service show a plug-in's preferences to front ends; each has
// IID_IPREFERENCESPROVIDER.
inline constexpr ServiceID kPreferencesProviderService = 0x20802;

inline constexpr PMIID IID_IERRORSTRINGSERVICE = 0x20803;
// Classes answering this service give the text of the error codes they own; each has
// IID_IERRORSTRINGSERVICE.
inline constexpr ServiceID kErrorStringService = 0x20803;
