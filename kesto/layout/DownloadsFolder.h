// DownloadsFolder: which folder an import's downloaded pictures go to: the one the user names for the
// import; else, for a document saved before, the folder of the preferences' name next to it; else the
// user's downloads folder (the XDG user directory, or ~/Downloads).
#pragma once

#include <filesystem>
#include <string_view>

namespace kesto {

// `chosen` when not empty; else `name` (made a safe file name) in the folder of `document` when that is
// not empty; else UserDownloadsFolder().
std::filesystem::path DownloadsFolderFor(const std::filesystem::path& chosen,
                                         const std::filesystem::path& document, std::u16string_view name);

// XDG_DOWNLOAD_DIR of $XDG_CONFIG_HOME/user-dirs.dirs (~/.config when unset), else $HOME/Downloads; empty
// without a home folder.
std::filesystem::path UserDownloadsFolder();

}  // namespace kesto
