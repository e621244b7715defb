// ItemGeometryCmd: the commands that change where items are: move by (dx, dy), resize to (width, height)
// keeping the top-left corner, set bounds, set the transform. Everything inside a group moves with it; a
// resized or re-bounded group keeps its members as they are. Refused (saying why) for locked items, for
// bounds that are not finite or reach beyond kMaxCoordinate, and for transforms with a value that is not
// finite or beyond kMaxCoordinate, with a zero scale, a skew of 90 degrees or more, or under which the item
// would reach beyond kMaxCoordinate. Changed text frames are damaged in their frame lists.
#pragma once

#include <string>

#include "host/layout/LayoutCommand.h"

// Why an item cannot have `bounds` (in its spread's coordinates), as the end of a sentence about the item
// ("would reach beyond ..."); empty when it can.
std::string ItemBoundsFault(const PMRect& bounds);
// Why an item with `bounds` cannot have `transform`, in the same form; empty when it can.
std::string ItemTransformFault(const PMRect& bounds, const ItemTransform& transform);

class ItemGeometryCmd final : public LayoutCommand {
 public:
  explicit ItemGeometryCmd(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override;

 private:
  // The new bounds of an item that had `bounds`.
  PMRect NewBounds(const PMRect& bounds) const;
  // Refuses the command when `item` cannot take its new geometry; false then.
  bool Accepts(UID item) const;
};
