// URLTransfer: fetching one URL, request after request: redirects are followed here (only to http and https,
// at most five), a file already downloaded makes the request conditional, and the answer becomes an entry of
// the download cache. The fetcher drives the requests; a transfer only sets up and reads its handle.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "kesto/layout/DownloadCache.h"
#include "kesto/layout/DownloadFolder.h"
#include "kesto/layout/DownloadPath.h"

namespace kesto {

// Answers of a fetch.
inline constexpr int32_t kFetchDone = 0;
inline constexpr int32_t kFetchCancelled = 2;
inline constexpr int32_t kFetchSetUpFailed = 35850;
inline constexpr int32_t kFetchFileError = 35852;
inline constexpr int32_t kFetchTransportError = 35870;
inline constexpr int32_t kFetchStatusError = 35871;

struct FetchOptions {
  std::filesystem::path downloadsFolder;  // empty: downloads stay temporary files
  int32_t depth = 0;                      // folders made of the URL, as DownloadPathFor takes it
  bool noCopy = false;                    // leave downloads as temporary files even with a folder
  uint64_t sizeLimit = uint64_t{256} << 20;
  long connectTimeout = 30;  // seconds
  long stallTimeout = 30;    // seconds without a byte end a transfer
  std::string caFile;        // certificates trusted besides the system's (a test server's)
  std::string userAgent = "pagehost";
  // Whether a download whose first bytes are `head` is a picture the host can place; empty: any file is.
  std::function<bool(const std::string& head)> isPicture;
  // Bytes received and expected (0: unknown) of the current transfer; false cancels it.
  std::function<bool(uint64_t now, uint64_t total)> progress;
  // `done` transfers of several have ended; false cancels the others.
  std::function<bool(size_t done)> pictureDone;
};

class URLTransfer {
 public:
  // `keepIn` is the downloads folder (null: none), `temporary` where downloads that are not kept go.
  URLTransfer(std::string url, const FetchOptions& options, DownloadCache& cache, DownloadFolder* keepIn,
              DownloadFolder& temporary);

  // Sets `easy` up for the next request; false when no request is needed (the answer is in the cache).
  bool Prepare(CURL* easy);
  // The request made with `easy` ended with `code`; true when another request follows (a redirect).
  bool Finished(CURL* easy, CURLcode code);

  const std::string& URL() const { return url_; }
  // The answer, once no request follows: a cache entry, or nothing for a cancelled transfer.
  const DownloadCacheEntry* Entry() const { return entry_; }
  bool WasCancelled() const { return cancelled_; }

 private:
  static size_t OnHeader(char* data, size_t size, size_t count, void* self);
  static size_t OnData(char* data, size_t size, size_t count, void* self);
  static int OnProgress(void* self, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t);

  // The download's place in the folder for `url`; false when it has none there.
  bool PlaceFor(const std::string& url, bool nameOnly, DownloadPath& place) const;
  // Looks for an answer to `url` before asking the server: a cache entry, or a file to ask about.
  bool AnsweredBefore(const std::string& url, bool loose);
  bool Fail(int32_t result, std::string message, int32_t status = 0);
  bool Succeed(CURL* easy, int32_t status);
  bool FollowRedirect(CURL* easy, int32_t status);

  std::string url_;      // as requested
  std::string current_;  // the URL of the request under way
  const FetchOptions& options_;
  DownloadCache& cache_;
  DownloadFolder* keepIn_;
  DownloadFolder& temporary_;
  const DownloadCacheEntry* entry_ = nullptr;
  TemporaryDownload download_;
  std::optional<int64_t> knownTime_;  // of the file already downloaded for current_
  std::filesystem::path knownFile_;
  int redirects_ = 0;
  bool temporaryRedirect_ = false;
  bool cancelled_ = false;
  bool tooLarge_ = false;
  bool writeFailed_ = false;
  std::chrono::steady_clock::time_point lastProgress_{};
  char error_[CURL_ERROR_SIZE] = {};
};

}  // namespace kesto
