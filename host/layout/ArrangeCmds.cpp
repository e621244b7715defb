// Placing items in the hierarchy, and new layers.
#include "host/layout/ArrangeCmds.h"

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

void SendBehindCmd::Do() {
  IDataBase* db = DataBase();
  UID reference = Params().target;
  if (!ItemsArePageItems(true) || !LayoutUtils::IsPageItem(db, reference)) return Fail();
  UID parent = Instantiate<IHierarchy>(db, reference)->GetParent();
  auto parentNode = Instantiate<IHierarchy>(db, parent);
  if (!parentNode) return Fail();
  for (UID item : Items()) {
    for (UID inside : LayoutUtils::ItemTree(db, item)) {
      if (inside == reference)
        return Refuse("item " + std::to_string(item.Get()) + " cannot go behind itself or an item inside it");
    }
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
