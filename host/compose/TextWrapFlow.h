// TextWrapFlow: where the items with text wrap on a frame's spread leave room for the frame's lines. Each
// such item keeps text out of its bounds grown by its wrap offsets: a bounding-box (or contour) wrap keeps
// the line to one side of it, a jump-object wrap moves the line below it, a next-column wrap ends the column.
// The areas are taken from the items' bounds (not their transforms); a contour wraps as its bounding box;
// text takes one side of an area, the one the wrap side names (left or right) or else the wider.
#pragma once

#include <limits>
#include <vector>

#include "host/db/IDataBase.h"
#include "host/layout/Geometry.h"
#include "host/layout/LayoutChange.h"
#include "host/layout/TextWrap.h"

class TextWrapFlow {
 public:
  // Where a line may go: from `left` to `right`, or, when `below` is set, nowhere above `below` (infinity:
  // nowhere further in the column).
  struct Room {
    double left = 0;
    double right = 0;
    double below = -std::numeric_limits<double>::infinity();
    bool Pushed() const { return below != -std::numeric_limits<double>::infinity(); }
  };

  TextWrapFlow() = default;
  // The wrap areas, in `frame`'s coordinates, of the items on its spread other than the frame, what lies
  // inside it, and items without wrap.
  static TextWrapFlow ForFrame(IDataBase* db, UID frame);

  bool empty() const { return areas_.empty(); }
  // The room for a line from `top` to `bottom` within `left` .. `right`, in the frame's coordinates.
  Room Fit(double top, double bottom, double left, double right) const;

  // Marks for composition the text frames on the spreads of the changed items that have wrap, or of every
  // changed item when the change is to wrap or object style itself.
  static void DamageAround(IDataBase& db, const LayoutChange& change);
  // Before items are deleted (when their wrap can still be read): marks the text frames on the spreads of
  // those among them, or inside them, that have wrap.
  static void DamageBeforeDelete(IDataBase& db, const ICommand& command);

 private:
  struct Area {
    PMRect rect;
    WrapMode mode;
    WrapSide side;
  };
  static void DamageSpreadsOf(IDataBase& db, const std::vector<UID>& items, bool anyItem);
  std::vector<Area> areas_;
};
