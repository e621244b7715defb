// Placing items in the hierarchy, and new layers.
#include "host/layout/ArrangeCmds.h"

#include <algorithm>
#include <string>

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

// Why `item` may not go directly behind `reference`, or nothing: both must be in the hierarchy (an
// anchored item belongs to its character, not to a parent) and kept where they are, so that an item changes
// neither its spread (masters included) nor its layer nor the anchored item it lies in; `item` must not
// hold `reference`, and the item's tree must stay within kMaxItemDepth in its new place.
std::string WhyNotBehind(IDataBase* db, UID item, UID reference) {
  std::string name = "item " + std::to_string(item.Get());
  auto node = Instantiate<IHierarchy>(db, item);
  if (!node || !node->GetParent().IsValid())
    return name + " is anchored in text and stays with its character; it cannot be sent behind another item";
  if (HomeOf(db, item) != HomeOf(db, reference))
    return name + " can only go behind an item of its own spread and layer";
  std::vector<UID> tree = LayoutUtils::ItemTree(db, item);
  if (std::find(tree.begin(), tree.end(), reference) != tree.end())
    return name + " cannot go behind itself or an item inside it";
  if (LayoutUtils::ItemDepth(db, reference) + LayoutUtils::TreeHeight(db, item) - 1 > kMaxItemDepth)
    return name + " would lie more than " + std::to_string(kMaxItemDepth) + " levels deep";
  return {};
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
    if (std::string why = WhyNotBehind(db, item, reference); !why.empty()) return Refuse(why);
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
  if (!layers) return Fail();
  if (p.name.empty()) return Refuse("a layer needs a name");
  for (int32_t i = 0; i < layers->CountLayers(); ++i) {
    if (Instantiate<IDocumentLayer>(db, layers->GetNthLayer(i))->GetName() == p.name)
      return Refuse("a layer named '" + Utf8FromWide(p.name) + "' exists already");
  }
  UID layer = LayoutEdits::NewLayer(db, p.name, p.position);
  if (!layer.IsValid()) return Fail(kFailure);
  layers->SetActiveLayer(layer);
  SetItemList(UIDList(db, {layer}));
}
