// Layers, groups and labelled boxes of the document an import fills.
#include "kesto/layout/DocumentItems.h"

#include "host/cmd/ErrorUtils.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/LayoutUtils.h"

namespace kesto {
namespace {

UID FirstMade(IDataBase* db, ClassID cls, const std::vector<UID>& items, const LayoutParams& params) {
  std::vector<UID> made;
  if (LayoutCmdUtils::Process(cls, db, items, params, &made) != kSuccess || made.size() != 1) {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    return kInvalidUID;
  }
  return made[0];
}

UID FirstLabelled(IDataBase* db, const std::vector<UID>& items, const WideString& name) {
  for (UID uid : items) {
    auto item = Instantiate<IPageItem>(db, uid);
    if (item && item->GetLabels().label == name) return uid;
  }
  return kInvalidUID;
}

// Every item of `spread`, groups' members after their groups.
std::vector<UID> SpreadTree(IDataBase* db, UID spread) {
  std::vector<UID> all;
  for (UID top : LayoutUtils::ItemsOfSpread(db, spread)) {
    std::vector<UID> tree = LayoutUtils::ItemTree(db, top);
    all.insert(all.end(), tree.begin(), tree.end());
  }
  return all;
}

void AppendMasterItems(IDataBase* db, UID page, std::vector<UID>& items) {
  std::vector<UID> shown = LayoutUtils::MasterItemsShownOnPage(db, page);
  items.insert(items.end(), shown.begin(), shown.end());
}

std::vector<UID> SpreadWithMasters(IDataBase* db, UID spread) {
  std::vector<UID> items = SpreadTree(db, spread);
  if (auto data = Instantiate<ISpread>(db, spread)) {
    for (int32_t i = 0; i < data->CountPages(); ++i)
      AppendMasterItems(db, data->GetNthPage(i), items);
  }
  return items;
}

}  // namespace

UID FindLayer(const VyDocument& document, const WideString& name) {
  IDataBase* db = document.GetDataBase();
  auto layers = LayoutUtils::QueryLayerList(db);
  for (int32_t i = 0; layers && i < layers->CountLayers(); ++i) {
    UID layer = layers->GetNthLayer(i);
    auto data = Instantiate<IDocumentLayer>(db, layer);
    if (data && data->GetName() == name) return layer;
  }
  return kInvalidUID;
}

UID CreateLayer(const VyDocument& document, const WideString& name) {
  return FirstMade(document.GetDataBase(), kNewLayerCmdBoss, {}, {.name = name});
}

UID ActiveLayer(const VyDocument& document) {
  auto layers = LayoutUtils::QueryLayerList(document.GetDataBase());
  return layers ? layers->GetActiveLayer() : kInvalidUID;
}

UID GroupBoxes(const VyDocument& document, const std::vector<UID>& boxes) {
  return boxes.empty() ? kInvalidUID : FirstMade(document.GetDataBase(), kGroupItemsCmdBoss, boxes, {});
}

UID FindBoxByLabel(const VyDocument& document, const WideString& name, LabelScope scope, UID frame) {
  IDataBase* db = document.GetDataBase();
  if (scope == LabelScope::kPage) {
    UID page = LayoutUtils::PageOfItem(db, frame);
    if (!page.IsValid()) return kInvalidUID;
    std::vector<UID> items = LayoutUtils::ItemsOnPage(db, page);
    AppendMasterItems(db, page, items);
    return FirstLabelled(db, items, name);
  }
  if (scope == LabelScope::kSpread)
    return FirstLabelled(db, SpreadWithMasters(db, LayoutUtils::SpreadOfItem(db, frame)), name);
  for (int32_t i = 0; i < LayoutUtils::QuerySpreadList(db)->CountSpreads(); ++i) {
    UID found = FirstLabelled(db, SpreadWithMasters(db, document.SpreadAt(i)), name);
    if (found.IsValid()) return found;
  }
  return kInvalidUID;
}

K2ChildItemIterator::K2ChildItemIterator(const VyDocument& document, UID item)
    : K2PageItemListIterator([&] {
        auto hierarchy = Instantiate<IHierarchy>(document.GetDataBase(), item);
        return hierarchy ? hierarchy->GetChildren() : std::vector<UID>();
      }()) {}

}  // namespace kesto
