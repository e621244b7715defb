// Masters, overrides and duplicated spreads.
#include "host/layout/MasterCmds.h"

#include <algorithm>
#include <unordered_set>

#include "host/core/ObjectModel.h"
#include "host/layout/LayoutEdits.h"

namespace {

// Whether basing `spread`'s pages on `master` would make `spread` its own master somewhere along the chain.
bool WouldCycle(IDataBase* db, UID spread, UID master) {
  std::vector<UID> todo{master};
  std::unordered_set<UID> seen;
  while (!todo.empty()) {
    UID at = todo.back();
    todo.pop_back();
    if (at == spread) return true;
    if (!at.IsValid() || !seen.insert(at).second) continue;
    auto s = Instantiate<ISpread>(db, at);
    for (int32_t i = 0; s && i < s->CountPages(); ++i)
      todo.push_back(Instantiate<IPage>(db, s->GetNthPage(i))->GetMasterSpread());
  }
  return false;
}

// Why basing the master spread `spread` on `master` is refused (see WouldCycle).
std::string CycleReason(IDataBase* db, UID spread, UID master) {
  auto name = [&](UID uid) { return Utf8FromWide(Instantiate<IMasterSpread>(db, uid)->GetFullName()); };
  if (spread == master) return "master " + name(spread) + " cannot be based on itself";
  return "master " + name(spread) + " would be based on itself through master " + name(master);
}

bool IsMasterOrNone(IDataBase* db, UID master) {
  return !master.IsValid() || LayoutUtils::IsMasterSpread(db, master);
}

bool PrefixTaken(IDataBase* db, const WideString& prefix) {
  auto spreads = LayoutUtils::QuerySpreadList(db);
  for (int32_t i = 0; i < spreads->CountMasterSpreads(); ++i) {
    if (Instantiate<IMasterSpread>(db, spreads->GetNthMasterSpread(i))->GetPrefix() == prefix) return true;
  }
  return false;
}

WideString FreePrefix(IDataBase* db) {
  for (char16_t c = u'A'; c <= u'Z'; ++c) {
    if (!PrefixTaken(db, WideString(1, c))) return WideString(1, c);
  }
  for (int n = 1;; ++n) {
    WideString prefix = WideFromUtf8("M" + std::to_string(n));
    if (!PrefixTaken(db, prefix)) return prefix;
  }
}

// The copies of the item tree of `original` made by `copier`, matched up with their originals.
void MarkOverrides(IDataBase* db, const LayoutEdits::ItemCopier& copier, size_t from) {
  for (size_t i = from; i < copier.Copies().size(); ++i)
    Instantiate<IPageItem>(db, copier.Copies()[i])->SetOverrideOf(copier.Originals()[i]);
}

// Drops the overrides of `page` whose master items its master chain no longer shows (after it got another
// master): the local copies stay as plain items of the page, so that nothing on it moves or goes, and
// observers can tell copies of the old master's items from copies of the new one's. Appends what was dropped
// to `released`.
void ReleaseForeignOverrides(IDataBase* db, UID uid, std::vector<OverrideEntry>& released) {
  auto page = Instantiate<IPage>(db, uid);
  std::unordered_set<UID> chain;
  for (UID master : LayoutUtils::MasterChain(db, uid))
    chain.insert(Instantiate<IPage>(db, master)->GetSpread());
  std::vector<OverrideEntry> kept;
  for (const OverrideEntry& e : page->GetOverrides()) {
    if (chain.count(LayoutUtils::SpreadOfItem(db, e.masterItem))) {
      kept.push_back(e);
      continue;
    }
    Instantiate<IPageItem>(db, e.localItem)->SetOverrideOf(kInvalidUID);
    released.push_back(e);
  }
  if (kept.size() != page->GetOverrides().size()) page->SetOverrides(std::move(kept));
}

}  // namespace

void ApplyMasterCmd::Do() {
  IDataBase* db = DataBase();
  UID master = Params().target;
  if (GetItemList().empty() || !IsMasterOrNone(db, master)) return Fail();
  for (UID uid : Items()) {
    auto page = Instantiate<IPage>(db, uid);
    if (!page) return Fail();
    if (WouldCycle(db, page->GetSpread(), master)) return Refuse(CycleReason(db, page->GetSpread(), master));
  }
  std::vector<OverrideEntry> released;
  for (UID uid : Items()) {
    auto page = Instantiate<IPage>(db, uid);
    if (page->GetMasterSpread() == master) continue;
    page->SetMasterSpread(master);
    ReleaseForeignOverrides(db, uid, released);
  }
  MainChange().target = master;
  MainChange().overrides = std::move(released);
}

void NewMasterCmd::Do() {
  IDataBase* db = DataBase();
  const LayoutParams& p = Params();
  auto spreads = LayoutUtils::QuerySpreadList(db);
  if (!spreads || p.prefix.empty() || !IsMasterOrNone(db, p.second)) return Fail();
  if (PrefixTaken(db, p.prefix))
    return Refuse("a master with the prefix '" + Utf8FromWide(p.prefix) + "' exists already");
  if (p.position < -1 || p.position > spreads->CountMasterSpreads() || p.count > kMaxPagesPerSpread)
    return Fail();
  UID spread = LayoutEdits::NewSpread(db, true, p.position);
  Instantiate<IMasterSpread>(db, spread)->SetPrefixAndName(p.prefix, p.name);
  int32_t count = p.count >= 1 ? p.count : LayoutUtils::QueryPageSetup(db)->Get().pagesPerSpread;
  for (int32_t i = 0; i < count; ++i)
    LayoutEdits::NewPage(db, spread, -1, 0, 0, p.second);
  SetItemList(UIDList(db, {spread}));
}

void SetMasterOfMasterCmd::Do() {
  IDataBase* db = DataBase();
  UID master = Params().target;
  if (GetItemList().empty() || !IsMasterOrNone(db, master)) return Fail();
  for (UID uid : Items()) {
    if (!LayoutUtils::IsMasterSpread(db, uid)) return Fail();
    if (WouldCycle(db, uid, master)) return Refuse(CycleReason(db, uid, master));
  }
  for (UID uid : Items()) {
    auto spread = Instantiate<ISpread>(db, uid);
    for (int32_t i = 0; i < spread->CountPages(); ++i)
      Instantiate<IPage>(db, spread->GetNthPage(i))->SetMasterSpread(master);
  }
  MainChange().target = master;
}

void OverrideMasterItemsCmd::Do() {
  IDataBase* db = DataBase();
  const std::vector<UID>& pages = Params().pages;
  std::vector<UID> items = Items();
  if (!ItemsArePageItems(true) || pages.empty() || (pages.size() != 1 && pages.size() != items.size()))
    return Fail();
  LayoutEdits::ItemCopier copier(db, LayoutEdits::ItemCopier::Text::kShownText);
  std::vector<UID> made;
  std::vector<OverrideEntry> entries;
  for (size_t i = 0; i < items.size(); ++i) {
    UID pageUID = pages[pages.size() == 1 ? 0 : i];
    auto page = Instantiate<IPage>(db, pageUID);
    if (!page) return Fail();
    UID masterPage = LayoutUtils::PageOfItem(db, items[i]);
    std::vector<UID> chain = LayoutUtils::MasterChain(db, pageUID);
    auto layer = Instantiate<ISpreadLayer>(db, Instantiate<IHierarchy>(db, items[i])->GetParent());
    if (!layer || std::find(chain.begin(), chain.end(), masterPage) == chain.end())
      return Refuse("item " + std::to_string(items[i].Get()) + " is no master item the page shows");
    const auto& overrides = page->GetOverrides();
    if (std::any_of(overrides.begin(), overrides.end(),
                    [&](const OverrideEntry& e) { return e.masterItem == items[i]; }))
      continue;
    UID parent = LayoutUtils::SpreadLayerFor(db, page->GetSpread(), layer->GetDocumentLayer());
    double dx = LayoutUtils::PageBoundsInSpread(db, pageUID).left -
                LayoutUtils::PageBoundsInSpread(db, masterPage).left;
    size_t first = copier.Copies().size();
    UID copy;
    if (ErrorCode err = copier.Copy(items[i], parent, -1, dx, 0, copy); err != kSuccess) return Fail(err);
    MarkOverrides(db, copier, first);
    std::vector<OverrideEntry> list = page->GetOverrides();
    list.push_back({items[i], copy});
    page->SetOverrides(std::move(list));
    entries.push_back({items[i], copy});
    made.push_back(copy);
  }
  if (ErrorCode err = copier.Finish(); err != kSuccess) return Fail(err);
  SetItemList(UIDList(db, made));
  NoteCopies(copier.Stories(), copier.Copies(), copier.Originals());
  Note(IID_IMASTERCHANGES, {.what = kMasterItemsOverriddenChange, .items = made, .overrides = entries});
  MainChange().overrides = entries;
}

void RevertOverridesCmd::Do() {
  IDataBase* db = DataBase();
  if (GetItemList().empty()) return Fail();
  std::vector<OverrideEntry> reverted;
  for (UID uid : Items()) {
    if (auto page = Instantiate<IPage>(db, uid)) {
      reverted.insert(reverted.end(), page->GetOverrides().begin(), page->GetOverrides().end());
      continue;
    }
    auto item = Instantiate<IPageItem>(db, uid);
    auto page = Instantiate<IPage>(db, LayoutUtils::PageOfItem(db, uid));
    if (!item || !page) return Fail();
    const auto& list = page->GetOverrides();
    auto it =
        std::find_if(list.begin(), list.end(), [&](const OverrideEntry& e) { return e.localItem == uid; });
    if (it == list.end())
      return Refuse("item " + std::to_string(uid.Get()) + " is no overridden master item");
    reverted.push_back(*it);
  }
  LayoutEdits::Deleted deleted;
  for (const OverrideEntry& e : reverted) {
    if (!db->IsValidUID(e.localItem)) continue;
    if (ErrorCode err = LayoutEdits::DeleteItem(db, e.localItem, deleted); err != kSuccess) return Fail(err);
  }
  if (!deleted.stories.empty())
    Note(IID_ISTORYCHANGES, {.what = kStoryGivenUpChange, .items = deleted.stories});
  for (UID frameList : deleted.frameLists)
    Note(IID_IFRAMELIST, {.what = kFrameListChange, .target = frameList});
  MainChange().overrides = reverted;
}

void DuplicateSpreadCmd::Do() {
  IDataBase* db = DataBase();
  bool master = GetClass(this) == kDuplicateMasterSpreadCmdBoss;
  auto spreads = LayoutUtils::QuerySpreadList(db);
  if (GetItemList().size() != 1 || !spreads) return Fail();
  UID originalUID = Items()[0];
  int32_t index = master ? spreads->IndexOfMasterSpread(originalUID) : spreads->IndexOfSpread(originalUID);
  int32_t count = master ? spreads->CountMasterSpreads() : spreads->CountSpreads();
  int32_t position = Params().position;
  if (index < 0 || position < -1 || position > count) return Fail();
  UID copyUID = LayoutEdits::NewSpread(db, master, position < 0 ? index + 1 : position);
  auto original = Instantiate<ISpread>(db, originalUID);
  if (master) {
    auto from = Instantiate<IMasterSpread>(db, originalUID);
    Instantiate<IMasterSpread>(db, copyUID)->SetPrefixAndName(FreePrefix(db), from->GetName());
  }
  std::vector<std::pair<UID, UID>> pagePairs;
  for (int32_t i = 0; i < original->CountPages(); ++i) {
    auto page = Instantiate<IPage>(db, original->GetNthPage(i));
    UID made =
        LayoutEdits::NewPage(db, copyUID, -1, page->GetWidth(), page->GetHeight(), page->GetMasterSpread());
    auto copy = Instantiate<IPage>(db, made);
    copy->SetMargins(page->GetMargins());
    copy->SetColumns(page->GetColumns(), page->GetGutter());
    pagePairs.emplace_back(original->GetNthPage(i), made);
  }
  LayoutEdits::ItemCopier copier(db);
  for (UID item : LayoutUtils::ItemsOfSpread(db, originalUID)) {
    auto layer = Instantiate<ISpreadLayer>(db, Instantiate<IHierarchy>(db, item)->GetParent());
    UID parent = LayoutUtils::SpreadLayerFor(db, copyUID, layer->GetDocumentLayer());
    UID copy;
    if (ErrorCode err = copier.Copy(item, parent, -1, 0, 0, copy); err != kSuccess) return Fail(err);
  }
  if (ErrorCode err = copier.Finish(); err != kSuccess) return Fail(err);
  for (const auto& [from, to] : pagePairs) {
    std::vector<OverrideEntry> entries;
    for (const OverrideEntry& e : Instantiate<IPage>(db, from)->GetOverrides()) {
      const auto& originals = copier.Originals();
      auto at = std::find(originals.begin(), originals.end(), e.localItem);
      if (at == originals.end()) continue;
      UID local = copier.Copies()[static_cast<size_t>(at - originals.begin())];
      Instantiate<IPageItem>(db, local)->SetOverrideOf(e.masterItem);
      entries.push_back({e.masterItem, local});
    }
    Instantiate<IPage>(db, to)->SetOverrides(std::move(entries));
  }
  SetItemList(UIDList(db, {copyUID}));
  MainChange().others = {originalUID};
  NoteCopies(copier.Stories(), copier.Copies(), copier.Originals());
}
