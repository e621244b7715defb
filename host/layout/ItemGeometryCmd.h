// ItemGeometryCmd: the commands that change where items are: move by (dx, dy), resize to (width, height)
// keeping the top-left corner, set bounds, set the transform. Everything inside a group moves with it; a
// resized or re-bounded group keeps its members as they are. Refused for locked items and for results
// beyond kMaxCoordinate. Changed text frames are damaged in their frame lists.
#pragma once

#include "host/layout/LayoutCommand.h"

class ItemGeometryCmd final : public LayoutCommand {
 public:
  explicit ItemGeometryCmd(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override;

 private:
  // The new bounds of an item that had `bounds`; invalid bounds refuse the command.
  PMRect NewBounds(const PMRect& bounds) const;
};
