// Any URL maps to a place inside the downloads folder: every part a plain name of at most 255 bytes, never
// "." or "..", never holding a separator or a NUL.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "kesto/layout/DownloadPath.h"

namespace {

void Check(const std::string& part) {
  if (part.empty() || part == "." || part == ".." || part.size() > 255 ||
      part.find_first_of(std::string("/\0", 2)) != std::string::npos)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  // The first byte picks the depth and whether the query counts; the rest follows the host.
  int32_t depth = size > 0 ? data[0] % 8 : 0;
  bool nameOnly = size > 0 && (data[0] & 0x80);
  for (const std::string& url : {"http://h/" + text.substr(size > 0 ? 1 : 0), text}) {
    kesto::DownloadPath place;
    if (kesto::DownloadPathFor(place, url, nameOnly, "/downloads", depth) != kesto::kDownloadPathDone)
      continue;
    for (const std::string& folder : place.folders)
      Check(folder);
    Check(place.file);
  }
  return 0;
}
