// Fetching pictures over HTTP and HTTPS.
#include "kesto/layout/URLFetcher.h"

#include <algorithm>
#include <mutex>
#include <set>

namespace kesto {

bool InitialiseCurl() {
  static std::once_flag once;
  static bool ready = false;
  std::call_once(once, [] { ready = curl_global_init(CURL_GLOBAL_ALL) == CURLE_OK; });
  return ready;
}

URLFetcher::URLFetcher() {
  if (InitialiseCurl()) multi_ = curl_multi_init();
}

URLFetcher::~URLFetcher() {
  if (multi_) curl_multi_cleanup(multi_);
}

CURL* URLFetcher::FreeHandle() {
  if (!free_.empty()) {
    CURL* easy = free_.back();
    free_.pop_back();
    return easy;
  }
  if (handles_.size() >= kMaxTransfers) return nullptr;
  Easy easy(curl_easy_init());
  if (!easy) return nullptr;
  return handles_.emplace_back(std::move(easy)).get();
}

DownloadFolder* URLFetcher::FolderFor(const FetchOptions& options, std::string& problem) {
  if (options.downloadsFolder.empty()) return nullptr;
  auto& folder = folders_[options.downloadsFolder];
  if (!folder) folder = DownloadFolder::Open(options.downloadsFolder, problem);
  return folder.get();
}

void URLFetcher::Remember(const URLTransfer& transfer) {
  const DownloadCacheEntry* entry = transfer.Entry();
  if (!entry || cache_.Find(transfer.URL())) return;
  DownloadCacheEntry copy = *entry;
  copy.requestedURL = transfer.URL();
  cache_.Add(std::move(copy));
}

bool URLFetcher::Run(std::vector<std::unique_ptr<URLTransfer>>& transfers, const FetchOptions& options) {
  size_t next = 0, ended = 0;
  bool cancelled = false;
  std::map<CURL*, URLTransfer*> running;
  auto start = [&](CURL* easy, URLTransfer* transfer) {
    if (transfer->Prepare(easy)) {
      running[easy] = transfer;
      curl_multi_add_handle(multi_, easy);
      return true;
    }
    Remember(*transfer);
    return false;
  };
  while (true) {
    while (!cancelled && next < transfers.size()) {
      CURL* easy = FreeHandle();
      if (!easy) break;
      if (!start(easy, transfers[next++].get())) free_.push_back(easy);
    }
    if (running.empty()) break;
    int active = 0;
    curl_multi_perform(multi_, &active);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
      if (message->msg != CURLMSG_DONE) continue;
      CURL* easy = message->easy_handle;
      CURLcode code = message->data.result;
      URLTransfer* transfer = running[easy];
      running.erase(easy);
      curl_multi_remove_handle(multi_, easy);
      bool again = transfer->Finished(easy, code);
      cancelled |= transfer->WasCancelled();
      if (!(again && !cancelled && start(easy, transfer))) {
        if (!again) Remember(*transfer);
        free_.push_back(easy);
        ++ended;
        if (options.pictureDone && !options.pictureDone(ended)) cancelled = true;
      }
    }
    if (cancelled) {
      // The user stops the whole fetch: every transfer under way ends without a trace.
      for (auto& [easy, transfer] : running) {
        curl_multi_remove_handle(multi_, easy);
        transfer->Finished(easy, CURLE_ABORTED_BY_CALLBACK);
        free_.push_back(easy);
      }
      running.clear();
      break;
    }
    if (active > 0) curl_multi_poll(multi_, nullptr, 0, 100, nullptr);
  }
  return !cancelled;
}

bool URLFetcher::Prefetch(const std::vector<std::string>& urls, const FetchOptions& options) {
  std::string problem;
  if (!multi_) return true;
  if (!temporary_) temporary_ = DownloadFolder::Temporary(problem);
  if (!temporary_) return true;  // every FetchURL then reports the problem
  DownloadFolder* folder = FolderFor(options, problem);
  std::set<std::string> queued;
  std::vector<std::unique_ptr<URLTransfer>> transfers;
  for (const std::string& url : urls) {
    if (cache_.Find(url) || !queued.insert(url).second) continue;
    transfers.push_back(std::make_unique<URLTransfer>(url, options, cache_, folder, *temporary_));
  }
  return Run(transfers, options);
}

int32_t URLFetcher::FetchURL(const DownloadCacheEntry*& entry, std::string_view url, std::string& message,
                             const FetchOptions& options) {
  entry = cache_.Find(url);
  std::string problem;
  if (!entry) {
    if (!multi_) return kFetchSetUpFailed;
    if (!temporary_) temporary_ = DownloadFolder::Temporary(problem);
    if (!temporary_) {
      message = problem;
      return kFetchFileError;
    }
    DownloadFolder* folder = FolderFor(options, problem);
    if (!options.downloadsFolder.empty() && !folder && !options.noCopy) {
      message = problem;
      return kFetchFileError;
    }
    std::vector<std::unique_ptr<URLTransfer>> one;
    one.push_back(std::make_unique<URLTransfer>(std::string(url), options, cache_, folder, *temporary_));
    if (!Run(one, options)) return kFetchCancelled;
    entry = one.front()->Entry();
    if (!entry) return kFetchCancelled;
  }
  if (entry->result != kFetchDone) message = entry->message;
  return entry->result;
}

}  // namespace kesto
