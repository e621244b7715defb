// Placing items in the hierarchy, and new layers.
#include "host/layout/ArrangeCmds.h"

#include <algorithm>

#include "host/layout/LayoutEdits.h"

void MoveToLayerCmd::Do() {
  IDataBase* db = DataBase();
  const LayoutParams& p = Params();
  if (!ItemsArePageItems() || !Instantiate<ISpread>(db, p.target)) return Fail();
  for (UID item : Items()) {
    UID from = Instantiate<IHierarchy>(db, item)->GetParent();
    auto layer = Instantiate<ISpreadLayer>(db, from);
    if (!layer) return Fail();  // items inside groups move with their group
    UID to =
        LayoutUtils::SpreadLayerFor(db, p.target, p.second.IsValid() ? p.second : layer->GetDocumentLayer());
    if (!to.IsValid()) return Fail();
    LayoutEdits::Reparent(db, item, to, -1);
  }
  MainChange().target = p.target;
}

namespace {

// Where an item is kept: its spread layer, or the anchored item it lies in (the item itself when it is
// anchored).
UID HomeOf(IDataBase* db, UID item) {
  UID layer = LayoutUtils::SpreadLayerOfItem(db, item);
  return layer.IsValid() ? layer : LayoutUtils::TopOfItem(db, item);
}

// Whether `item` may go directly behind `reference`: both in the hierarchy (an anchored item belongs to
// its character, not to a parent) and kept where they are, so that an item changes neither its spread
// (masters included) nor its layer nor the anchored item it lies in; `item` does not hold `reference`, and
// the item's tree stays within kMaxItemDepth in its new place.
bool MayGoBehind(IDataBase* db, UID item, UID reference) {
  auto node = Instantiate<IHierarchy>(db, item);
  if (!node || !node->GetParent().IsValid() || HomeOf(db, item) != HomeOf(db, reference)) return false;
  std::vector<UID> tree = LayoutUtils::ItemTree(db, item);
  if (std::find(tree.begin(), tree.end(), reference) != tree.end()) return false;
  return LayoutUtils::ItemDepth(db, reference) + LayoutUtils::TreeHeight(db, item) - 1 <= kMaxItemDepth;
}

}  // namespace

void SendBehindCmd::Do() {
  IDataBase* db = DataBase();
  UID reference = Params().target;
  if (!ItemsArePageItems(true) || !LayoutUtils::IsPageItem(db, reference)) return Fail();
  UID parent = Instantiate<IHierarchy>(db, reference)->GetParent();
  auto parentNode = Instantiate<IHierarchy>(db, parent);
  if (!parentNode) return Fail();
  for (UID item : Items()) {
    if (!MayGoBehind(db, item, reference)) return Fail();
    LayoutEdits::Reparent(db, item, parent, parentNode->IndexOfChild(reference));
  }
  MainChange().target = reference;
}

void SendToBackCmd::Do() {
  IDataBase* db = DataBase();
  if (!ItemsArePageItems(true)) return Fail();
  std::vector<UID> items = Items();
  for (auto it = items.rbegin(); it != items.rend(); ++it)
    LayoutEdits::Reparent(db, *it, Instantiate<IHierarchy>(db, *it)->GetParent(), 0);
}

void NewLayerCmd::Do() {
  IDataBase* db = DataBase();
  auto layers = LayoutUtils::QueryLayerList(db);
  const LayoutParams& p = Params();
  if (!layers || p.name.empty()) return Fail();
  for (int32_t i = 0; i < layers->CountLayers(); ++i) {
    if (Instantiate<IDocumentLayer>(db, layers->GetNthLayer(i))->GetName() == p.name) return Fail();
  }
  UID layer = LayoutEdits::NewLayer(db, p.name, p.position);
  if (!layer.IsValid()) return Fail(kFailure);
  layers->SetActiveLayer(layer);
  SetItemList(UIDList(db, {layer}));
}
