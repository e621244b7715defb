// Finding what was fetched before.
#include "kesto/layout/DownloadCache.h"

namespace kesto {
namespace {

constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr int64_t kTicksPerSecond = 10000000;

// "http://h/a?x=1" and "http://h/a?x=2" agree up to the "?"; URLs without one agree only when equal.
bool SameUpToQuery(std::string_view a, std::string_view b) {
  size_t mark = a.find('?');
  if (mark == std::string_view::npos) return a == b;
  return b.size() > mark && a.substr(0, mark + 1) == b.substr(0, mark + 1);
}

}  // namespace

const DownloadCacheEntry* DownloadCache::Find(std::string_view url, bool loose) const {
  for (const DownloadCacheEntry& entry : entries_) {
    if (entry.requestedURL == url) return &entry;
    if (!entry.temporaryRedirect && entry.finalURL == url) return &entry;
    if (loose && (SameUpToQuery(entry.requestedURL, url) || SameUpToQuery(entry.finalURL, url)))
      return &entry;
  }
  return nullptr;
}

const DownloadCacheEntry* DownloadCache::FindFile(const std::filesystem::path& file) const {
  for (const DownloadCacheEntry& entry : entries_) {
    if (!entry.localFile.empty() && entry.localFile == file) return &entry;
  }
  return nullptr;
}

const DownloadCacheEntry& DownloadCache::Add(DownloadCacheEntry entry) {
  return entries_.emplace_back(std::move(entry));
}

int64_t TicksFromUnixTime(int64_t seconds) {
  return (seconds + kSecondsFrom1601To1970) * kTicksPerSecond;
}

int64_t UnixTimeFromTicks(int64_t ticks) {
  return ticks / kTicksPerSecond - kSecondsFrom1601To1970;
}

}  // namespace kesto
