// One URL's requests, from the first to the cache entry.
#include "kesto/layout/URLTransfer.h"

#include <ctime>

namespace kesto {
namespace {

constexpr int kMaxRedirects = 5;
constexpr auto kProgressInterval = std::chrono::milliseconds(250);

std::string VersionText(long version) {
  switch (version) {
    case CURL_HTTP_VERSION_1_0:
      return "1.0";
    case CURL_HTTP_VERSION_1_1:
      return "1.1";
    case CURL_HTTP_VERSION_2_0:
      return "2.0";
    case CURL_HTTP_VERSION_3:
      return "3.0";
    default:
      return "?.?";
  }
}

const char* Reason(int32_t status) {
  switch (status) {
    case 200:
      return " OK";
    case 301:
      return " Moved Permanently";
    case 307:
      return " Temporary Redirect";
    case 308:
      return " Permanent Redirect";
    case 400:
      return " Bad Request";
    case 401:
      return " Unauthorized";
    case 403:
      return " Forbidden";
    case 404:
      return " Not Found";
    case 410:
      return " Gone";
    case 418:
      return " I'm a teapot";
    case 503:
      return " Service Unavailable";
    default:
      return "";
  }
}

bool IsRedirect(int32_t status) {
  return status == 301 || status == 302 || status == 307 || status == 308;
}

}  // namespace

URLTransfer::URLTransfer(std::string url, const FetchOptions& options, DownloadCache& cache,
                         DownloadFolder* keepIn, DownloadFolder& temporary)
    : url_(std::move(url)),
      current_(url_),
      options_(options),
      cache_(cache),
      keepIn_(keepIn),
      temporary_(temporary) {}

bool URLTransfer::PlaceFor(const std::string& url, bool nameOnly, DownloadPath& place) const {
  if (!keepIn_) return false;
  return DownloadPathFor(place, url, nameOnly, keepIn_->Path(), options_.depth) == kDownloadPathDone;
}

bool URLTransfer::AnsweredBefore(const std::string& url, bool loose) {
  if ((entry_ = cache_.Find(url, loose))) return true;
  knownTime_.reset();
  DownloadPath place;
  if (!PlaceFor(url, false, place)) return false;
  knownTime_ = keepIn_->FileTime(place.folders, place.file);
  if (!knownTime_) return false;
  knownFile_ = place.Full();
  return (entry_ = cache_.FindFile(knownFile_)) != nullptr;
}

bool URLTransfer::Prepare(CURL* easy) {
  if (current_ == url_ && redirects_ == 0 && AnsweredBefore(url_, false)) return false;
  curl_easy_reset(easy);
  curl_easy_setopt(easy, CURLOPT_URL, current_.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_FAILONERROR, 0L);
  curl_easy_setopt(easy, CURLOPT_FILETIME, 1L);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, options_.userAgent.c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, options_.connectTimeout);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, options_.stallTimeout);
  curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options_.sizeLimit));
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error_);
  if (!options_.caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, options_.caFile.c_str());
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &URLTransfer::OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &URLTransfer::OnData);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &URLTransfer::OnProgress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  if (knownTime_) {
    curl_easy_setopt(easy, CURLOPT_TIMECONDITION, static_cast<long>(CURL_TIMECOND_IFMODSINCE));
    curl_easy_setopt(easy, CURLOPT_TIMEVALUE_LARGE, static_cast<curl_off_t>(*knownTime_));
  }
  error_[0] = '\0';
  return true;
}

size_t URLTransfer::OnHeader(char* data, size_t size, size_t count, void* self) {
  auto* t = static_cast<URLTransfer*>(self);
  std::string_view line(data, size * count);
  // Only a successful answer's body is a download; redirects' and errors' bodies are dropped.
  if (line.starts_with("HTTP/")) {
    size_t space = line.find(' ');
    t->download_.Discard();
    if (space != std::string_view::npos && space + 1 < line.size() && line[space + 1] == '2') {
      t->download_ = (t->keepIn_ && !t->options_.noCopy ? *t->keepIn_ : t->temporary_).CreateTemporary();
      t->writeFailed_ = !t->download_.IsOpen();
      if (t->writeFailed_) return 0;
    }
  }
  return size * count;
}

size_t URLTransfer::OnData(char* data, size_t size, size_t count, void* self) {
  auto* t = static_cast<URLTransfer*>(self);
  size_t bytes = size * count;
  if (!t->download_.IsOpen()) return bytes;
  // A server that sends more than it announced, or announced nothing, is stopped at the limit.
  if (t->download_.Size() + bytes > t->options_.sizeLimit) {
    t->tooLarge_ = true;
    return 0;
  }
  if (!t->download_.Write(data, bytes)) {
    t->writeFailed_ = true;
    return 0;
  }
  return bytes;
}

int URLTransfer::OnProgress(void* self, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
  auto* t = static_cast<URLTransfer*>(self);
  if (!t->options_.progress) return 0;
  auto at = std::chrono::steady_clock::now();
  bool last = total > 0 && now >= total;
  if (!last && at - t->lastProgress_ < kProgressInterval) return 0;
  t->lastProgress_ = at;
  t->cancelled_ = !t->options_.progress(static_cast<uint64_t>(now), static_cast<uint64_t>(total));
  return t->cancelled_ ? 1 : 0;
}

bool URLTransfer::Fail(int32_t result, std::string message, int32_t status) {
  download_.Discard();
  DownloadCacheEntry entry;
  entry.requestedURL = url_;
  entry.finalURL = current_;
  entry.temporaryRedirect = temporaryRedirect_;
  entry.httpStatus = status != 0 ? status : 200;
  entry.result = result;
  entry.message = std::move(message);
  entry_ = &cache_.Add(std::move(entry));
  return false;
}

bool URLTransfer::Finished(CURL* easy, CURLcode code) {
  if (cancelled_ || code == CURLE_ABORTED_BY_CALLBACK) {
    download_.Discard();
    cancelled_ = true;
    return false;
  }
  if (writeFailed_) return Fail(kFetchFileError, "Couldn't create download file");
  if (tooLarge_ || code == CURLE_FILESIZE_EXCEEDED)
    return Fail(kFetchTransportError, "The picture is larger than the download limit of " +
                                          std::to_string(options_.sizeLimit) + " bytes");
  if (code != CURLE_OK) return Fail(kFetchTransportError, error_[0] ? error_ : curl_easy_strerror(code));
  long status = 0;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  if (IsRedirect(static_cast<int32_t>(status))) return FollowRedirect(easy, static_cast<int32_t>(status));
  return Succeed(easy, static_cast<int32_t>(status));
}

bool URLTransfer::FollowRedirect(CURL* easy, int32_t status) {
  download_.Discard();
  temporaryRedirect_ |= status == 302;
  char* location = nullptr;
  curl_easy_getinfo(easy, CURLINFO_REDIRECT_URL, &location);
  if (!location) return Succeed(easy, status);
  if (++redirects_ > kMaxRedirects)
    return Fail(kFetchTransportError, curl_easy_strerror(CURLE_TOO_MANY_REDIRECTS));
  std::string next = location;
  URLParts parts;
  if (!SplitRemoteURL(next, parts))
    return Fail(kFetchTransportError, "Redirected to " + next + ", which is no http or https URL");
  current_ = next;
  // Another request follows unless an earlier fetch answers the new URL.
  if (!AnsweredBefore(current_, true)) return true;
  return false;
}

bool URLTransfer::Succeed(CURL* easy, int32_t status) {
  long unmet = 0, version = 0;
  curl_easy_getinfo(easy, CURLINFO_CONDITION_UNMET, &unmet);
  curl_easy_getinfo(easy, CURLINFO_HTTP_VERSION, &version);
  bool notModified = knownTime_ && (status == 304 || unmet != 0);
  if (status != 200 && !notModified)
    return Fail(kFetchStatusError,
                "HTTP/" + VersionText(version) + " " + std::to_string(status) + Reason(status), status);
  DownloadCacheEntry entry;
  entry.requestedURL = url_;
  entry.finalURL = current_;
  entry.temporaryRedirect = temporaryRedirect_;
  entry.httpStatus = status;
  if (notModified) {
    download_.Discard();
    entry.localFile = knownFile_;
    entry.serverTime = TicksFromUnixTime(*knownTime_);
    entry_ = &cache_.Add(std::move(entry));
    return false;
  }
  if (!download_.IsOpen()) return Fail(kFetchFileError, "Downloaded file doesn't exist");
  if (options_.isPicture && !options_.isPicture(download_.Head()))
    return Fail(kFetchStatusError, "The file at " + current_ + " is no picture that can be placed", status);
  curl_off_t time = -1;
  curl_easy_getinfo(easy, CURLINFO_FILETIME_T, &time);
  int64_t seconds = time >= 0 ? static_cast<int64_t>(time) : static_cast<int64_t>(std::time(nullptr));
  entry.serverTime = TicksFromUnixTime(seconds);
  DownloadPath place;
  std::string problem;
  if (!options_.noCopy && PlaceFor(current_, current_ != url_, place)) {
    if (!keepIn_->Keep(download_, place.folders, place.file, seconds, entry.localFile, problem))
      return Fail(kFetchFileError, problem, status);
  } else {
    entry.localFile = temporary_.KeepHere(download_, seconds);
    entry.temporaryFile = true;
    if (entry.localFile.empty()) return Fail(kFetchFileError, "Couldn't create download file", status);
  }
  entry_ = &cache_.Add(std::move(entry));
  return false;
}

}  // namespace kesto
