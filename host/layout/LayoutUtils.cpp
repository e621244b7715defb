// Queries over a document's layout.
#include "host/layout/LayoutUtils.h"

#include <algorithm>
#include <unordered_set>

#include "host/core/Registry.h"
#include "host/layout/AnchorUtils.h"
#include "host/layout/LayoutIDs.h"
#include "host/text/IStoryList.h"

namespace LayoutUtils {
namespace {

// Deeper nesting than this is taken as a damaged hierarchy (a cycle) rather than followed.
constexpr int kMaxDepth = 64;

template <class T>
InterfacePtr<T> Query(const IDataBase* db, UID uid) {
  return db ? Instantiate<T>(db, uid) : InterfacePtr<T>();
}

template <class T>
InterfacePtr<T> QueryRoot(const IDataBase* db) {
  return db ? Instantiate<T>(db, db->GetRootUID()) : InterfacePtr<T>();
}

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

bool SameIgnoringCase(const WideString& a, const WideString& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char16_t x, char16_t y) { return Lower(x) == Lower(y); });
}

namespace {

// The page's x offset in its spread: the widths of the pages before it.
double PageOffset(const IDataBase* db, const ISpread& spread, UID page) {
  double x = 0;
  for (int32_t i = 0; i < spread.CountPages() && spread.GetNthPage(i) != page; ++i) {
    if (auto p = Query<IPage>(db, spread.GetNthPage(i))) x += p->GetWidth();
  }
  return x;
}

}  // namespace

InterfacePtr<ISpreadList> QuerySpreadList(const IDataBase* db) {
  return QueryRoot<ISpreadList>(db);
}
InterfacePtr<IPageSetup> QueryPageSetup(const IDataBase* db) {
  return QueryRoot<IPageSetup>(db);
}
InterfacePtr<ILayerList> QueryLayerList(const IDataBase* db) {
  return QueryRoot<ILayerList>(db);
}
InterfacePtr<ISectionList> QuerySectionList(const IDataBase* db) {
  return QueryRoot<ISectionList>(db);
}

std::vector<UID> DocumentPages(const IDataBase* db) {
  std::vector<UID> pages;
  auto spreads = QuerySpreadList(db);
  for (int32_t s = 0; spreads && s < spreads->CountSpreads(); ++s) {
    auto spread = Query<ISpread>(db, spreads->GetNthSpread(s));
    for (int32_t i = 0; spread && i < spread->CountPages(); ++i)
      pages.push_back(spread->GetNthPage(i));
  }
  return pages;
}

int32_t CountPages(const IDataBase* db) {
  return static_cast<int32_t>(DocumentPages(db).size());
}

UID PageAt(const IDataBase* db, int32_t index) {
  if (index < 0) return kInvalidUID;
  auto spreads = QuerySpreadList(db);
  if (!spreads) return kInvalidUID;
  for (bool master : {false, true}) {
    int32_t count = master ? spreads->CountMasterSpreads() : spreads->CountSpreads();
    for (int32_t s = 0; s < count; ++s) {
      auto spread = Query<ISpread>(db, master ? spreads->GetNthMasterSpread(s) : spreads->GetNthSpread(s));
      if (!spread) continue;
      if (index < spread->CountPages()) return spread->GetNthPage(index);
      index -= spread->CountPages();
    }
  }
  return kInvalidUID;
}

int32_t PageIndexOf(const IDataBase* db, UID page) {
  auto spreads = QuerySpreadList(db);
  if (!spreads || !page.IsValid()) return -1;
  int32_t running = 0;
  for (bool master : {false, true}) {
    int32_t count = master ? spreads->CountMasterSpreads() : spreads->CountSpreads();
    for (int32_t s = 0; s < count; ++s) {
      auto spread = Query<ISpread>(db, master ? spreads->GetNthMasterSpread(s) : spreads->GetNthSpread(s));
      if (!spread) continue;
      if (int32_t i = spread->IndexOfPage(page); i >= 0) return running + i;
      running += spread->CountPages();
    }
  }
  return -1;
}

UID SpreadAt(const IDataBase* db, int32_t index) {
  auto spreads = QuerySpreadList(db);
  if (!spreads || index < 0) return kInvalidUID;
  if (index < spreads->CountSpreads()) return spreads->GetNthSpread(index);
  return spreads->GetNthMasterSpread(index - spreads->CountSpreads());
}

int32_t SpreadIndexOf(const IDataBase* db, UID spread) {
  auto spreads = QuerySpreadList(db);
  if (!spreads || !spread.IsValid()) return -1;
  if (int32_t i = spreads->IndexOfSpread(spread); i >= 0) return i;
  int32_t m = spreads->IndexOfMasterSpread(spread);
  return m < 0 ? -1 : spreads->CountSpreads() + m;
}

bool IsMasterSpread(const IDataBase* db, UID spread) {
  return db && spread.IsValid() && db->GetClass(spread) == kMasterSpreadBoss;
}

bool IsPageItem(const IDataBase* db, UID uid) {
  return db && uid.IsValid() && db->IsValidUID(uid) && Registry::Get().IsA(db->GetClass(uid), kPageItemBoss);
}

bool IsTextFrame(const IDataBase* db, UID uid) {
  return db && uid.IsValid() && db->GetClass(uid) == kTextFrameBoss;
}

bool IsGroup(const IDataBase* db, UID uid) {
  return db && uid.IsValid() && db->GetClass(uid) == kGroupBoss;
}

PMRect PageBoundsInSpread(const IDataBase* db, UID page) {
  auto p = Query<IPage>(db, page);
  if (!p) return {};
  auto spread = Query<ISpread>(db, p->GetSpread());
  double x = spread ? PageOffset(db, *spread, page) : 0;
  return {x, 0, x + p->GetWidth(), p->GetHeight()};
}

PMRect SpreadBounds(const IDataBase* db, UID spread) {
  auto s = Query<ISpread>(db, spread);
  PMRect bounds;
  for (int32_t i = 0; s && i < s->CountPages(); ++i) {
    if (auto p = Query<IPage>(db, s->GetNthPage(i))) {
      bounds.right += p->GetWidth();
      bounds.bottom = std::max(bounds.bottom, p->GetHeight());
    }
  }
  return bounds;
}

PMRect MarginBoxInSpread(const IDataBase* db, UID page) {
  auto p = Query<IPage>(db, page);
  if (!p) return {};
  PMRect b = PageBoundsInSpread(db, page);
  const Margins& m = p->GetMargins();
  return {b.left + m.left, b.top + m.top, b.right - m.right, b.bottom - m.bottom};
}

PMRect PageToSpread(const IDataBase* db, const PMRect& rect, UID page) {
  if (!Query<IPage>(db, page)) return rect;
  PMRect b = PageBoundsInSpread(db, page);
  return rect.Moved(b.left, b.top);
}

PMRect SpreadToPage(const IDataBase* db, const PMRect& rect, UID page) {
  if (!Query<IPage>(db, page)) return rect;
  PMRect b = PageBoundsInSpread(db, page);
  return rect.Moved(-b.left, -b.top);
}

UID SpreadOfItem(const IDataBase* db, UID item) {
  UID at = item;
  for (int depth = 0; depth < kMaxDepth && at.IsValid(); ++depth) {
    ClassID cls = db ? db->GetClass(at) : kInvalidClass;
    if (cls == kSpreadBoss || cls == kMasterSpreadBoss) return depth == 0 ? kInvalidUID : at;
    auto node = Query<IHierarchy>(db, at);
    if (!node) return kInvalidUID;
    at = node->GetParent();
  }
  return kInvalidUID;
}

UID SpreadLayerOfItem(const IDataBase* db, UID item) {
  UID at = item;
  for (int depth = 0; depth < kMaxDepth && at.IsValid(); ++depth) {
    auto node = Query<IHierarchy>(db, at);
    if (!node) return kInvalidUID;
    if (depth > 0 && db->GetClass(at) == kSpreadLayerBoss) return at;
    at = node->GetParent();
  }
  return kInvalidUID;
}

UID PageOfItem(const IDataBase* db, UID item) {
  if (!IsPageItem(db, item)) return kInvalidUID;
  // The outermost group decides for everything inside it.
  UID top = item;
  for (int depth = 0; depth < kMaxDepth; ++depth) {
    auto node = Query<IHierarchy>(db, top);
    if (!node || !IsGroup(db, node->GetParent())) break;
    top = node->GetParent();
  }
  auto pageItem = Query<IPageItem>(db, top);
  auto spread = Query<ISpread>(db, SpreadOfItem(db, top));
  if (!pageItem || !spread) return kInvalidUID;
  PMPoint centre = pageItem->GetBounds().Center();
  for (int32_t i = 0; i < spread->CountPages(); ++i) {
    UID page = spread->GetNthPage(i);
    if (PageBoundsInSpread(db, page).Contains(centre)) return page;
  }
  return kInvalidUID;
}

UID SpreadLayerFor(const IDataBase* db, UID spread, UID layer) {
  auto node = Query<IHierarchy>(db, spread);
  if (!node) return kInvalidUID;
  for (UID child : node->GetChildren()) {
    if (auto spreadLayer = Query<ISpreadLayer>(db, child);
        spreadLayer && spreadLayer->GetDocumentLayer() == layer)
      return child;
  }
  return kInvalidUID;
}

std::vector<UID> ItemsOfSpread(const IDataBase* db, UID spread) {
  std::vector<UID> items;
  auto node = Query<IHierarchy>(db, spread);
  if (!node) return items;
  for (UID layer : node->GetChildren()) {
    if (auto layerNode = Query<IHierarchy>(db, layer))
      items.insert(items.end(), layerNode->GetChildren().begin(), layerNode->GetChildren().end());
  }
  return items;
}

std::vector<UID> ItemsOnPage(const IDataBase* db, UID page) {
  auto p = Query<IPage>(db, page);
  std::vector<UID> items;
  if (!p) return items;
  for (UID item : ItemsOfSpread(db, p->GetSpread())) {
    if (PageOfItem(db, item) == page) items.push_back(item);
  }
  return items;
}

std::vector<UID> ItemTree(const IDataBase* db, UID item) {
  std::vector<UID> tree{item};
  for (size_t i = 0; i < tree.size() && tree.size() < 1000000; ++i) {
    if (auto node = Query<IHierarchy>(db, tree[i]))
      tree.insert(tree.end(), node->GetChildren().begin(), node->GetChildren().end());
  }
  return tree;
}

int32_t ItemDepth(const IDataBase* db, UID item) {
  if (!IsPageItem(db, item)) return 0;
  int32_t depth = 1;
  for (auto node = Query<IHierarchy>(db, item);
       node && IsPageItem(db, node->GetParent()) && depth < kMaxDepth;
       node = Query<IHierarchy>(db, node->GetParent()))
    ++depth;
  return depth;
}

int32_t TreeHeight(const IDataBase* db, UID item) {
  int32_t height = 0;
  for (std::vector<UID> level{item}; !level.empty() && height < kMaxDepth; ++height) {
    std::vector<UID> below;
    for (UID uid : level) {
      if (auto node = Query<IHierarchy>(db, uid))
        below.insert(below.end(), node->GetChildren().begin(), node->GetChildren().end());
    }
    level = std::move(below);
  }
  return height;
}

UID TopOfItem(const IDataBase* db, UID item) {
  UID at = item;
  for (int depth = 0; depth < kMaxDepth; ++depth) {
    auto node = Query<IHierarchy>(db, at);
    if (!node || !node->GetParent().IsValid()) break;
    at = node->GetParent();
  }
  return at;
}

std::vector<UID> ItemsLabelled(const IDataBase* db, const WideString& label) {
  std::vector<UID> tops;
  for (int32_t i = 0; SpreadAt(db, i).IsValid(); ++i) {
    std::vector<UID> items = ItemsOfSpread(db, SpreadAt(db, i));
    tops.insert(tops.end(), items.begin(), items.end());
  }
  auto stories = QueryRoot<IStoryList>(db);
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    auto anchors = AnchorUtils::QueryAnchors(db, stories->GetNthStory(i));
    for (const Anchor& anchor : anchors ? anchors->GetAnchors() : std::vector<Anchor>())
      tops.push_back(anchor.item);
  }
  std::vector<UID> found;
  for (UID top : tops) {
    for (UID uid : ItemTree(db, top)) {
      auto item = Query<IPageItem>(db, uid);
      if (item && item->GetLabels().label == label) found.push_back(uid);
    }
  }
  return found;
}

std::string PlaceOfItem(const IDataBase* db, UID item) {
  UID top = TopOfItem(db, item);
  if (IsPageItem(db, top))
    return "anchored in story " + std::to_string(AnchorUtils::StoryOfItem(db, top).Get());
  UID spreadUID = SpreadOfItem(db, item);
  auto master = Query<IMasterSpread>(db, spreadUID);
  auto spread = Query<ISpread>(db, spreadUID);
  UID page = PageOfItem(db, item);
  if (!master) {
    return page.IsValid() ? "page " + std::to_string(PageIndexOf(db, page) + 1)
                          : "the pasteboard of spread " + std::to_string(SpreadIndexOf(db, spreadUID) + 1);
  }
  std::string prefix = Utf8FromWide(master->GetPrefix());
  if (!page.IsValid() || !spread) return "the pasteboard of master " + prefix;
  return "master page " + prefix + ":" + std::to_string(spread->IndexOfPage(page) + 1);
}

UID MasterPageOf(const IDataBase* db, UID page) {
  auto p = Query<IPage>(db, page);
  if (!p) return kInvalidUID;
  auto master = Query<ISpread>(db, p->GetMasterSpread());
  auto spread = Query<ISpread>(db, p->GetSpread());
  if (!master || !spread || master->CountPages() == 0) return kInvalidUID;
  int32_t position = std::max(spread->IndexOfPage(page), 0);
  return master->GetNthPage(std::min(position, master->CountPages() - 1));
}

std::vector<UID> MasterChain(const IDataBase* db, UID page) {
  std::vector<UID> chain;
  std::unordered_set<UID> seen{page};
  for (UID at = MasterPageOf(db, page); at.IsValid() && seen.insert(at).second; at = MasterPageOf(db, at))
    chain.push_back(at);
  return chain;
}

std::vector<UID> MasterItemsShownOnPage(const IDataBase* db, UID page) {
  std::vector<UID> chain = MasterChain(db, page);
  // Items overridden by a page nearer to `page` than the master page that holds them are hidden.
  std::vector<std::unordered_set<UID>> hiddenAt(chain.size());
  std::unordered_set<UID> hidden;
  std::vector<UID> nearer{page};
  for (size_t i = 0; i < chain.size(); ++i) {
    if (auto p = Query<IPage>(db, nearer.back())) {
      for (const OverrideEntry& e : p->GetOverrides())
        hidden.insert(e.masterItem);
    }
    hiddenAt[i] = hidden;
    nearer.push_back(chain[i]);
  }
  std::vector<UID> shown;
  for (size_t i = chain.size(); i-- > 0;) {
    for (UID item : ItemsOnPage(db, chain[i])) {
      if (!hiddenAt[i].contains(item)) shown.push_back(item);
    }
  }
  return shown;
}

std::vector<UID> PagesBasedOn(const IDataBase* db, UID masterSpread) {
  std::vector<UID> pages;
  auto spreads = QuerySpreadList(db);
  if (!spreads || !masterSpread.IsValid()) return pages;
  auto collect = [&](UID spreadUID) {
    auto spread = Query<ISpread>(db, spreadUID);
    for (int32_t i = 0; spread && i < spread->CountPages(); ++i) {
      auto page = Query<IPage>(db, spread->GetNthPage(i));
      if (page && page->GetMasterSpread() == masterSpread) pages.push_back(spread->GetNthPage(i));
    }
  };
  for (int32_t s = 0; s < spreads->CountSpreads(); ++s)
    collect(spreads->GetNthSpread(s));
  for (int32_t s = 0; s < spreads->CountMasterSpreads(); ++s)
    collect(spreads->GetNthMasterSpread(s));
  return pages;
}

UID FindMasterSpread(const IDataBase* db, const WideString& name) {
  auto spreads = QuerySpreadList(db);
  for (int32_t s = spreads ? spreads->CountMasterSpreads() : 0; s-- > 0;) {
    auto master = Query<IMasterSpread>(db, spreads->GetNthMasterSpread(s));
    if (master &&
        (SameIgnoringCase(master->GetPrefix(), name) || SameIgnoringCase(master->GetFullName(), name)))
      return spreads->GetNthMasterSpread(s);
  }
  return kInvalidUID;
}

UID BasedOnOf(const IDataBase* db, UID master) {
  auto spread = Query<ISpread>(db, master);
  auto page = spread ? Query<IPage>(db, spread->GetNthPage(0)) : InterfacePtr<IPage>();
  return page ? page->GetMasterSpread() : kInvalidUID;
}

std::vector<int32_t> SectionStarts(const IDataBase* db) {
  std::vector<int32_t> starts;
  if (CountPages(db) == 0) return starts;
  starts.push_back(0);
  if (auto sections = QuerySectionList(db)) {
    for (const Section& s : sections->GetSections()) {
      int32_t index = PageIndexOf(db, s.firstPage);
      if (index > 0 && index < CountPages(db)) starts.push_back(index);
    }
  }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  return starts;
}

int32_t SectionIndexOfPage(const IDataBase* db, UID page) {
  int32_t index = PageIndexOf(db, page);
  if (index < 0 || index >= CountPages(db)) return -1;
  std::vector<int32_t> starts = SectionStarts(db);
  return static_cast<int32_t>(std::upper_bound(starts.begin(), starts.end(), index) - starts.begin()) - 1;
}

int32_t PageNumber(const IDataBase* db, UID page) {
  int32_t section = SectionIndexOfPage(db, page);
  if (section < 0) return 0;
  return PageIndexOf(db, page) - SectionStarts(db)[static_cast<size_t>(section)] + 1;
}

UID FrameListOfFrame(const IDataBase* db, UID frame) {
  auto textFrame = Query<ITextFrame>(db, frame);
  return textFrame ? textFrame->GetFrameList() : kInvalidUID;
}

UID StoryOfFrame(const IDataBase* db, UID frame) {
  auto list = Query<IFrameList>(db, FrameListOfFrame(db, frame));
  return list ? list->GetStory() : kInvalidUID;
}

UID FrameListOfStory(const IDataBase* db, UID story) {
  auto frames = Query<IStoryFrames>(db, story);
  return frames ? frames->GetFrameList() : kInvalidUID;
}

int32_t FrameIndex(const IDataBase* db, UID frame) {
  auto list = Query<IFrameList>(db, FrameListOfFrame(db, frame));
  return list ? list->IndexOfFrame(frame) : -1;
}

}  // namespace LayoutUtils
