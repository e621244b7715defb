// Pages and spreads.
#include "host/layout/PageCmds.h"

#include <algorithm>

#include "host/cmd/CmdUtils.h"
#include "host/layout/LayoutEdits.h"

namespace {

constexpr int32_t kMaxInsertedPages = 9999;

std::string Number(int64_t n) {
  return std::to_string(n);
}

// A page as the user numbers it: "page 3" (1 = the document's first), "master page B:2", "object 40".
std::string PageName(IDataBase* db, UID page) {
  auto p = Instantiate<IPage>(db, page);
  auto master = Instantiate<IMasterSpread>(db, p ? p->GetSpread() : kInvalidUID);
  if (master)
    return "master page " + Utf8FromWide(master->GetPrefix()) + ":" +
           Number(Instantiate<ISpread>(db, p->GetSpread())->IndexOfPage(page) + 1);
  int32_t index = LayoutUtils::PageIndexOf(db, page);
  return index >= 0 ? "page " + Number(index + 1) : "object " + Number(page.Get());
}

std::string SpreadName(IDataBase* db, UID spread) {
  return "spread " + Number(LayoutUtils::QuerySpreadList(db)->IndexOfSpread(spread) + 1);
}

// Why `spread` cannot hold `pages` pages `width` points wide in all; empty when it can.
std::string SpreadFault(IDataBase* db, UID spread, int64_t pages, double width) {
  if (pages > kMaxPagesPerSpread)
    return SpreadName(db, spread) + " would hold " + Number(pages) + " pages; a spread holds at most " +
           Number(kMaxPagesPerSpread);
  if (width > kMaxCoordinate)
    return SpreadName(db, spread) + " would be " + Number(static_cast<int64_t>(width)) +
           " pt wide, beyond the coordinate limit of " + Number(static_cast<int64_t>(kMaxCoordinate)) + " pt";
  return {};
}

// Why a page cannot go at `position` of a spread holding `count` pages; empty when it can.
std::string PositionFault(int32_t position, int32_t count) {
  if (position >= -1 && position <= count) return {};
  return "page position " + Number(position) + " is not between 0 and " + Number(count);
}

bool IsDocumentPage(IDataBase* db, UID page) {
  auto p = Instantiate<IPage>(db, page);
  auto spreads = LayoutUtils::QuerySpreadList(db);
  return p && spreads && spreads->IndexOfSpread(p->GetSpread()) >= 0;
}

bool IsMasterOrNone(IDataBase* db, UID master) {
  return !master.IsValid() || LayoutUtils::IsMasterSpread(db, master);
}

// The size of the page next to `position` in `spread` (before it, else at it), else the setup's.
std::pair<double, double> NeighbourSize(IDataBase* db, const ISpread& spread, int32_t position) {
  int32_t count = spread.CountPages();
  int32_t at = position < 0 || position > count ? count : position;
  UID neighbour = spread.GetNthPage(at > 0 ? at - 1 : 0);
  if (auto page = Instantiate<IPage>(db, neighbour)) return {page->GetWidth(), page->GetHeight()};
  const PageSetupValues& setup = LayoutUtils::QueryPageSetup(db)->Get();
  return {setup.pageWidth, setup.pageHeight};
}

// Why `pages` cannot be deleted or moved as document pages; empty when they can.
std::string PagesFault(IDataBase* db, const std::vector<UID>& pages) {
  for (UID page : pages) {
    if (!IsDocumentPage(db, page)) return PageName(db, page) + " is no document page";
    if (std::count(pages.begin(), pages.end(), page) > 1) return PageName(db, page) + " is given twice";
  }
  return {};
}

// Spreads of `spreads` left with neither pages nor items are deleted.
ErrorCode DeleteEmptySpreads(IDataBase* db, const std::vector<UID>& spreads) {
  for (UID spreadUID : spreads) {
    auto spread = Instantiate<ISpread>(db, spreadUID);
    if (spread && spread->CountPages() == 0 && LayoutUtils::ItemsOfSpread(db, spreadUID).empty()) {
      if (ErrorCode err = LayoutEdits::DeleteSpread(db, spreadUID); err != kSuccess) return err;
    }
  }
  return kSuccess;
}

}  // namespace

std::string PageSizeFault(double width, double height) {
  auto fits = [](double v) { return IsValidCoordinate(v) && v >= 1; };
  if (fits(width) && fits(height)) return {};
  return "a page is 1 to " + Number(static_cast<int64_t>(kMaxCoordinate)) + " pt wide and high";
}

void InsertPagesCmd::Do() {
  IDataBase* db = DataBase();
  const LayoutParams& p = Params();
  auto spreads = LayoutUtils::QuerySpreadList(db);
  auto spread = Instantiate<ISpread>(db, p.target);
  if (!spreads || !spread || spreads->IndexOfSpread(p.target) < 0)
    return Refuse("pages are inserted into document spreads only");
  if (p.count < 1 || p.count > kMaxInsertedPages)
    return Refuse("the page count " + Number(p.count) + " is not between 1 and " + Number(kMaxInsertedPages));
  if (std::string fault = PositionFault(p.position, spread->CountPages()); !fault.empty())
    return Refuse(fault);
  if (!IsMasterOrNone(db, p.second)) return Refuse("the new pages' master is no master spread");
  auto [width, height] = NeighbourSize(db, *spread, p.position);
  if (p.width != 0) width = p.width;
  if (p.height != 0) height = p.height;
  if (std::string fault = PageSizeFault(width, height); !fault.empty()) return Refuse(fault);
  // Redistributed pages go on to other spreads, each holding the setup's count; otherwise they stay here.
  std::string fault = p.flag ? std::string()
                             : SpreadFault(db, p.target, int64_t{spread->CountPages()} + p.count,
                                           LayoutUtils::SpreadBounds(db, p.target).Width() + p.count * width);
  if (!fault.empty()) return Refuse(fault);
  int32_t at = p.position < 0 ? spread->CountPages() : p.position;
  LayoutEdits::ItemsFollowPages follow(db, {p.target});
  std::vector<UID> made;
  for (int32_t i = 0; i < p.count; ++i)
    made.push_back(LayoutEdits::NewPage(db, p.target, at + i, width, height, p.second));
  follow.Apply();
  SetItemList(UIDList(db, made));
  Note(IID_ISPREADCHANGES, {.what = kPagesInsertedChange, .items = made, .target = p.target, .position = at});
  if (!p.flag) return;
  InterfacePtr<ICommand> shuffle = CmdUtils::CreateCommand(kShufflePagesCmdBoss);
  if (!shuffle) return Fail(kFailure);
  shuffle->SetTargetDataBase(db);
  InterfacePtr<ILayoutCmdData>(shuffle, UseDefaultIID())->Params().position =
      spreads->IndexOfSpread(p.target);
  (void)CmdUtils::ProcessCommand(shuffle.get());
}

void NewSpreadCmd::Do() {
  IDataBase* db = DataBase();
  const LayoutParams& p = Params();
  auto spreads = LayoutUtils::QuerySpreadList(db);
  if (!spreads) return Fail();
  if (p.position < -1 || p.position > spreads->CountSpreads())
    return Refuse("a new spread goes at spread 1 to " + Number(spreads->CountSpreads() + 1) + ", not " +
                  Number(p.position + 1));
  if (p.count < 1 || p.count > kMaxPagesPerSpread)
    return Refuse("a spread holds 1 to " + Number(kMaxPagesPerSpread) + " pages, not " + Number(p.count));
  if (!IsMasterOrNone(db, p.second)) return Refuse("the new pages' master is no master spread");
  const PageSetupValues& setup = LayoutUtils::QueryPageSetup(db)->Get();
  double width = p.width != 0 ? p.width : setup.pageWidth;
  if (std::string fault = PageSizeFault(width, p.height != 0 ? p.height : setup.pageHeight); !fault.empty())
    return Refuse(fault);
  if (p.count * width > kMaxCoordinate)
    return Refuse("the new spread would be " + Number(static_cast<int64_t>(p.count * width)) +
                  " pt wide, beyond the coordinate limit of " + Number(static_cast<int64_t>(kMaxCoordinate)) +
                  " pt");
  UID spread = LayoutEdits::NewSpread(db, false, p.position);
  for (int32_t i = 0; i < p.count; ++i)
    LayoutEdits::NewPage(db, spread, -1, p.width, p.height, p.second);
  SetItemList(UIDList(db, {spread}));
}

void DeletePagesCmd::Do() {
  IDataBase* db = DataBase();
  std::vector<UID> pages = Items();
  if (pages.empty()) return Fail();
  if (std::string fault = PagesFault(db, pages); !fault.empty()) return Refuse(fault);
  if (static_cast<int32_t>(pages.size()) >= LayoutUtils::CountPages(db))
    return Refuse("a document keeps at least one page");
  std::vector<UID> spreads;
  LayoutEdits::Deleted deleted;
  for (UID page : pages) {
    UID spread = Instantiate<IPage>(db, page)->GetSpread();
    if (std::find(spreads.begin(), spreads.end(), spread) == spreads.end()) spreads.push_back(spread);
    for (UID item : LayoutUtils::ItemsOnPage(db, page)) {
      if (ErrorCode err = LayoutEdits::DeleteItem(db, item, deleted); err != kSuccess) return Fail(err);
    }
  }
  LayoutEdits::ItemsFollowPages follow(db, spreads);
  auto sections = LayoutUtils::QuerySectionList(db);
  std::vector<Section> kept;
  for (const Section& s : sections->GetSections()) {
    if (std::find(pages.begin(), pages.end(), s.firstPage) == pages.end()) kept.push_back(s);
  }
  sections->SetSections(std::move(kept));
  for (UID page : pages) {
    Instantiate<ISpread>(db, Instantiate<IPage>(db, page)->GetSpread())->RemovePage(page);
    if (ErrorCode err = db->DeleteObject(page); err != kSuccess) return Fail(err);
  }
  follow.Apply();
  if (ErrorCode err = DeleteEmptySpreads(db, spreads); err != kSuccess) return Fail(err);
  for (UID frameList : deleted.frameLists)
    Note(IID_IFRAMELIST, {.what = kFrameListChange, .target = frameList});
  if (!deleted.stories.empty())
    Note(IID_ISTORYCHANGES, {.what = kStoryGivenUpChange, .items = deleted.stories});
  Note(IID_ISPREADCHANGES, {.what = kPagesDeletedChange, .items = pages, .others = spreads});
}

void MovePagesCmd::Do() {
  IDataBase* db = DataBase();
  const LayoutParams& p = Params();
  auto spreads = LayoutUtils::QuerySpreadList(db);
  auto target = Instantiate<ISpread>(db, p.target);
  std::vector<UID> pages = Items();
  if (!target || spreads->IndexOfSpread(p.target) < 0) return Refuse("pages move to document spreads only");
  if (pages.empty()) return Fail();
  if (std::string fault = PagesFault(db, pages); !fault.empty()) return Refuse(fault);
  std::vector<UID> affected{p.target};
  int32_t remaining = target->CountPages();
  double width = LayoutUtils::SpreadBounds(db, p.target).Width();
  for (UID page : pages) {
    UID spread = Instantiate<IPage>(db, page)->GetSpread();
    if (std::find(affected.begin(), affected.end(), spread) == affected.end()) affected.push_back(spread);
    bool there = spread == p.target;
    remaining -= there ? 1 : 0;
    width += there ? 0 : Instantiate<IPage>(db, page)->GetWidth();
  }
  if (std::string fault = PositionFault(p.position, remaining); !fault.empty()) return Refuse(fault);
  if (std::string fault =
          SpreadFault(db, p.target, int64_t{remaining} + static_cast<int64_t>(pages.size()), width);
      !fault.empty())
    return Refuse(fault);
  LayoutEdits::ItemsFollowPages follow(db, affected);
  for (UID page : pages)
    Instantiate<ISpread>(db, Instantiate<IPage>(db, page)->GetSpread())->RemovePage(page);
  int32_t at = p.position < 0 ? target->CountPages() : p.position;
  for (UID page : pages) {
    target->InsertPage(page, at++);
    Instantiate<IPage>(db, page)->SetSpread(p.target);
  }
  follow.Apply();
  affected.erase(affected.begin());
  if (ErrorCode err = DeleteEmptySpreads(db, affected); err != kSuccess) return Fail(err);
  Note(IID_ISPREADCHANGES,
       {.what = kPagesMovedChange, .items = pages, .target = p.target, .position = p.position});
}

void ShufflePagesCmd::Do() {
  IDataBase* db = DataBase();
  auto spreads = LayoutUtils::QuerySpreadList(db);
  int32_t from = Params().position;
  if (!spreads || from < 0 || from >= spreads->CountSpreads()) return Fail();
  std::vector<UID> shuffled;
  if (ErrorCode err = LayoutEdits::Redistribute(db, from, shuffled); err != kSuccess) return Fail(err);
  SetItemList(UIDList(db, shuffled));
  Note(IID_ISPREADCHANGES, {.what = kPagesShuffledChange, .items = shuffled, .position = from});
}

void SetPagePositionCmd::Do() {
  IDataBase* db = DataBase();
  int32_t position = Params().position;
  if (GetItemList().empty()) return Fail();
  for (UID uid : Items()) {
    auto spread = Instantiate<ISpread>(db, uid);
    if (!spread || position < -1 || position > spread->CountPages()) return Fail();
  }
  for (UID uid : Items()) {
    auto spread = Instantiate<ISpread>(db, uid);
    MainChange().position = spread->GetPagePosition();  // the old value, for observers
    spread->SetPagePosition(position);
  }
}

void NewSectionCmd::Do() {
  IDataBase* db = DataBase();
  const LayoutParams& p = Params();
  auto sections = LayoutUtils::QuerySectionList(db);
  if (!sections) return Fail();
  if (!IsDocumentPage(db, p.target)) return Refuse("sections start on document pages only");
  std::vector<Section> list = sections->GetSections();
  std::erase_if(list, [&](const Section& s) { return s.firstPage == p.target; });
  list.push_back({p.target, p.name});
  std::sort(list.begin(), list.end(), [&](const Section& a, const Section& b) {
    return LayoutUtils::PageIndexOf(db, a.firstPage) < LayoutUtils::PageIndexOf(db, b.firstPage);
  });
  sections->SetSections(std::move(list));
  MainChange().target = p.target;
}

void SetPageSetupCmd::Do() {
  auto setup = LayoutUtils::QueryPageSetup(DataBase());
  const LayoutParams& p = Params();
  if (!setup || *p.setup.Fault() != '\0') return Fail();
  setup->Set(p.setup);
  setup->SetLayoutSuspended(p.flag);
}
