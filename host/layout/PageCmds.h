// The commands that make, remove and arrange pages and spreads: insert pages, new spread, delete pages,
// move pages, shuffle pages, the per-spread page position, and new sections. Items on a page move with it.
#pragma once

#include <string>

#include "host/layout/LayoutCommand.h"

// Why no page can be `width` by `height` points (each side 1 pt to kMaxCoordinate); empty when one can.
std::string PageSizeFault(double width, double height);

// Inserts `count` pages into the document spread `target` at page position `position` (-1: the end), of
// `width` by `height` (0: the size of the neighbouring page), based on the master spread `second` (none:
// no master). With `flag` set, the pages from that spread on are redistributed afterwards so that each
// spread holds its count again (a nested ShufflePagesCmd); without it, refused (saying why) when the spread
// would hold more than kMaxPagesPerSpread pages or be wider than kMaxCoordinate. Afterwards the item list
// names the new pages.
class InsertPagesCmd final : public LayoutCommand {
 public:
  explicit InsertPagesCmd(Boss* boss) : LayoutCommand(boss, IID_ISPREADCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Insert Pages"; }
};

// Creates a document spread at spread position `position` (-1: the end) with `count` pages (1 to
// kMaxPagesPerSpread, no wider than kMaxCoordinate in all) of the setup's size (or `width` by `height`),
// based on the master spread `second`. Afterwards the item list names the spread.
class NewSpreadCmd final : public LayoutCommand {
 public:
  explicit NewSpreadCmd(Boss* boss) : LayoutCommand(boss, IID_ISPREADCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "New Spread"; }
};

// Deletes the document pages of the item list with the items on them; spreads left without pages or items
// go too, and so do sections that started on a deleted page. Refused when no document page would remain.
class DeletePagesCmd final : public LayoutCommand {
 public:
  explicit DeletePagesCmd(Boss* boss) : LayoutCommand(boss, IID_ISPREADCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Delete Pages"; }
};

// Moves the document pages of the item list, in order, to the document spread `target` at page position
// `position` (-1: the end); spreads left without pages or items are deleted. Refused, as inserting pages
// is, when `target` would hold too many pages or be too wide.
class MovePagesCmd final : public LayoutCommand {
 public:
  explicit MovePagesCmd(Boss* boss) : LayoutCommand(boss, IID_ISPREADCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Move Pages"; }
};

// Redistributes the document pages from spread index `position` on (LayoutEdits::Redistribute).
// Afterwards the item list names the pages that changed spread or position.
class ShufflePagesCmd final : public LayoutCommand {
 public:
  explicit ShufflePagesCmd(Boss* boss) : LayoutCommand(boss, IID_ISPREADCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Shuffle Pages"; }
};

// Sets the page position of the spreads of the item list to `position` (-1 .. the spread's page count).
class SetPagePositionCmd final : public LayoutCommand {
 public:
  explicit SetPagePositionCmd(Boss* boss) : LayoutCommand(boss, IID_ISPREADCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Page Position"; }
};

// Starts a section named `name` at the document page `target` (renaming the one that starts there).
class NewSectionCmd final : public LayoutCommand {
 public:
  explicit NewSectionCmd(Boss* boss) : LayoutCommand(boss, IID_ISPREADCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "New Section"; }
};

// Sets the document's page setup to `setup` (what new pages, spreads and text frames take; pages that exist
// keep theirs) and suspends layout updating while `flag` is set. Refused for values with a fault.
class SetPageSetupCmd final : public LayoutCommand {
 public:
  explicit SetPageSetupCmd(Boss* boss) : LayoutCommand(boss, IID_ISPREADCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Document Setup"; }
};
