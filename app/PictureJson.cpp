// Pictures and links as JSON.
#include "app/PictureJson.h"

#include <charconv>
#include <cmath>

#include "host/layout/IImageContent.h"
#include "host/layout/IPageItem.h"
#include "host/layout/PictureUtils.h"

namespace pagehost {
namespace {

std::string Number(double v) {
  char buffer[32];
  auto written = std::to_chars(buffer, buffer + sizeof(buffer), v + 0.0);
  return std::isfinite(v) && written.ec == std::errc() ? std::string(buffer, written.ptr) : "null";
}

std::string Pair(double a, double b) {
  return "[" + Number(a) + "," + Number(b) + "]";
}

// URIs and paths are UTF-8 (a file URI is ASCII); only what JSON must escape is escaped.
std::string Quote(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string LinkJson(IDataBase& db, UID link) {
  auto resource = Instantiate<ILinkResource>(&db, link);
  if (!resource) return "null";
  const LinkData& data = resource->GetData();
  return "{\"uid\":" + std::to_string(link.Get()) + ",\"uri\":" + Quote(data.uri) + ",\"state\":\"" +
         std::string(LinkStateName(PictureUtils::CurrentState(data))) + "\"}";
}

std::string PlacementJson(IDataBase& db, UID frame) {
  auto options = Instantiate<IPlacementOptions>(&db, frame);
  if (!options) return "null";
  const PlacementOptions& o = options->GetOptions();
  return "{\"fitting\":" + std::to_string(static_cast<int32_t>(o.fitting)) +
         ",\"referencePoint\":" + std::to_string(o.referencePoint) +
         ",\"autoFit\":" + (o.autoFit ? "true" : "false") + ",\"crop\":[" + Number(o.crop.top) + "," +
         Number(o.crop.left) + "," + Number(o.crop.bottom) + "," + Number(o.crop.right) + "]}";
}

std::string ContentJson(IDataBase& db, UID frame, UID image) {
  auto content = Instantiate<IImageContent>(&db, image);
  auto item = Instantiate<IPageItem>(&db, image);
  const PictureInfo& info = content->GetInfo();
  const ItemTransform& t = item->GetTransform();
  const ItemTransform& f = Instantiate<IPageItem>(&db, frame)->GetTransform();
  double scaleX = std::fabs(t.scaleX * f.scaleX);
  double scaleY = std::fabs(t.scaleY * f.scaleY);
  auto link = Instantiate<ILinkResource>(&db, content->GetLink());
  const PMRect& b = item->GetBounds();
  return "{\"image\":" + std::to_string(image.Get()) +
         ",\"path\":" + (link ? Quote(PictureUtils::PathOfUri(link->GetData().uri).string()) : "null") +
         ",\"format\":\"" + std::string(PictureFormatName(info.format)) + "\",\"pixels\":[" +
         std::to_string(info.width) + "," + std::to_string(info.height) +
         "],\"ppi\":" + Pair(info.ppiX, info.ppiY) +
         ",\"effectivePpi\":" + Pair(info.ppiX / scaleX, info.ppiY / scaleY) +
         ",\"page\":" + std::to_string(info.page) + ",\"pageCount\":" + std::to_string(info.pageCount) +
         ",\"bounds\":[" + Number(b.left) + "," + Number(b.top) + "," + Number(b.right) + "," +
         Number(b.bottom) + "],\"transform\":{\"scaleX\":" + Number(t.scaleX) +
         ",\"scaleY\":" + Number(t.scaleY) + ",\"skew\":" + Number(t.skew) +
         ",\"rotation\":" + Number(t.rotation) + "},\"proxy\":" + (content->IsProxy() ? "true" : "false") +
         ",\"link\":" + LinkJson(db, content->GetLink()) + "}";
}

}  // namespace

std::string PictureItemMembers(IDataBase& db, UID item) {
  if (db.GetClass(item) != kGraphicFrameBoss) return {};
  UID image = PictureUtils::ContentOf(&db, item);
  return ",\"content\":" + (image.IsValid() ? ContentJson(db, item, image) : std::string("null")) +
         ",\"placement\":" + PlacementJson(db, item);
}

std::string LinksJson(IDataBase& db) {
  std::string json = "[";
  for (const PictureUtils::LinkUse& use : PictureUtils::LinksInUse(&db)) {
    const LinkData& d = use.data;
    json += (json.size() > 1 ? ",{\"uid\":" : "{\"uid\":") + std::to_string(use.link.Get()) +
            ",\"uri\":" + Quote(d.uri) + ",\"path\":" + Quote(PictureUtils::PathOfUri(d.uri).string()) +
            ",\"type\":\"" + std::string(PictureFormatName(d.format)) +
            "\",\"size\":" + std::to_string(d.stamp.size) +
            ",\"modified\":" + std::to_string(d.stamp.modified) + ",\"state\":\"" +
            std::string(LinkStateName(PictureUtils::CurrentState(d))) + "\",\"items\":[";
    for (size_t i = 0; i < use.images.size(); ++i)
      json += (i ? "," : "") + std::to_string(use.images[i].Get());
    json += "]}";
  }
  return json + "]";
}

}  // namespace pagehost
