// VyDocument: the builder's handle on the document an import fills: counting and finding pages, spreads
// and master spreads, converting box bounds between a page's coordinates and its spread's, and applying
// master spreads while text flows in. It holds a counted reference of its own and nothing of the
// document but its database.
//
// Page indexes: 0 .. PageCount() - 1 are the document pages in document order, PageCount() and above the
// pages of the master spreads, master spread by master spread, each in its page order. Spread indexes
// likewise: document spreads first, then master spreads. Master indexes: positions in the document's
// master-spread list. -1 is "none" in all three.
#pragma once

#include <cstdint>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"
#include "host/layout/Geometry.h"
#include "kesto/model/VyRefCountedObject.h"

namespace kesto {

// The page and spread the last master-page tag of an import acted on; both none at first, so that the
// first tag is never taken for a repeat.
struct LastAppliedMaster {
  UID page;
  UID spread;
};

class VyDocument : public VyRefCountedObject {
 public:
  // Answers 0 for ApplyMaster, and its two refusals.
  static constexpr int32_t kApplied = 0;
  static constexpr int32_t kNoSuchPage = -2;
  static constexpr int32_t kHostRefused = -3;

  // Null without a database: there is no document to speak of.
  static VyRef<VyDocument> Make(IDataBase* db);

  IDataBase* GetDataBase() const { return db_; }

  int32_t PageCount() const;
  // 0 when the document keeps no master spreads.
  int32_t MasterCount() const;
  // The last master whose prefix, else full name ("A-Master"), equals `name` ignoring case; -1 for none.
  int32_t FindMaster(const WideString& name) const;

  // -1 when `page` is neither a document page nor a master page.
  int32_t PageIndexOf(UID page) const;
  // The page `item` lies on; -1 for an item outside the layout or on the pasteboard.
  int32_t PageIndexOfItem(UID item) const;
  int32_t SpreadIndexOf(UID spread) const;
  // -1 for an item outside the layout.
  int32_t SpreadIndexOfItem(UID item) const;
  // kInvalidUID for a negative index or one past the last master page or master spread.
  UID PageAt(int32_t pageIndex) const;
  UID SpreadAt(int32_t spreadIndex) const;

  // (0, 0, width, height) of the spread; an empty rectangle for no spread.
  PMRect SpreadBoundsAt(int32_t spreadIndex) const;
  // From the coordinates of page `pageIndex` (origin at its top-left corner) to those of its spread's
  // bounds, and back; unchanged when there is no such page.
  PMRect PageToSpreadBounds(const PMRect& rect, int32_t pageIndex) const;
  PMRect SpreadToPageBounds(const PMRect& rect, int32_t pageIndex) const;

  // Bases the document page `pageIndex` (with `pageOnly`) or every page of its spread on master
  // `masterIndex`. `memory` (may be null) moves to this page and spread in every case; with
  // `onlyOnChange`, a target equal to the remembered one (the page with `pageOnly`, else the spread) is
  // left alone. Pages already on that master are skipped, so that nothing may run at all. Answers
  // kApplied, kNoSuchPage (a master page or none), or kHostRefused when the host refused the master; the
  // global error code is left reset.
  int32_t ApplyMaster(int32_t pageIndex, int32_t masterIndex, bool pageOnly, bool onlyOnChange,
                      LastAppliedMaster* memory) const;

 private:
  explicit VyDocument(IDataBase* db) : db_(db) {}
  IDataBase* db_;
};

}  // namespace kesto
