// DownloadPath: where in the downloads folder the picture of a URL is kept. With a depth of 1 or more the
// URL's host and up to depth - 1 leading path segments become folders; the last segment becomes the file
// name. Every part goes through SafeFileName, so that no URL can name a place outside the folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kesto {

inline constexpr int32_t kDownloadPathDone = 0;
inline constexpr int32_t kNoDownloadsFolder = 2;
inline constexpr int32_t kNotRemoteURI = 21;
inline constexpr int32_t kInvalidDownloadPath = 22;
// A depth that makes every leading path segment a folder.
inline constexpr int32_t kEverySegment = 32767;

struct DownloadPath {
  std::filesystem::path folder;      // the downloads folder
  std::vector<std::string> folders;  // folders inside it, outermost first (UTF-8, each one safe name)
  std::string file;                  // the file name (UTF-8, safe)
  std::filesystem::path Full() const;
};

// The parts of an http or https URL.
struct URLParts {
  std::string scheme, host, path, query;  // path and query as in the URL (percent-encoded)
};
// False for text that is no http or https URL with a host.
bool SplitRemoteURL(std::string_view url, URLParts& parts);

// Answers kDownloadPathDone, kNoDownloadsFolder (no folder given), kNotRemoteURI (not http or https) or
// kInvalidDownloadPath (a folder that is not an absolute path). With `nameOnly` the query takes no part in
// the name (the URL a redirect ended at names the same picture whatever its query).
int32_t DownloadPathFor(DownloadPath& out, std::string_view url, bool nameOnly,
                        const std::filesystem::path& folder, int32_t depth);

}  // namespace kesto
