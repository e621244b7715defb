// Placing the pictures of boxes.
#include "kesto/layout/ImportPicture.h"

#include <ctime>

#include "host/app/ISession.h"
#include "host/cmd/ErrorUtils.h"
#include "host/db/IDocument.h"
#include "host/image/ImageIDs.h"
#include "host/image/PictureHeaders.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/PictureUtils.h"
#include "kesto/include/IKestoPrefs.h"
#include "kesto/layout/DownloadsFolder.h"
#include "kesto/layout/VyCURLProgressBar.h"

namespace kesto {
namespace {

// "URL {2023-11-14T22:13:20Z}", with milliseconds when there are any.
WideString ContentName(const std::string& url, int64_t serverTime) {
  int64_t ticks = serverTime % 10000000;
  std::time_t seconds = static_cast<std::time_t>(UnixTimeFromTicks(serverTime));
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[64];
  int millis = static_cast<int>(ticks / 10000);
  if (millis != 0) {
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%.3dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, millis);
  } else {
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
  }
  return WideFromUtf8(url + " {" + text + "}");
}

std::filesystem::path DocumentFile(IDataBase* db) {
  auto document = db ? Instantiate<IDocument>(db, db->GetRootUID()) : InterfacePtr<IDocument>();
  return document ? std::filesystem::path(document->GetFile()) : std::filesystem::path();
}

}  // namespace

PictureImportSettings PictureSettingsFor(IDataBase* db, const std::filesystem::path& chosen) {
  KestoPrefsRecord record;
  if (auto prefs = QueryApplicationWorkspace<IKestoPrefs>()) prefs->GetAll(record);
  PictureImportSettings settings;
  settings.linkDownloads = (record.options & kPrefLinkDownloads) != 0;
  std::u16string folderName(record.downloadsFolder);
  settings.fetch.downloadsFolder = DownloadsFolderFor(chosen, DocumentFile(db), folderName.c_str());
  settings.fetch.depth = record.downloadDepth;
  settings.fetch.sizeLimit = static_cast<uint64_t>(record.downloadLimitMB) << 20;
  // A download is kept only when it is a picture the host can place.
  settings.fetch.isPicture = [](const std::string& head) {
    return SniffPictureFormat(reinterpret_cast<const uint8_t*>(head.data()), head.size()) !=
           PictureFormat::kUnknown;
  };
  return settings;
}

FetchOptions FetchOptionsOf(const PictureImportSettings& settings) {
  FetchOptions options = settings.fetch;
  if (!settings.linkDownloads) options.downloadsFolder.clear();
  return options;
}

URLFetcher& PlugInFetcher() {
  static URLFetcher fetcher;
  return fetcher;
}

int32_t ImportPicture(IDataBase* db, UID frame, const WideString& uri, std::string& message,
                      const PictureImportSettings& settings) {
  std::string name = Utf8FromWide(uri);
  ErrorCode placed = PictureUtils::PlacePicture(db, frame, name, {}, message);
  if (placed != kCannotImportURIError) return placed == kSuccess ? 0 : static_cast<int32_t>(placed);
  // The host's refusal of the URL is the cue to fetch it, no failure: it must not stop the place that
  // follows.
  message.clear();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  FetchOptions options = FetchOptionsOf(settings);
  VyCURLProgressBar bar("Fetching " + name + "...");
  const DownloadCacheEntry* entry = nullptr;
  int32_t fetched = PlugInFetcher().FetchURL(entry, name, message, bar.Showing(options));
  if (fetched != kFetchDone) return fetched;
  UID image;
  PictureUtils::PlaceRequest request;
  // A picture not kept in the downloads folder stays linked to its URL, not to the temporary file.
  if (entry->temporaryFile) request.linkUri = name;
  placed = PictureUtils::PlacePicture(db, frame, entry->localFile.string(), request, message, &image);
  if (placed != kSuccess) return static_cast<int32_t>(placed);
  if (entry->serverTime >= 0) {
    LayoutParams params;
    params.name = ContentName(name, entry->serverTime);
    (void)LayoutCmdUtils::Process(kSetLabelCmdBoss, db, {image}, params);  // a name is no part of the picture
  }
  return 0;
}

}  // namespace kesto
