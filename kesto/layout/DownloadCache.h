// DownloadCache: what the fetcher fetched while the plug-in is loaded, one entry per requested URL, oldest
// first, so that a URL is transferred once however often the text names it.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>

namespace kesto {

struct DownloadCacheEntry {
  std::string requestedURL;         // UTF-8
  std::string finalURL;             // after redirects
  std::filesystem::path localFile;  // the downloaded or reused file; empty when the fetch failed
  int64_t serverTime = -1;          // 100-ns ticks since 1601-01-01 UTC; -1 when none was given
  bool temporaryRedirect = false;   // a 302 was followed: the final URL may name something else later
  bool inUse = false;
  bool temporaryFile = false;  // localFile is a temporary download, not kept in a folder
  int32_t httpStatus = 200;
  int32_t result = 0;   // the fetch's answer, repeated to whoever asks again
  std::string message;  // UTF-8
};

class DownloadCache {
 public:
  // The first entry for `url`: requested as `url`, or ending at `url` unless a temporary redirect led there.
  // While following redirects (`loose`), also an entry whose URL agrees with `url` up to and including the
  // first "?".
  const DownloadCacheEntry* Find(std::string_view url, bool loose = false) const;
  // The first entry whose file is `file`.
  const DownloadCacheEntry* FindFile(const std::filesystem::path& file) const;
  const DownloadCacheEntry& Add(DownloadCacheEntry entry);
  size_t Size() const { return entries_.size(); }

 private:
  std::deque<DownloadCacheEntry> entries_;  // a deque keeps the entries handed out where they are
};

// Seconds since 1970 as ticks since 1601, and back.
int64_t TicksFromUnixTime(int64_t seconds);
int64_t UnixTimeFromTicks(int64_t ticks);

}  // namespace kesto
