// LayoutUtils: queries over a document's layout, for the host and plug-ins. Every query answers "none"
// (kInvalidUID, -1, an empty list) for objects that are missing or of the wrong kind; none changes anything.
//
// Index spaces: page indexes 0 .. P-1 are the document pages in document order, P and above the pages of
// the master spreads, master spread by master spread, each in its page order. Spread indexes likewise:
// document spreads first, then master spreads.
#pragma once

#include <string>
#include <vector>

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"
#include "host/layout/Geometry.h"
#include "host/layout/IHierarchy.h"
#include "host/layout/ILayerList.h"
#include "host/layout/IPage.h"
#include "host/layout/IPageItem.h"
#include "host/layout/IPageSetup.h"
#include "host/layout/ISectionList.h"
#include "host/layout/ISpread.h"
#include "host/layout/ISpreadList.h"
#include "host/layout/ITextFrame.h"

namespace LayoutUtils {

InterfacePtr<ISpreadList> QuerySpreadList(const IDataBase* db);
InterfacePtr<IPageSetup> QueryPageSetup(const IDataBase* db);
InterfacePtr<ILayerList> QueryLayerList(const IDataBase* db);
InterfacePtr<ISectionList> QuerySectionList(const IDataBase* db);

// Document pages and spreads, and the two index spaces.
int32_t CountPages(const IDataBase* db);
std::vector<UID> DocumentPages(const IDataBase* db);
UID PageAt(const IDataBase* db, int32_t index);
int32_t PageIndexOf(const IDataBase* db, UID page);
UID SpreadAt(const IDataBase* db, int32_t index);
int32_t SpreadIndexOf(const IDataBase* db, UID spread);
bool IsMasterSpread(const IDataBase* db, UID spread);
bool IsPageItem(const IDataBase* db, UID uid);
bool IsTextFrame(const IDataBase* db, UID uid);
bool IsGroup(const IDataBase* db, UID uid);

// Coordinates. A spread's pages lie side by side from x = 0 with their tops at y = 0.
PMRect PageBoundsInSpread(const IDataBase* db, UID page);
// (0, 0, width of the pages, height of the tallest).
PMRect SpreadBounds(const IDataBase* db, UID spread);
// The margin box of a page in its spread's coordinates.
PMRect MarginBoxInSpread(const IDataBase* db, UID page);
// Converts between a page's coordinates (origin at its top-left) and its spread's; unchanged without a page.
PMRect PageToSpread(const IDataBase* db, const PMRect& rect, UID page);
PMRect SpreadToPage(const IDataBase* db, const PMRect& rect, UID page);

// Where an item lies. The page of an item is the page of its spread whose bounds contain the centre of the
// item's bounds (kInvalidUID: the pasteboard); items inside a group take the group's page.
UID SpreadOfItem(const IDataBase* db, UID item);
UID SpreadLayerOfItem(const IDataBase* db, UID item);
UID PageOfItem(const IDataBase* db, UID item);
// The spread layer of `spread` for the document layer `layer`.
UID SpreadLayerFor(const IDataBase* db, UID spread, UID layer);
// The top-level items (children of the spread's layers) lying on `page`, back to front, layer by layer.
std::vector<UID> ItemsOnPage(const IDataBase* db, UID page);
// Every top-level item of a spread, back to front, layer by layer.
std::vector<UID> ItemsOfSpread(const IDataBase* db, UID spread);
// `item` and everything below it, parents before children.
std::vector<UID> ItemTree(const IDataBase* db, UID item);
// How deep `item` lies (see kMaxItemDepth): 1 unless it is inside groups; 0 for no page item.
int32_t ItemDepth(const IDataBase* db, UID item);
// The levels of `item`'s tree: 1 for an item with nothing in it, 2 for a group of such items, and so on.
int32_t TreeHeight(const IDataBase* db, UID item);
// Every item labelled `label`: those of the spreads in document order (masters last), then those anchored in
// text, in story order.
std::vector<UID> ItemsLabelled(const IDataBase* db, const WideString& label);
// Where an item lies, in the words the command line uses for places: "page 2", "master page A:1", "the
// pasteboard of spread 3", "the pasteboard of master B", "anchored in story 12".
std::string PlaceOfItem(const IDataBase* db, UID item);
// The top of the hierarchy above `item`: its spread, or the item anchored in text that holds it (the item
// itself when it is anchored).
UID TopOfItem(const IDataBase* db, UID item);

// Masters.
// The master page `page` shows (page O of its master spread, or the last when O is beyond it); none
// without a master.
UID MasterPageOf(const IDataBase* db, UID page);
// The master page, its master page and so on; stops before a page met twice.
std::vector<UID> MasterChain(const IDataBase* db, UID page);
// The master items `page` shows, last to first along the chain (the far end's items first), each in its
// page's item order; items the page (or a master page nearer to it) overrides are left out.
std::vector<UID> MasterItemsShownOnPage(const IDataBase* db, UID page);
// Pages (document pages first, then master pages) based on `masterSpread`.
std::vector<UID> PagesBasedOn(const IDataBase* db, UID masterSpread);
// Whether two names are equal ignoring the case of ASCII letters (how master names are looked up).
bool SameIgnoringCase(const WideString& a, const WideString& b);
// The master spread whose prefix or full name is `name` ignoring case, the last such one; none otherwise.
UID FindMasterSpread(const IDataBase* db, const WideString& name);
// The master spread the pages of `master` are based on; none when they are based on none.
UID BasedOnOf(const IDataBase* db, UID master);

// Sections.
// Index of the section holding the document page `page`; -1 for none.
int32_t SectionIndexOfPage(const IDataBase* db, UID page);
// The first document page index of each section, ascending; the first is always 0 when there are pages.
std::vector<int32_t> SectionStarts(const IDataBase* db);
// The 1-based position of a document page in its section; 0 for none.
int32_t PageNumber(const IDataBase* db, UID page);

// Text frames and stories.
UID FrameListOfFrame(const IDataBase* db, UID frame);
UID StoryOfFrame(const IDataBase* db, UID frame);
UID FrameListOfStory(const IDataBase* db, UID story);
// The index of `frame` in its frame list; -1 for none.
int32_t FrameIndex(const IDataBase* db, UID frame);

}  // namespace LayoutUtils
