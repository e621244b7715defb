// Finding the downloads folder.
#include "kesto/layout/DownloadsFolder.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "host/core/WideString.h"
#include "kesto/layout/SafeFileName.h"

namespace kesto {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The value of XDG_DOWNLOAD_DIR="$HOME/…" in a user-dirs file, with $HOME put in; empty when not there.
std::filesystem::path FromUserDirs(const std::filesystem::path& file, const std::string& home) {
  std::ifstream in(file);
  static const std::string kKey = "XDG_DOWNLOAD_DIR=\"";
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(kKey, 0) != 0 || line.back() != '"') continue;
    std::string value = line.substr(kKey.size(), line.size() - kKey.size() - 1);
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    while (value.size() > 1 && value.back() == '/') value.pop_back();
    // The file names the home folder itself when the user has no downloads folder: then there is none.
    if (value.empty() || value[0] != '/' || std::filesystem::path(value) == std::filesystem::path(home))
      return {};
    return value;
  }
  return {};
}

}  // namespace

std::filesystem::path UserDownloadsFolder() {
  std::string home = Environment("HOME");
  if (home.empty()) return {};
  std::string config = Environment("XDG_CONFIG_HOME");
  std::filesystem::path dirs =
      (config.empty() ? std::filesystem::path(home) / ".config" : std::filesystem::path(config)) /
      "user-dirs.dirs";
  std::filesystem::path folder = FromUserDirs(dirs, home);
  return folder.empty() ? std::filesystem::path(home) / "Downloads" : folder;
}

std::filesystem::path DownloadsFolderFor(const std::filesystem::path& chosen,
                                         const std::filesystem::path& document, std::u16string_view name) {
  if (!chosen.empty()) return std::filesystem::absolute(chosen);
  if (!document.empty()) {
    std::u16string folder = SafeFileName(name.empty() ? u"Downloads" : name).name;
    return std::filesystem::absolute(document).parent_path() / Utf8FromWide(folder);
  }
  return UserDownloadsFolder();
}

}  // namespace kesto
