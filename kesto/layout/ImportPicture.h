// ImportPicture: puts the picture a box names into its graphic frame: a file through the host's picture
// import; an http or https URL fetched first into the downloads folder (or a temporary file), then placed
// from there. A missing picture gets a proxy linked to the missing file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"
#include "kesto/layout/URLFetcher.h"

namespace kesto {

// What the preferences and the import say about downloads.
struct PictureImportSettings {
  bool linkDownloads = true;
  FetchOptions fetch;  // its downloads folder: empty for none
};

// The settings of the application's preferences for an import into `db`; `chosen` overrides the downloads
// folder (next to the saved document, else the user's downloads folder).
PictureImportSettings PictureSettingsFor(IDataBase* db, const std::filesystem::path& chosen = {});

// The options every fetch of an import with `settings` uses: pictures that are not to be linked to their
// download stay temporary files.
FetchOptions FetchOptionsOf(const PictureImportSettings& settings);

// The fetcher of the plug-in, with its download cache, kept while the plug-in is loaded.
URLFetcher& PlugInFetcher();

// Places the picture `uri` names into the graphic frame `frame`: 0 done, kFetchCancelled when the user
// stopped the download, another code when the picture could not be placed (`message` says why). A picture
// fetched from a server whose time is known names its image item "URL {time}".
int32_t ImportPicture(IDataBase* db, UID frame, const WideString& uri, std::string& message,
                      const PictureImportSettings& settings);

}  // namespace kesto
