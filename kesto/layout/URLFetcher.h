// URLFetcher: fetches pictures named by http and https URLs into the downloads folder, each URL once while
// the plug-in is loaded (the download cache). The fetches of one import can run together: at most eight
// transfers at a time, each on one of the kept handles, with the answers the same as one after another.
#pragma once

#include <curl/curl.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kesto/layout/DownloadCache.h"
#include "kesto/layout/DownloadFolder.h"
#include "kesto/layout/URLTransfer.h"

namespace kesto {

// libcurl's process-wide set-up, done once, whichever thread asks first; false when it failed.
bool InitialiseCurl();

class URLFetcher {
 public:
  static constexpr size_t kMaxTransfers = 8;

  URLFetcher();
  ~URLFetcher();
  URLFetcher(const URLFetcher&) = delete;
  URLFetcher& operator=(const URLFetcher&) = delete;

  // Fetches `url` (or finds it fetched before) and sets `entry` to its cache entry: kFetchDone with the
  // entry's local file, kFetchCancelled, or an error code with `message` saying what went wrong.
  int32_t FetchURL(const DownloadCacheEntry*& entry, std::string_view url, std::string& message,
                   const FetchOptions& options);
  // Fetches every URL not fetched before, several at a time, into the cache, so that FetchURL then answers
  // from it; false when the user cancelled.
  bool Prefetch(const std::vector<std::string>& urls, const FetchOptions& options);

  const DownloadCache& Cache() const { return cache_; }

 private:
  struct EasyFree {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
  };
  using Easy = std::unique_ptr<CURL, EasyFree>;

  // Runs the transfers to their end, at most kMaxTransfers at a time; false when one was cancelled (the
  // others are then stopped).
  bool Run(std::vector<std::unique_ptr<URLTransfer>>& transfers, const FetchOptions& options);
  // Makes the cache answer the URL a transfer was asked for even when the answer came from another entry.
  void Remember(const URLTransfer& transfer);
  DownloadFolder* FolderFor(const FetchOptions& options, std::string& problem);
  CURL* FreeHandle();

  CURLM* multi_ = nullptr;
  std::vector<Easy> handles_;  // kept for the next fetch, so that connections are reused
  std::vector<CURL*> free_;
  DownloadCache cache_;
  std::unique_ptr<DownloadFolder> temporary_;
  std::map<std::filesystem::path, std::unique_ptr<DownloadFolder>> folders_;
};

}  // namespace kesto
