// Making and unmaking page items.
#include "host/layout/ItemCmds.h"

#include <algorithm>

#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "host/layout/ItemGeometryCmd.h"
#include "host/layout/LayoutEdits.h"
#include "host/text/ITextModel.h"

namespace {

ClassID ItemClassOf(ClassID command) {
  if (command == kCreateTextFrameCmdBoss) return kTextFrameBoss;
  if (command == kCreateGraphicFrameCmdBoss) return kGraphicFrameBoss;
  if (command == kCreateRectangleCmdBoss) return kRectangleBoss;
  if (command == kCreateOvalCmdBoss) return kOvalBoss;
  if (command == kCreateLineCmdBoss) return kLineBoss;
  return kInvalidClass;
}

bool IsShapeClass(ClassID cls) {
  return cls == kTextFrameBoss || cls == kGraphicFrameBoss || cls == kRectangleBoss || cls == kOvalBoss ||
         cls == kLineBoss;
}

// Whether converting `item` away from a text frame would take a story with text along (its last frame).
bool WouldLoseText(IDataBase* db, UID item) {
  auto list = Instantiate<IFrameList>(db, LayoutUtils::FrameListOfFrame(db, item));
  auto story = list ? Instantiate<ITextModel>(db, list->GetStory()) : InterfacePtr<ITextModel>();
  return story && list->CountFrames() == 1 && story->TotalLength() > 1;
}

// Why an item cannot be made or grouped where it would lie deeper than the document keeps.
std::string TooDeep() {
  return "items cannot be nested more than " + std::to_string(kMaxItemDepth) + " levels deep";
}

}  // namespace

void CreatePageItemCmd::Do() {
  IDataBase* db = DataBase();
  if (!db) return Fail();
  const LayoutParams& p = Params();
  UID parent = LayoutEdits::ParentFor(db, p.target, p.second);
  ClassID cls = ItemClassOf(GetClass(this));
  if (!p.bounds.IsValid()) return Refuse("the new item " + ItemBoundsFault(p.bounds));
  if (!parent.IsValid() || !cls.IsValid()) return Fail();
  if (LayoutUtils::ItemDepth(db, parent) + 1 > kMaxItemDepth) return Refuse(TooDeep());
  UID item = LayoutEdits::NewItem(db, cls, parent, -1, p.bounds);
  if (!item.IsValid()) return Fail(kFailure);
  SetItemList(UIDList(db, {item}));
  Note(IID_IPAGEITEMCHANGES, {.what = kItemsCreatedChange, .items = {item}});
  if (cls == kGraphicFrameBoss) Instantiate<IPageItem>(db, item)->SetGraphicContent(p.flag);
  if (cls != kTextFrameBoss) return;
  auto setup = LayoutUtils::QueryPageSetup(db);
  FrameOptions options = p.flag ? p.options : setup->Get().frameDefaults;
  if (options.columns < 1 || options.columns > kMaxColumns) return Fail();
  Instantiate<ITextFrame>(db, item)->SetOptions(options);
  UID story;
  if (ErrorCode err = LayoutEdits::NewStoryForFrame(db, item, story); err != kSuccess) return Fail(err);
  UID frameList = LayoutUtils::FrameListOfStory(db, story);
  Note(IID_IFRAMELIST, {.what = kFrameListChange, .items = {item}, .target = frameList, .position = 0});
}

void ConvertPathCmd::Do() {
  IDataBase* db = DataBase();
  ClassID kind = Params().kind;
  if (!ItemsArePageItems() || !IsShapeClass(kind)) return Fail();
  std::vector<UID> made;
  LayoutEdits::Deleted deleted;
  for (UID old : Items()) {
    if (LayoutUtils::IsGroup(db, old)) return Fail();
    if (db->GetClass(old) == kind) {
      made.push_back(old);
      continue;
    }
    if (WouldLoseText(db, old)) return Fail();
    auto item = Instantiate<IPageItem>(db, old);
    auto node = Instantiate<IHierarchy>(db, old);
    auto parent = Instantiate<IHierarchy>(db, node->GetParent());
    if (!parent) return Fail();
    UID now = LayoutEdits::NewItem(db, kind, node->GetParent(), parent->IndexOfChild(old), item->GetBounds());
    auto converted = Instantiate<IPageItem>(db, now);
    converted->SetTransform(item->GetTransform());
    converted->SetLabels(item->GetLabels());
    converted->SetOverrideOf(item->GetOverrideOf());
    if (kind == kTextFrameBoss) {
      UID story;
      if (ErrorCode err = LayoutEdits::NewStoryForFrame(db, now, story); err != kSuccess) return Fail(err);
    }
    if (ErrorCode err = LayoutEdits::DeleteItem(db, old, deleted); err != kSuccess) return Fail(err);
    made.push_back(now);
  }
  Note(IID_IPAGEITEMCHANGES, {.what = kItemsCreatedChange, .items = made, .others = Items()});
  MainChange().others = Items();
  SetItemList(UIDList(db, made));
}

void DeleteItemsCmd::Do() {
  IDataBase* db = DataBase();
  if (!ItemsArePageItems()) return Fail();
  LayoutEdits::Deleted deleted;
  for (UID item : Items()) {
    // An item inside another item of the list went with it.
    if (!db->IsValidUID(item)) continue;
    if (ErrorCode err = LayoutEdits::DeleteItem(db, item, deleted); err != kSuccess) return Fail(err);
  }
  for (UID frameList : deleted.frameLists) {
    Note(IID_IFRAMELIST, {.what = kFrameListChange,
                          .target = frameList,
                          .position = Instantiate<IFrameList>(db, frameList)->GetFirstDamagedFrame()});
  }
  if (!deleted.stories.empty())
    Note(IID_ISTORYCHANGES, {.what = kStoryGivenUpChange, .items = deleted.stories});
  MainChange().items = deleted.items;
}

void GroupItemsCmd::Do() {
  IDataBase* db = DataBase();
  if (!ItemsArePageItems()) return Fail();
  UID parentUID = Instantiate<IHierarchy>(db, Items()[0])->GetParent();
  auto parent = Instantiate<IHierarchy>(db, parentUID);
  if (!parent) return Fail();
  std::vector<UID> members = Items();
  PMRect bounds = Instantiate<IPageItem>(db, members[0])->GetBounds();
  int32_t front = -1;
  for (UID item : members) {
    if (Instantiate<IHierarchy>(db, item)->GetParent() != parentUID)
      return Refuse("items " + std::to_string(members[0].Get()) + " and " + std::to_string(item.Get()) +
                    " are not on one spread and layer (or in one group), so they cannot be grouped");
    // The group puts each member's tree one level deeper.
    if (LayoutUtils::ItemDepth(db, item) + LayoutUtils::TreeHeight(db, item) > kMaxItemDepth)
      return Refuse(TooDeep());
    const PMRect& b = Instantiate<IPageItem>(db, item)->GetBounds();
    bounds = {std::min(bounds.left, b.left), std::min(bounds.top, b.top), std::max(bounds.right, b.right),
              std::max(bounds.bottom, b.bottom)};
    front = std::max(front, parent->IndexOfChild(item));
  }
  std::sort(members.begin(), members.end(),
            [&](UID a, UID b) { return parent->IndexOfChild(a) < parent->IndexOfChild(b); });
  UID group = LayoutEdits::NewItem(db, kGroupBoss, parentUID, front + 1, bounds);
  if (!group.IsValid()) return Fail(kFailure);
  for (UID item : members)
    LayoutEdits::Reparent(db, item, group, -1);
  SetItemList(UIDList(db, {group}));
  MainChange().others = members;
  Note(IID_IPAGEITEMCHANGES, {.what = kItemsCreatedChange, .items = {group}});
}
