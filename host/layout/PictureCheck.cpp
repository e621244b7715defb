// The consistency check of pictures and links.
#include "host/layout/PictureCheck.h"

#include <unordered_set>

#include "host/layout/IHierarchy.h"
#include "host/layout/IImageContent.h"
#include "host/layout/ILinkResource.h"
#include "host/layout/PictureUtils.h"

namespace PictureCheck {
namespace {

std::string Number(UID uid) {
  return std::to_string(uid.Get());
}

std::string ImageFault(const IDataBase& db, UID image, const std::unordered_set<UID>& links,
                       std::unordered_set<UID>& frames) {
  auto node = Instantiate<IHierarchy>(&db, image);
  auto content = Instantiate<IImageContent>(&db, image);
  UID frame = node->GetParent();
  if (db.GetClass(frame) != kGraphicFrameBoss || !frames.insert(frame).second)
    return "picture " + Number(image) + " is not the only picture of a graphic frame";
  if (!node->GetChildren().empty()) return "picture " + Number(image) + " holds items";
  if (content->GetLink().IsValid() && !links.contains(content->GetLink()))
    return "picture " + Number(image) + " names link " + Number(content->GetLink()) +
           ", which is no link of the document";
  return {};
}

}  // namespace

std::string FindFault(const IDataBase& db) {
  auto list = Instantiate<ILinkList>(&db, db.GetRootUID());
  std::unordered_set<UID> links;
  for (UID link : list ? list->GetLinks() : std::vector<UID>()) {
    if (db.GetClass(link) != kLinkResourceBoss || !Instantiate<ILinkResource>(&db, link) ||
        !links.insert(link).second)
      return "the link list names object " + Number(link) + ", which is no link of its own";
  }
  std::unordered_set<UID> frames;
  for (UID image : PictureUtils::ImageItems(&db)) {
    if (std::string fault = ImageFault(db, image, links, frames); !fault.empty()) return fault;
  }
  return {};
}

}  // namespace PictureCheck
