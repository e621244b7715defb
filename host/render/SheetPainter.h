// SheetPainter: what one output page shows: a document page, or a whole spread, with the master items its
// pages show behind its own items (hidden layers left out), clipped to the sheet, and with guides the
// pages' margins and columns.
#pragma once

#include <vector>

#include "host/layout/Geometry.h"
#include "host/render/ItemPainter.h"

// One output page: the area of a spread it shows and the document pages in it.
struct Sheet {
  UID spread;
  PMRect area;             // in the spread's coordinates
  std::vector<UID> pages;  // left to right
};

namespace SheetPainter {

// The sheets of the document pages `pages` (0-based indexes, ascending): one per page, or with `spreads`
// one per spread holding any of them, showing all of that spread's pages.
std::vector<Sheet> SheetsOf(const IDataBase* db, const std::vector<int32_t>& pages, bool spreads);
// Draws `sheet` with its top-left corner at the origin of cairo's user space.
void Draw(const PaintContext& paint, const Sheet& sheet);

}  // namespace SheetPainter
