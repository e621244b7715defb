// PictureUtils: placing picture files into graphic frames and keeping their links, for front ends and
// plug-ins. Each change runs the picture commands (and fitting) in one command sequence: one undo step,
// and on failure nothing changed, the reason left in `message` (and in the global error state).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/db/IDataBase.h"
#include "host/layout/ILinkResource.h"
#include "host/layout/IPlacementOptions.h"
#include "host/layout/PictureFitting.h"

namespace PictureUtils {

// The image item of a graphic frame; kInvalidUID when it holds none. An image item answers itself.
UID ContentOf(const IDataBase* db, UID frame);
// Every image item of the document: those of the spreads in document order, then those in items anchored
// in text.
std::vector<UID> ImageItems(const IDataBase* db);

// The file URI of a path (made absolute and normal; bytes other than unreserved ones and "/" as %XX).
std::string FileUri(const std::filesystem::path& path);
// The path of a "file:" URI; empty for any other.
std::filesystem::path PathOfUri(std::string_view uri);
// The file's state now against what the link recorded: missing when it is not there, modified when its
// size or time differ; URIs of other schemes keep the recorded state.
LinkState CurrentState(const LinkData& link);

struct PlaceRequest {
  int32_t page = 1;               // of a PDF, 1-based
  std::optional<FitMode> fit;     // none: the frame's placement options' fitting
  bool proxyWhenMissing = false;  // a missing file places a proxy linked to it instead of failing
  // The address the picture stays linked to when not the file it is read from (a picture fetched from a
  // server into a temporary file stays linked to its URL); empty: the file.
  std::string linkUri;
};
// Places the picture file `file` (a path or a file URI) into the graphic frame `frame`. kSuccess with
// `image` (when given) the new image item; kFileNotFoundError for a missing file unless a proxy was asked
// for; kCannotImportURIError for a URI of another scheme (to be fetched first); a picture reader's code
// (host/image/ImageIDs.h) for a file it refuses; a command's error.
ErrorCode PlacePicture(IDataBase* db, UID frame, const std::string& file, const PlaceRequest& request,
                       std::string& message, UID* image = nullptr);
// Places a proxy for the missing file `file` of `type` into `frame`, linked to it (the link says missing).
// An unknown type is taken from the file name's extension.
ErrorCode PlaceMissingPictureProxy(IDataBase* db, UID frame, const std::string& file, PictureFormat type,
                                   std::string& message, UID* image = nullptr);
// Links `item`'s picture (`item` a graphic frame or its image item) to `file`: read now, or missing.
ErrorCode Relink(IDataBase* db, UID item, const std::string& file, std::string& message);
// Reads again every linked file whose state changed since it was read (modified, found again, or gone)
// and brings its link and pictures up to date. `updated` receives the number of links changed.
ErrorCode UpdateLinks(IDataBase* db, int32_t& updated, std::string& message);
// Sets the placement options of the graphic frame `frame`.
ErrorCode SetPlacementOptions(IDataBase* db, UID frame, const PlacementOptions& options);

// Link resources in use with the image items linked to each, in the order of the document's link list.
struct LinkUse {
  UID link;
  LinkData data;
  std::vector<UID> images;
};
std::vector<LinkUse> LinksInUse(const IDataBase* db);

}  // namespace PictureUtils
