// The commands that make and unmake page items: create a text frame, graphic frame, rectangle, oval or line;
// convert an item to another kind; delete items; group items.
#pragma once

#include "host/layout/LayoutCommand.h"

// Creates one item of the kind its class names under the target of its parameters (a spread layer or a
// group; a spread or page: the spread's layer for `second`, else the active layer) with `bounds` in spread
// coordinates. A text frame takes the setup's frame options (`flag`: the parameters' `options`) and gets a
// new story and frame list; a graphic frame holds graphic content when `flag` is set. Afterwards the item
// list names the new item. Refused: no such target, bounds beyond kMaxCoordinate or inverted, a group
// target as deep as kMaxItemDepth.
class CreatePageItemCmd final : public LayoutCommand {
 public:
  explicit CreatePageItemCmd(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Create Page Item"; }
};

// Replaces each item of the item list (no groups) by an item of the class `kind` in the same place, with
// the same bounds, transform, labels and lock; a text frame made so gets a new story, one converted away
// leaves its frame list. Items of that class already stay as they are. Refused for a text frame that is
// the last frame of a story holding text, which would be lost. Afterwards the item list names the items.
class ConvertPathCmd final : public LayoutCommand {
 public:
  explicit ConvertPathCmd(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Convert Shape"; }
};

// Deletes the items of the item list with everything in them (see LayoutEdits::DeleteItem). Refused when
// an item is no page item or is locked.
class DeleteItemsCmd final : public LayoutCommand {
 public:
  explicit DeleteItemsCmd(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Delete"; }
};

// Groups the items of the item list, which must share one parent, into a new group in the place of the
// front-most of them; afterwards the item list names the group. Refused where a member's tree would end up
// deeper than kMaxItemDepth.
class GroupItemsCmd final : public LayoutCommand {
 public:
  explicit GroupItemsCmd(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Group"; }
};
