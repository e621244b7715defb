// The commands that place items in the hierarchy and make layers: move items to a spread and layer, send
// an item behind another, send items to the back, and add a document layer.
#pragma once

#include "host/layout/LayoutCommand.h"

// Moves the items of the item list (top-level items) to the spread `target` (a document or master
// spread), into its layer for the document layer `second` (none: the item's own layer), front-most, keeping
// their bounds.
class MoveToLayerCmd final : public LayoutCommand {
 public:
  explicit MoveToLayerCmd(Boss* boss) : LayoutCommand(boss, IID_ILAYERCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Move to Layer"; }
};

// Puts each item of the item list directly behind the item `target`, under `target`'s parent. Refused for
// an anchored item, for an item in another spread layer (or anchored item) than `target`, for an item
// holding `target`, and where the item's tree would end up deeper than kMaxItemDepth.
class SendBehindCmd final : public LayoutCommand {
 public:
  explicit SendBehindCmd(Boss* boss) : LayoutCommand(boss, IID_ILAYERCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Send Behind"; }
};

// Puts the items of the item list behind everything else under their parents, keeping their order.
class SendToBackCmd final : public LayoutCommand {
 public:
  explicit SendToBackCmd(Boss* boss) : LayoutCommand(boss, IID_ILAYERCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Send to Back"; }
};

// Adds a document layer named `name` at `position` (-1: front-most) with its spread layers, and makes it
// the active layer. Refused for an empty name or one another layer has. Afterwards the item list names it.
class NewLayerCmd final : public LayoutCommand {
 public:
  explicit NewLayerCmd(Boss* boss) : LayoutCommand(boss, IID_ILAYERCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "New Layer"; }
};
