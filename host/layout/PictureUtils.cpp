// Placing pictures and keeping their links.
#include "host/layout/PictureUtils.h"

#include <unordered_map>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/image/PictureFile.h"
#include "host/layout/IImageContent.h"
#include "host/layout/IStoryAnchors.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/layout/PictureCmdData.h"
#include "host/text/IStoryList.h"

namespace PictureUtils {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '/';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Whether `file` is a URI of another scheme than "file" ("https://...").
bool IsRemoteUri(std::string_view file) {
  size_t colon = file.find("://");
  if (colon == std::string_view::npos || colon == 0 || file.starts_with("file:")) return false;
  for (char c : file.substr(0, colon)) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
          c == '-' || c == '.'))
      return false;
  }
  return true;
}

std::filesystem::path PathOf(const std::string& file) {
  std::filesystem::path path = file.starts_with("file:") ? PathOfUri(file) : std::filesystem::path(file);
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return (error ? path : absolute).lexically_normal();
}

// Processes the picture command `cls` on `items`; `result` receives its item list afterwards.
ErrorCode Process(ClassID cls, IDataBase* db, const std::vector<UID>& items, const PictureParams& params,
                  std::vector<UID>* result = nullptr) {
  return LayoutCmdUtils::ProcessWith<IPictureCmdData>(cls, db, items, params, result);
}

// Leaves `code` with `reason` as the global error and in `message`; answers `code`.
ErrorCode Fault(ErrorCode code, std::string reason, std::string& message) {
  message = reason;
  if (ErrorUtils::PMGetGlobalErrorCode() == kSuccess)
    ErrorUtils::PMSetGlobalErrorCode(code, std::move(reason));
  return code;
}

// The message of a command's failure.
ErrorCode Refused(ErrorCode code, std::string& message) {
  message = ErrorUtils::PMGetGlobalErrorReason();
  if (message.empty())
    message = "the host refused it (error " + std::to_string(static_cast<int32_t>(code)) + ")";
  return code;
}

std::optional<FitMode> FittingMode(FrameFitting fitting) {
  switch (fitting) {
    case FrameFitting::kContentToFrame:
      return FitMode::kContentToFrame;
    case FrameFitting::kProportional:
      return FitMode::kProportional;
    case FrameFitting::kFill:
      return FitMode::kFill;
    case FrameFitting::kNone:
      break;
  }
  return std::nullopt;
}

void AddImagesOf(const IDataBase* db, UID top, std::vector<UID>& images) {
  for (UID item : LayoutUtils::ItemTree(db, top)) {
    if (db->GetClass(item) == kImageItemBoss) images.push_back(item);
  }
}

// Reads `path` for the link data and the picture's values; kFileNotFoundError and kPictureFileError
// leave a link that says missing.
ErrorCode ReadLinked(const std::filesystem::path& path, int32_t page, PictureParams& params) {
  params.link.uri = FileUri(path);
  ErrorCode err = ReadPictureFile(path, page, params.info, params.link.stamp);
  params.link.format = params.info.format;
  params.link.state = err == kSuccess ? LinkState::kNormal : LinkState::kMissing;
  return err;
}

}  // namespace

UID ContentOf(const IDataBase* db, UID frame) {
  if (!db) return kInvalidUID;
  if (db->GetClass(frame) == kImageItemBoss) return frame;
  if (db->GetClass(frame) != kGraphicFrameBoss) return kInvalidUID;
  for (UID child : Instantiate<IHierarchy>(db, frame)->GetChildren()) {
    if (db->GetClass(child) == kImageItemBoss) return child;
  }
  return kInvalidUID;
}

std::vector<UID> ImageItems(const IDataBase* db) {
  std::vector<UID> images;
  auto spreads = LayoutUtils::QuerySpreadList(db);
  for (int32_t i = 0; spreads && i < spreads->CountSpreads() + spreads->CountMasterSpreads(); ++i) {
    for (UID item : LayoutUtils::ItemsOfSpread(db, LayoutUtils::SpreadAt(db, i)))
      AddImagesOf(db, item, images);
  }
  auto stories = Instantiate<IStoryList>(db, db->GetRootUID());
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    auto anchors = Instantiate<IStoryAnchors>(db, stories->GetNthStory(i));
    for (const Anchor& anchor : anchors ? anchors->GetAnchors() : std::vector<Anchor>())
      AddImagesOf(db, anchor.item, images);
  }
  return images;
}

std::string FileUri(const std::filesystem::path& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : PathOf(path.string()).string()) {
    if (IsUnreserved(c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

std::filesystem::path PathOfUri(std::string_view uri) {
  if (!uri.starts_with("file:")) return {};
  uri.remove_prefix(5);
  if (uri.starts_with("//")) {
    uri.remove_prefix(2);
    size_t slash = uri.find('/');
    if (slash == std::string_view::npos) return {};
    uri.remove_prefix(slash);  // the host ("localhost" or none)
  }
  std::string path;
  for (size_t i = 0; i < uri.size(); ++i) {
    int high = uri[i] == '%' && i + 2 < uri.size() ? HexDigit(uri[i + 1]) : -1;
    int low = high >= 0 ? HexDigit(uri[i + 2]) : -1;
    if (low >= 0) {
      path += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      path += uri[i];
    }
  }
  return path;
}

LinkState CurrentState(const LinkData& link) {
  std::filesystem::path path = PathOfUri(link.uri);
  if (path.empty()) return link.state;
  FileStamp stamp;
  if (StampFile(path, stamp) != kSuccess) return LinkState::kMissing;
  return stamp == link.stamp && link.state != LinkState::kMissing ? LinkState::kNormal : LinkState::kModified;
}

ErrorCode PlacePicture(IDataBase* db, UID frame, const std::string& file, const PlaceRequest& request,
                       std::string& message, UID* image) {
  if (!db || db->GetClass(frame) != kGraphicFrameBoss)
    return Fault(kInvalidParameterError, "item " + std::to_string(frame.Get()) + " is no graphic frame",
                 message);
  if (IsRemoteUri(file))
    return Fault(kCannotImportURIError, file + " is no file: the host places files only", message);
  std::filesystem::path path = PathOf(file);
  PictureParams params;
  ErrorCode err = ReadLinked(path, request.page, params);
  if (err == kFileNotFoundError && request.proxyWhenMissing)
    return PlaceMissingPictureProxy(db, frame, file, PictureFormat::kUnknown, message, image);
  if (err != kSuccess) return Fault(err, path.string() + " " + PictureFaultText(err), message);
  if (!request.linkUri.empty()) params.link.uri = request.linkUri;
  CommandSequenceScope sequence("Place");
  std::vector<UID> made;
  if (err = Process(kPlacePictureCmdBoss, db, {frame}, params, &made); err != kSuccess)
    return Refused(err, message);
  std::optional<FitMode> fit = request.fit;
  if (auto options = Instantiate<IPlacementOptions>(db, frame); !fit && options)
    fit = FittingMode(options->GetOptions().fitting);
  if (fit && (err = PictureFitting::Fit(db, frame, *fit)) != kSuccess) return Refused(err, message);
  if (image) *image = made.empty() ? kInvalidUID : made.front();
  return kSuccess;
}

ErrorCode PlaceMissingPictureProxy(IDataBase* db, UID frame, const std::string& file, PictureFormat type,
                                   std::string& message, UID* image) {
  PictureParams params;
  if (type == PictureFormat::kUnknown) type = PictureFormatOfExtension(file);
  params.link = {.uri = FileUri(PathOf(file)), .format = type, .state = LinkState::kMissing};
  CommandSequenceScope sequence("Place Missing Picture Proxy");
  std::vector<UID> made;
  if (ErrorCode err = Process(kPlacePictureCmdBoss, db, {frame}, params, &made); err != kSuccess)
    return Refused(err, message);
  if (image) *image = made.empty() ? kInvalidUID : made.front();
  return kSuccess;
}

ErrorCode Relink(IDataBase* db, UID item, const std::string& file, std::string& message) {
  UID image = ContentOf(db, item);
  if (!image.IsValid())
    return Fault(kInvalidParameterError, "item " + std::to_string(item.Get()) + " holds no picture", message);
  std::filesystem::path path = PathOf(file);
  PictureParams params;
  int32_t page = Instantiate<IImageContent>(db, image)->GetInfo().page;
  ErrorCode err = ReadLinked(path, page, params);
  if (err != kSuccess && err != kFileNotFoundError)
    return Fault(err, path.string() + " " + PictureFaultText(err), message);
  CommandSequenceScope sequence("Relink");
  if (err = Process(kRelinkCmdBoss, db, {image}, params); err != kSuccess) return Refused(err, message);
  return kSuccess;
}

ErrorCode UpdateLinks(IDataBase* db, int32_t& updated, std::string& message) {
  updated = 0;
  CommandSequenceScope sequence("Update Links");
  for (const LinkUse& use : LinksInUse(db)) {
    LinkState now = CurrentState(use.data);
    if (now == use.data.state) continue;
    PictureParams params;
    int32_t page = Instantiate<IImageContent>(db, use.images.front())->GetInfo().page;
    // A file that cannot be read now (gone, damaged) leaves its pictures showing proxies.
    if (now == LinkState::kMissing || ReadLinked(PathOfUri(use.data.uri), page, params) != kSuccess) {
      params.link = use.data;
      params.link.state = LinkState::kMissing;
    }
    if (ErrorCode err = Process(kRelinkCmdBoss, db, use.images, params); err != kSuccess)
      return Refused(err, message);
    ++updated;
  }
  return kSuccess;
}

ErrorCode SetPlacementOptions(IDataBase* db, UID frame, const PlacementOptions& options) {
  PictureParams params;
  params.options = options;
  return Process(kSetPlacementOptionsCmdBoss, db, {frame}, params);
}

std::vector<LinkUse> LinksInUse(const IDataBase* db) {
  std::vector<LinkUse> uses;
  auto list = Instantiate<ILinkList>(db, db->GetRootUID());
  if (!list) return uses;
  std::unordered_map<UID, size_t> index;
  for (UID link : list->GetLinks()) {
    auto resource = Instantiate<ILinkResource>(db, link);
    if (!resource) continue;
    index.emplace(link, uses.size());
    uses.push_back({link, resource->GetData(), {}});
  }
  for (UID image : ImageItems(db)) {
    auto at = index.find(Instantiate<IImageContent>(db, image)->GetLink());
    if (at != index.end()) uses[at->second].images.push_back(image);
  }
  std::erase_if(uses, [](const LinkUse& use) { return use.images.empty(); });
  return uses;
}

}  // namespace PictureUtils
