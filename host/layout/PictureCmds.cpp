// Placing pictures, relinking them, and frames' placement options.
#include "host/layout/PictureCmds.h"

#include <algorithm>
#include <cassert>

#include "host/core/ObjectModel.h"
#include "host/layout/ItemGeometryCmd.h"
#include "host/layout/LayoutEdits.h"

namespace {

std::string Item(UID uid) {
  return "item " + std::to_string(uid.Get());
}

// Where the picture's natural box lies in a frame: aligned at the frame's reference point. A proxy fills
// the frame.
PMRect NaturalBounds(const PMRect& frame, double width, double height, int32_t referencePoint) {
  double x = frame.left + (referencePoint % 3) * (frame.Width() - width) / 2;
  double y = frame.top + (referencePoint / 3) * (frame.Height() - height) / 2;
  return {x, y, x + width, y + height};
}

PictureInfo ProxyInfo(const PMRect& frame, PictureFormat format) {
  return {.format = format,
          .widthPoints = std::min(frame.Width(), kMaxPicturePoints),
          .heightPoints = std::min(frame.Height(), kMaxPicturePoints)};
}

void RemoveContent(IDataBase* db, UID frame) {
  std::vector<UID> children = Instantiate<IHierarchy>(db, frame)->GetChildren();
  LayoutEdits::Deleted deleted;
  for (UID child : children) {
    if (db->GetClass(child) == kImageItemBoss) (void)LayoutEdits::DeleteItem(db, child, deleted);
  }
}

}  // namespace

PictureParams& PictureCommand::Picture() const {
  InterfacePtr<IPictureCmdData> data(this, UseDefaultIID());
  assert(data && "every picture command class has IPictureCmdData");
  return data->Params();
}

bool PictureCommand::ItemsAre(ClassID cls, const char* kind) const {
  if (!ItemsArePageItems()) return false;
  for (UID item : Items()) {
    if (DataBase()->GetClass(item) != cls) {
      Refuse(Item(item) + " is no " + kind);
      return false;
    }
  }
  return true;
}

UID PictureCommand::UpdatedLink() {
  IDataBase* db = DataBase();
  const LinkData& data = Picture().link;
  auto list = Instantiate<ILinkList>(db, db->GetRootUID());
  if (!list || data.uri.empty()) {
    Refuse("a link needs a file or URI");
    return kInvalidUID;
  }
  UID link = list->FindLink(data.uri);
  if (!link.IsValid()) {
    link = db->NewObject(kLinkResourceBoss);
    list->AddLink(link);
  }
  Instantiate<ILinkResource>(db, link)->SetData(data);
  Note(IID_ILINKCHANGES, {.what = GetClass(this), .items = {link}});
  return link;
}

void PlacePictureCmd::Do() {
  IDataBase* db = DataBase();
  const PictureParams& p = Picture();
  if (!ItemsAre(kGraphicFrameBoss, "graphic frame")) return Fail();
  bool missing = p.link.state == LinkState::kMissing;
  if (!missing && !p.info.IsValid()) return Refuse("the picture's values are out of range");
  UID link = UpdatedLink();
  if (!link.IsValid()) return Fail();
  std::vector<UID> frames = Items();
  std::vector<UID> images;
  for (UID frame : frames) {
    PMRect bounds = Instantiate<IPageItem>(db, frame)->GetBounds();
    PictureInfo info = missing ? ProxyInfo(bounds, p.link.format) : p.info;
    auto options = Instantiate<IPlacementOptions>(db, frame);
    int32_t reference = missing || !options ? 0 : options->GetOptions().referencePoint;
    PMRect natural = NaturalBounds(bounds, info.widthPoints, info.heightPoints, reference);
    if (std::string fault = ItemBoundsFault(natural); !fault.empty())
      return Refuse("the picture placed in " + Item(frame) + " " + fault);
    RemoveContent(db, frame);
    UID image = LayoutEdits::NewItem(db, kImageItemBoss, frame, -1, natural);
    auto content = Instantiate<IImageContent>(db, image);
    if (!content) return Fail(kFailure);
    content->SetInfo(info);
    content->SetLink(link);
    content->SetProxy(missing);
    Instantiate<IPageItem>(db, frame)->SetGraphicContent(true);
    images.push_back(image);
  }
  Note(IID_IPAGEITEMCHANGES, {.what = kItemsCreatedChange, .items = images});
  MainChange().items = frames;
  SetItemList(UIDList(db, images));
}

void RelinkCmd::Do() {
  IDataBase* db = DataBase();
  const PictureParams& p = Picture();
  if (!ItemsAre(kImageItemBoss, "placed picture")) return Fail();
  bool missing = p.link.state == LinkState::kMissing;
  if (!missing && !p.info.IsValid()) return Refuse("the picture's values are out of range");
  UID link = UpdatedLink();
  if (!link.IsValid()) return Fail();
  for (UID image : Items()) {
    auto content = Instantiate<IImageContent>(db, image);
    content->SetLink(link);
    content->SetProxy(missing);
    if (missing) continue;
    auto item = Instantiate<IPageItem>(db, image);
    PMRect b = item->GetBounds();
    PMRect natural{b.left, b.top, b.left + p.info.widthPoints, b.top + p.info.heightPoints};
    if (std::string fault = ItemBoundsFault(natural); !fault.empty())
      return Refuse("the picture relinked in " + Item(image) + " " + fault);
    item->SetBounds(natural);
    content->SetInfo(p.info);
  }
}

void SetPlacementOptionsCmd::Do() {
  IDataBase* db = DataBase();
  if (!ItemsAre(kGraphicFrameBoss, "graphic frame")) return Fail();
  if (!Picture().options.IsValid()) return Refuse("the placement options are out of range");
  for (UID frame : Items())
    Instantiate<IPlacementOptions>(db, frame)->SetOptions(Picture().options);
}
