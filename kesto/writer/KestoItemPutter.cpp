// Writing page items, groups and the origin.
#include "kesto/writer/KestoItemPutter.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>

#include "host/layout/IHierarchy.h"
#include "host/layout/ILayerList.h"
#include "host/layout/IPageItem.h"
#include "host/layout/LayoutUtils.h"
#include "kesto/layout/VyPageItem.h"
#include "kesto/layout/VyPageItemInfo.h"
#include "kesto/writer/KestoBoxTag.h"

namespace kesto {
namespace {

// The description record of an item's kind, read from the item.
std::unique_ptr<VyPageItemInfo> ReadRecord(IDataBase* db, UID item) {
  std::unique_ptr<VyPageItemInfo> record;
  ClassID cls = db->GetClass(item);
  if (cls == kTextFrameBoss)
    record = std::make_unique<VyTextItemInfo>();
  else if (cls == kGraphicFrameBoss)
    record = std::make_unique<VyImageItemInfo>();
  else
    record = std::make_unique<VyPageItemInfo>();
  record->ReadFrom(XPageItem(VyDocument::Make(db), item));
  return record;
}

WideString LayerNameOf(IDataBase* db, UID item, bool compact) {
  auto spreadLayer = Instantiate<ISpreadLayer>(db, LayoutUtils::SpreadLayerOfItem(db, item));
  UID layer = spreadLayer ? spreadLayer->GetDocumentLayer() : kInvalidUID;
  auto list = LayoutUtils::QueryLayerList(db);
  if (!layer.IsValid() || (compact && list && list->GetActiveLayer() == layer)) return {};
  auto data = Instantiate<IDocumentLayer>(db, layer);
  return data ? data->GetName() : WideString();
}

}  // namespace

int32_t KestoItemPutter::PutItems(IDataBase* db, const std::vector<UID>& items, ITagPutterAgent* agent) {
  if (!db) return Note(kNoStrands);
  PutHeader();
  // The origin is collected ahead of the passes: a fragment has no collecting pass.
  originState_ = 0;
  for (UID item : items)
    CollectOrigin(db, item);
  return PutTwoPasses(db, agent, [&] {
    for (UID item : items) {
      if (GetError() != 0) break;
      (void)PutAnyPageItem(db, item);
    }
    return GetError();
  });
}

int32_t KestoItemPutter::PutAnyPageItem(IDataBase* db, UID item) {
  if (!db->IsValidUID(item) || !LayoutUtils::IsPageItem(db, item)) return 0;
  if (LayoutUtils::IsGroup(db, item)) return PutGroup(db, item);
  return PutBox(db, item);
}

int32_t KestoItemPutter::PutGroup(IDataBase* db, UID group) {
  auto node = Instantiate<IHierarchy>(db, group);
  if (!node) return 0;
  const std::vector<UID> members = node->GetChildren();
  std::unique_ptr<int32_t[]> counts(new (std::nothrow) int32_t[members.size() + 1]);
  if (!counts) {
    Note(kOutOfMemory);
    return 0;
  }
  int32_t total = 0;
  for (size_t i = 0; i < members.size() && GetError() == 0; ++i) {
    counts[i] = PutAnyPageItem(db, members[i]);
    total += counts[i];
  }
  if (IsCollecting() || GetError() != 0) return total + 1;
  // Each member is named by the distance back from the group tag to its own last tag.
  PutAscii("<&g(");
  int32_t after = 0;
  for (size_t i = members.size(); i-- > 0;) {
    after += counts[i];
    counts[i] = after - counts[i] + 1;
  }
  for (size_t i = 0; i < members.size(); ++i) {
    if (i > 0) PutChar(u',');
    PutInteger(counts[i]);
  }
  PutAscii(")>");
  return total + 1;
}

void KestoItemPutter::CollectOrigin(IDataBase* db, UID item) {
  if (!db->IsValidUID(item) || !LayoutUtils::IsPageItem(db, item)) return;
  if (LayoutUtils::IsGroup(db, item)) {
    if (originState_ == 0) {
      originState_ = 1;
      originX_ = originY_ = std::numeric_limits<double>::max();
    }
    if (auto node = Instantiate<IHierarchy>(db, item))
      for (UID member : node->GetChildren())
        CollectOrigin(db, member);
    return;
  }
  bool inPlace = storyInPlace_.IsValid() && LayoutUtils::StoryOfFrame(db, item) == storyInPlace_;
  if (originState_ != 1 || inPlace || !LayoutUtils::SpreadOfItem(db, item).IsValid()) return;
  VyBasePageItemInfo record;
  record.ReadFrom(XPageItem(VyDocument::Make(db), item));
  PMRect bounds = TagBounds(db, item, record.bounds);
  originX_ = std::min(originX_, bounds.left);
  originY_ = std::min(originY_, bounds.top);
}

PMRect KestoItemPutter::TagBounds(IDataBase* db, UID item, const PMRect& spreadBounds) const {
  if (HasOption(kPutSpreadCoordinates)) return spreadBounds;
  UID page = LayoutUtils::PageOfItem(db, item);
  return page.IsValid() ? LayoutUtils::SpreadToPage(db, spreadBounds, page) : spreadBounds;
}

int32_t KestoItemPutter::PutBox(IDataBase* db, UID item) {
  if (storyInPlace_.IsValid() && LayoutUtils::StoryOfFrame(db, item) == storyInPlace_) {
    PutStoryOfFrame(db, item);
    return 0;
  }
  std::unique_ptr<VyPageItemInfo> record = ReadRecord(db, item);
  BoxTagItem tag;
  tag.record = record.get();
  tag.freeStanding = LayoutUtils::SpreadOfItem(db, item).IsValid();
  tag.bounds = tag.freeStanding ? TagBounds(db, item, record->bounds) : record->bounds;
  if (IsCollecting()) {
    if (db->GetClass(item) == kTextFrameBoss) PutStoryOfFrame(db, item);
    return 1;
  }
  if (tag.freeStanding && originState_ == 1) {
    PutAscii("<&o(");
    PutNumber(originX_);
    PutChar(u',');
    PutNumber(originY_);
    PutAscii(")>");
    originState_ = 2;
  }
  if (tag.freeStanding && originState_ == 2) tag.bounds = tag.bounds.Moved(-originX_, -originY_);
  if (tag.freeStanding) tag.layerName = LayerNameOf(db, item, HasOption(kPutCompact));
  if (auto data = Instantiate<IPageItem>(db, item)) {
    tag.label = data->GetLabels().label;
    tag.keyedLabels = data->GetLabels().keyed;
  }
  if (ITagPutterAgent* agent = GetAgent()) Note(agent->BeginPageItem(&tag, 0, 0));
  PutBoxTag(*this, tag);
  if (db->GetClass(item) == kTextFrameBoss) {
    PutStoryOfFrame(db, item);
    PutAscii("<&te>");
  }
  if (ITagPutterAgent* agent = GetAgent()) Note(agent->EndPageItem(&tag));
  return 1;
}

void KestoItemPutter::PutStoryOfFrame(IDataBase* db, UID frame) {
  // A story threaded through several frames is written once, after its first frame.
  if (LayoutUtils::FrameIndex(db, frame) > 0) return;
  VyBaseStory story(db, LayoutUtils::StoryOfFrame(db, frame));
  if (!story.IsValid()) return;
  // The reader's box story has its final return already.
  (void)PutStoryRange(story, 0, story.GetHostLength() - 1);
}

}  // namespace kesto
