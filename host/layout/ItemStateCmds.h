// The commands that change an item's state: its lock and its labels.
#pragma once

#include "host/layout/LayoutCommand.h"

// Locks (`flag` set) or unlocks the items of the item list.
class LockItemsCmd final : public LayoutCommand {
 public:
  explicit LockItemsCmd(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Lock"; }
};

// Sets a label of the items of the item list: the default label when `key` is empty, else the keyed label
// `key` (an empty `name` removes it). The label's text is `name`.
class SetLabelCmd final : public LayoutCommand {
 public:
  explicit SetLabelCmd(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Set Label"; }
};
