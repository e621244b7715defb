// Moving, resizing and transforming items.
#include "host/layout/ItemGeometryCmd.h"

#include "host/core/ObjectModel.h"
#include "host/layout/LayoutEdits.h"

PMRect ItemGeometryCmd::NewBounds(const PMRect& b) const {
  const LayoutParams& p = Params();
  ClassID cls = GetClass(this);
  if (cls == kMoveItemsCmdBoss) return b.Moved(p.dx, p.dy);
  if (cls == kResizeItemsCmdBoss) return {b.left, b.top, b.left + p.width, b.top + p.height};
  return p.bounds;
}

void ItemGeometryCmd::Do() {
  IDataBase* db = DataBase();
  const LayoutParams& p = Params();
  if (!ItemsArePageItems()) return Fail();
  ClassID cls = GetClass(this);
  if (cls == kTransformItemsCmdBoss && !p.transform.IsValid()) return Fail();
  for (UID item : Items()) {
    auto pageItem = Instantiate<IPageItem>(db, item);
    if (cls == kTransformItemsCmdBoss) {
      pageItem->SetTransform(p.transform);
    } else if (cls == kMoveItemsCmdBoss) {
      for (UID inside : LayoutUtils::ItemTree(db, item)) {
        if (!NewBounds(Instantiate<IPageItem>(db, inside)->GetBounds()).IsValid()) return Fail();
      }
      LayoutEdits::Offset(db, item, p.dx, p.dy);
    } else {
      PMRect bounds = NewBounds(pageItem->GetBounds());
      if (!bounds.IsValid()) return Fail();
      pageItem->SetBounds(bounds);
    }
    if (auto list = Instantiate<IFrameList>(db, LayoutUtils::FrameListOfFrame(db, item))) {
      list->Damage(list->IndexOfFrame(item));
      Note(IID_IFRAMELIST, {.what = kFrameListChange,
                            .items = {item},
                            .target = LayoutUtils::FrameListOfFrame(db, item),
                            .position = list->GetFirstDamagedFrame()});
    }
  }
}

std::string ItemGeometryCmd::CreateName() const {
  ClassID cls = GetClass(this);
  if (cls == kMoveItemsCmdBoss) return "Move";
  if (cls == kResizeItemsCmdBoss) return "Resize";
  if (cls == kTransformItemsCmdBoss) return "Transform";
  return "Set Bounds";
}
