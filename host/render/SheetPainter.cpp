// Drawing one output page.
#include "host/render/SheetPainter.h"

#include <algorithm>

#include "host/layout/LayoutUtils.h"

namespace SheetPainter {
namespace {

bool OnVisibleLayer(const IDataBase* db, UID item) {
  InterfacePtr<ISpreadLayer> layer = Instantiate<ISpreadLayer>(db, LayoutUtils::SpreadLayerOfItem(db, item));
  InterfacePtr<IDocumentLayer> documentLayer =
      layer ? Instantiate<IDocumentLayer>(db, layer->GetDocumentLayer()) : InterfacePtr<IDocumentLayer>();
  return !documentLayer || documentLayer->IsVisible();
}

// The master items `page` shows, each moved from its master page onto `page` and clipped to it.
void DrawMasterItems(const PaintContext& paint, UID page) {
  IDataBase* db = paint.db;
  std::vector<UID> chain = LayoutUtils::MasterChain(db, page);
  PMRect onPage = LayoutUtils::PageBoundsInSpread(db, page);
  cairo_save(paint.cr);
  cairo_rectangle(paint.cr, onPage.left, onPage.top, onPage.Width(), onPage.Height());
  cairo_clip(paint.cr);
  for (UID item : LayoutUtils::MasterItemsShownOnPage(db, page)) {
    UID spread = LayoutUtils::SpreadOfItem(db, item);
    auto master = std::find_if(chain.begin(), chain.end(), [&](UID masterPage) {
      return Instantiate<IPage>(db, masterPage)->GetSpread() == spread;
    });
    if (master == chain.end() || !OnVisibleLayer(db, item)) continue;
    PMRect from = LayoutUtils::PageBoundsInSpread(db, *master);
    cairo_save(paint.cr);
    cairo_translate(paint.cr, onPage.left - from.left, onPage.top - from.top);
    ItemPainter::DrawItem(paint, item);
    cairo_restore(paint.cr);
  }
  cairo_restore(paint.cr);
}

void DrawPageGuides(cairo_t* cr, const IDataBase* db, UID page) {
  InterfacePtr<IPage> p = Instantiate<IPage>(db, page);
  PMRect margins = LayoutUtils::MarginBoxInSpread(db, page);
  if (!p || !margins.IsValid()) return;
  cairo_save(cr);
  cairo_rectangle(cr, margins.left, margins.top, margins.Width(), margins.Height());
  int32_t columns = std::clamp(p->GetColumns(), 1, kMaxColumns);
  double width = (margins.Width() - (columns - 1) * p->GetGutter()) / columns;
  for (int32_t i = 1; width > 0 && i < columns; ++i) {
    double right = margins.left + i * width + (i - 1) * p->GetGutter();
    for (double x : {right, right + p->GetGutter()}) {
      cairo_move_to(cr, x, margins.top);
      cairo_line_to(cr, x, margins.bottom);
    }
  }
  cairo_identity_matrix(cr);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgb(cr, 0.75, 0.2, 0.75);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

std::vector<Sheet> SheetsOf(const IDataBase* db, const std::vector<int32_t>& pages, bool spreads) {
  std::vector<Sheet> sheets;
  for (int32_t index : pages) {
    UID page = LayoutUtils::PageAt(db, index);
    InterfacePtr<IPage> p = page.IsValid() ? Instantiate<IPage>(db, page) : InterfacePtr<IPage>();
    if (!p) continue;
    UID spread = p->GetSpread();
    if (!spreads) {
      sheets.push_back({spread, LayoutUtils::PageBoundsInSpread(db, page), {page}});
    } else if (sheets.empty() || sheets.back().spread != spread) {
      InterfacePtr<ISpread> s = Instantiate<ISpread>(db, spread);
      Sheet sheet{spread, LayoutUtils::SpreadBounds(db, spread), {}};
      for (int32_t i = 0; s && i < s->CountPages(); ++i)
        sheet.pages.push_back(s->GetNthPage(i));
      sheets.push_back(std::move(sheet));
    }
  }
  return sheets;
}

void Draw(const PaintContext& paint, const Sheet& sheet) {
  cairo_t* cr = paint.cr;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, sheet.area.Width(), sheet.area.Height());
  cairo_clip(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_translate(cr, -sheet.area.left, -sheet.area.top);
  for (UID page : sheet.pages)
    DrawMasterItems(paint, page);
  for (UID item : LayoutUtils::ItemsOfSpread(paint.db, sheet.spread)) {
    if (OnVisibleLayer(paint.db, item)) ItemPainter::DrawItem(paint, item);
  }
  if (paint.guides) {
    for (UID page : sheet.pages)
      DrawPageGuides(cr, paint.db, page);
  }
  cairo_restore(cr);
}

}  // namespace SheetPainter
