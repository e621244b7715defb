// PictureReference: turning the name a tag gives for a picture or a translation table into a URI: colon
// paths become native paths, relative names are looked up next to the document and then next to the
// source, and file URIs are checked on disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "host/core/WideString.h"

namespace kesto {

inline constexpr int32_t kReferenceUsable = 0;
inline constexpr int32_t kReferenceBadName = -37;
inline constexpr int32_t kReferenceNoFile = -43;
inline constexpr int32_t kReferenceIsFolder = -1302;

// `text` with every "%XX" as the byte it stands for (what a URI's path means on disk).
std::string PercentDecoded(std::string_view text);

// A relative colon path ("Disk:Pictures:a.tif", "::a.tif") as a native path ("/Disk/Pictures/a.tif",
// "../a.tif"); any other name unchanged.
std::u16string NativeFromColonPath(std::u16string_view name);

// Sets `uri` ("file:///…" for files, the name itself for other schemes) and answers kReferenceUsable, or
// kReferenceBadName for an empty name or one no URI can be made of, kReferenceNoFile when no file exists
// there, kReferenceIsFolder when the name is a folder. A relative name is tried in `documentFolder`, then
// in `sourceFolder` (either may be empty: not tried); `uri` then names the first place tried when neither
// holds the file.
int32_t ResolvePictureReference(std::u16string_view name, const std::filesystem::path& documentFolder,
                                const std::filesystem::path& sourceFolder, WideString& uri);

}  // namespace kesto
