// The commands about masters: apply a master spread to pages, make a master spread, base a master spread
// on another, override master items on a page and revert overrides.
#pragma once

#include "host/layout/LayoutCommand.h"

// Bases the pages of the item list on the master spread `target` (none: no master). Refused for a target
// that is no master spread, and for a master page whose master chain would lead back to its own spread.
// A page whose master changes gives up its overrides of items the new master chain does not show: the local
// copies stay on the page as plain items, and the change lists the overrides given up.
class ApplyMasterCmd final : public LayoutCommand {
 public:
  explicit ApplyMasterCmd(Boss* boss) : LayoutCommand(boss, IID_IMASTERCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Apply Master"; }
};

// Makes a master spread with `prefix` and `name` at master position `position` (-1: the end), with `count`
// pages (< 1: the setup's pages per spread), based on the master spread `second` (none: on none). Refused
// for an empty prefix or one another master has. Afterwards the item list names the new master spread.
class NewMasterCmd final : public LayoutCommand {
 public:
  explicit NewMasterCmd(Boss* boss) : LayoutCommand(boss, IID_IMASTERCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "New Master"; }
};

// Bases the master spreads of the item list on the master spread `target` (none: on none); refused when
// that would make a master its own master.
class SetMasterOfMasterCmd final : public LayoutCommand {
 public:
  explicit SetMasterOfMasterCmd(Boss* boss) : LayoutCommand(boss, IID_IMASTERCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Based On Master"; }
};

// Overrides the master items of the item list on the pages of `pages` (one page for all, or one per item):
// each item must lie on a master page of the page's master chain; an item the page overrides already is
// skipped. The local copy goes on the page's spread in the same place relative to the page, in the spread
// layer of the item's layer; a copied text frame gets its own story holding the text the master frame
// shows (frames of one story overridden together share one story: see ItemCopier::Text::kShownText). The
// page's override list gains (master item, local copy). Afterwards the item list names the local copies.
class OverrideMasterItemsCmd final : public LayoutCommand {
 public:
  explicit OverrideMasterItemsCmd(Boss* boss) : LayoutCommand(boss, IID_IMASTERCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Override Master Items"; }
};

// Reverts overrides: deletes the local copies named by the item list (or every local copy of the pages it
// names) and removes their entries from the override lists. Refused for an item that is no local copy.
class RevertOverridesCmd final : public LayoutCommand {
 public:
  explicit RevertOverridesCmd(Boss* boss) : LayoutCommand(boss, IID_IMASTERCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Remove Overrides"; }
};

// Duplicates the spread of the item list (a document spread for kDuplicateSpreadCmdBoss, a master spread
// for kDuplicateMasterSpreadCmdBoss) at `position` (-1: after it): its pages with their size, margins,
// columns, masters and override lists, and its items; copied text frames get new stories with the text of
// theirs. A duplicated master gets the next free one-letter prefix. Afterwards the item list names the
// new spread.
class DuplicateSpreadCmd final : public LayoutCommand {
 public:
  explicit DuplicateSpreadCmd(Boss* boss) : LayoutCommand(boss, IID_ISPREADCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Duplicate Spread"; }
};
