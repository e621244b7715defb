// Pages, spreads and masters of the document an import fills.
#include "kesto/layout/VyDocument.h"

#include <vector>

#include "host/cmd/ErrorUtils.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/LayoutUtils.h"

namespace kesto {

VyRef<VyDocument> VyDocument::Make(IDataBase* db) {
  return db ? VyRef<VyDocument>(new VyDocument(db)) : VyRef<VyDocument>();
}

int32_t VyDocument::PageCount() const {
  return LayoutUtils::CountPages(db_);
}

int32_t VyDocument::MasterCount() const {
  auto spreads = LayoutUtils::QuerySpreadList(db_);
  return spreads ? spreads->CountMasterSpreads() : 0;
}

int32_t VyDocument::FindMaster(const WideString& name) const {
  auto spreads = LayoutUtils::QuerySpreadList(db_);
  for (int32_t i = spreads ? spreads->CountMasterSpreads() - 1 : -1; i >= 0; --i) {
    auto master = Instantiate<IMasterSpread>(db_, spreads->GetNthMasterSpread(i));
    if (!master) continue;
    if (LayoutUtils::SameIgnoringCase(master->GetPrefix(), name) ||
        LayoutUtils::SameIgnoringCase(master->GetFullName(), name))
      return i;
  }
  return -1;
}

int32_t VyDocument::PageIndexOf(UID page) const {
  return LayoutUtils::PageIndexOf(db_, page);
}

int32_t VyDocument::PageIndexOfItem(UID item) const {
  UID page = LayoutUtils::PageOfItem(db_, item);
  return page.IsValid() ? PageIndexOf(page) : -1;
}

int32_t VyDocument::SpreadIndexOf(UID spread) const {
  return LayoutUtils::SpreadIndexOf(db_, spread);
}

int32_t VyDocument::SpreadIndexOfItem(UID item) const {
  UID spread = LayoutUtils::SpreadOfItem(db_, item);
  return spread.IsValid() ? SpreadIndexOf(spread) : -1;
}

UID VyDocument::PageAt(int32_t pageIndex) const {
  return pageIndex < 0 ? kInvalidUID : LayoutUtils::PageAt(db_, pageIndex);
}

UID VyDocument::SpreadAt(int32_t spreadIndex) const {
  return spreadIndex < 0 ? kInvalidUID : LayoutUtils::SpreadAt(db_, spreadIndex);
}

PMRect VyDocument::SpreadBoundsAt(int32_t spreadIndex) const {
  UID spread = SpreadAt(spreadIndex);
  if (!spread.IsValid()) return {};
  PMRect bounds = LayoutUtils::SpreadBounds(db_, spread);
  return {0, 0, bounds.Width(), bounds.Height()};
}

PMRect VyDocument::PageToSpreadBounds(const PMRect& rect, int32_t pageIndex) const {
  UID page = PageAt(pageIndex);
  return page.IsValid() ? LayoutUtils::PageToSpread(db_, rect, page) : rect;
}

PMRect VyDocument::SpreadToPageBounds(const PMRect& rect, int32_t pageIndex) const {
  UID page = PageAt(pageIndex);
  return page.IsValid() ? LayoutUtils::SpreadToPage(db_, rect, page) : rect;
}

int32_t VyDocument::ApplyMaster(int32_t pageIndex, int32_t masterIndex, bool pageOnly, bool onlyOnChange,
                                LastAppliedMaster* memory) const {
  if (pageIndex < 0 || pageIndex >= PageCount()) return kNoSuchPage;
  UID page = PageAt(pageIndex);
  auto pageData = Instantiate<IPage>(db_, page);
  if (!pageData) return kNoSuchPage;
  UID spread = pageData->GetSpread();
  if (memory) {
    LastAppliedMaster old = *memory;
    *memory = {page, spread};
    if (onlyOnChange && (pageOnly ? old.page == page : old.spread == spread)) return kApplied;
  }
  std::vector<UID> targets;
  if (pageOnly) {
    targets.push_back(page);
  } else if (auto spreadData = Instantiate<ISpread>(db_, spread)) {
    for (int32_t i = 0; i < spreadData->CountPages(); ++i)
      targets.push_back(spreadData->GetNthPage(i));
  }
  auto spreads = LayoutUtils::QuerySpreadList(db_);
  UID master = spreads && masterIndex >= 0 ? spreads->GetNthMasterSpread(masterIndex) : kInvalidUID;
  if (!master.IsValid()) return kHostRefused;
  std::erase_if(targets, [&](UID target) {
    auto data = Instantiate<IPage>(db_, target);
    return data && data->GetMasterSpread() == master;
  });
  int32_t result = kApplied;
  if (!targets.empty()) {
    LayoutParams params;
    params.target = master;
    if (LayoutCmdUtils::Process(kApplyMasterCmdBoss, db_, targets, params) != kSuccess) result = kHostRefused;
  }
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return result;
}

}  // namespace kesto
