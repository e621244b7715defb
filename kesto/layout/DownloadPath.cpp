// Mapping URLs to files in the downloads folder.
#include "kesto/layout/DownloadPath.h"

#include <curl/curl.h>

#include <memory>

#include "host/core/WideString.h"
#include "kesto/layout/PictureReference.h"
#include "kesto/layout/SafeFileName.h"

namespace kesto {
namespace {

struct URLHandleFree {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct CurlTextFree {
  void operator()(char* text) const { curl_free(text); }
};

// One part of a parsed URL; empty when it has none.
std::string Part(CURLU* url, CURLUPart which) {
  char* text = nullptr;
  if (curl_url_get(url, which, &text, 0) != CURLUE_OK) return {};
  std::unique_ptr<char, CurlTextFree> owned(text);
  return text;
}

// The path's segments, each percent-decoded only after the split, so that an encoded "/" stays inside its
// segment (where SafeFileName makes it harmless). Empty segments are left out.
std::vector<std::u16string> Segments(std::string_view path) {
  std::vector<std::u16string> segments;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string_view::npos) slash = path.size();
    if (slash > start) segments.push_back(WideFromUtf8(PercentDecoded(path.substr(start, slash - start))));
    start = slash + 1;
  }
  return segments;
}

std::string SafeUtf8(std::u16string_view name) {
  return Utf8FromWide(SafeFileName(name).name);
}

}  // namespace

std::filesystem::path DownloadPath::Full() const {
  std::filesystem::path full = folder;
  for (const std::string& name : folders)
    full /= name;
  return full / file;
}

bool SplitRemoteURL(std::string_view url, URLParts& parts) {
  std::unique_ptr<CURLU, URLHandleFree> handle(curl_url());
  if (!handle || url.find('\0') != std::string_view::npos) return false;
  if (curl_url_set(handle.get(), CURLUPART_URL, std::string(url).c_str(), 0) != CURLUE_OK) return false;
  parts.scheme = Part(handle.get(), CURLUPART_SCHEME);
  parts.host = Part(handle.get(), CURLUPART_HOST);
  parts.path = Part(handle.get(), CURLUPART_PATH);
  parts.query = Part(handle.get(), CURLUPART_QUERY);
  return (parts.scheme == "http" || parts.scheme == "https") && !parts.host.empty();
}

int32_t DownloadPathFor(DownloadPath& out, std::string_view url, bool nameOnly,
                        const std::filesystem::path& folder, int32_t depth) {
  if (folder.empty()) return kNoDownloadsFolder;
  URLParts parts;
  if (!SplitRemoteURL(url, parts)) return kNotRemoteURI;
  if (!folder.is_absolute()) return kInvalidDownloadPath;
  out = DownloadPath{folder, {}, {}};
  std::vector<std::u16string> segments = Segments(parts.path);
  std::u16string last = segments.empty() ? std::u16string() : segments.back();
  if (!segments.empty()) segments.pop_back();
  if (depth >= 1) {
    out.folders.push_back(SafeUtf8(WideFromUtf8(parts.host)));
    for (size_t i = 0; i + 1 < static_cast<size_t>(depth) && i < segments.size(); ++i)
      out.folders.push_back(SafeUtf8(segments[i]));
  }
  SafeName name = SafeFileName(last);
  std::u16string query = nameOnly ? std::u16string() : WideFromUtf8(parts.query);
  if (!query.empty() || name.changed) name.name = WithHash(name.name, DownloadNameHash(last, query));
  out.file = Utf8FromWide(name.name);
  return kDownloadPathDone;
}

}  // namespace kesto
