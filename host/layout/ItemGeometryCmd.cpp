// Moving, resizing and transforming items.
#include "host/layout/ItemGeometryCmd.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/core/ObjectModel.h"
#include "host/layout/LayoutEdits.h"

namespace {

std::string Limit() {
  return std::to_string(static_cast<int>(kMaxCoordinate));
}

std::string BeyondLimit() {
  return "would reach beyond the coordinate limit (" + Limit() + " pt from its spread's origin)";
}

bool IsWithinLimit(double v) {
  return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate;
}

// How far from the centre of `bounds` a corner of the item can lie once transformed (rotation and flips
// keep distances, so they do not count).
double TransformedReach(const PMRect& bounds, const ItemTransform& t) {
  double x = bounds.Width() / 2 * std::fabs(t.scaleX);
  double y = bounds.Height() / 2 * std::fabs(t.scaleY);
  double skewed = x + y * std::fabs(std::tan(t.skew * std::numbers::pi / 180));
  return std::hypot(skewed, y);
}

}  // namespace

std::string ItemBoundsFault(const PMRect& b) {
  if (!std::isfinite(b.left) || !std::isfinite(b.top) || !std::isfinite(b.right) || !std::isfinite(b.bottom))
    return "would have edges that are no finite numbers";
  if (b.left > b.right || b.top > b.bottom) return "would have a negative width or height";
  return b.IsValid() ? std::string() : BeyondLimit();
}

std::string ItemTransformFault(const PMRect& bounds, const ItemTransform& t) {
  for (double v : {t.scaleX, t.scaleY, t.skew, t.rotation}) {
    if (!IsWithinLimit(v))
      return "would have a scale, skew or rotation that is not finite or beyond " + Limit();
  }
  if (t.scaleX == 0 || t.scaleY == 0) return "would have a scale of zero";
  if (std::fabs(t.skew) >= 90) return "would be skewed by 90 degrees or more";
  PMPoint centre = bounds.Center();
  double reach = TransformedReach(bounds, t);
  PMRect extent{centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach};
  return extent.IsValid() ? std::string() : BeyondLimit();
}

PMRect ItemGeometryCmd::NewBounds(const PMRect& b) const {
  const LayoutParams& p = Params();
  ClassID cls = GetClass(this);
  if (cls == kMoveItemsCmdBoss) return b.Moved(p.dx, p.dy);
  if (cls == kResizeItemsCmdBoss) return {b.left, b.top, b.left + p.width, b.top + p.height};
  return p.bounds;
}

bool ItemGeometryCmd::Accepts(UID item) const {
  IDataBase* db = DataBase();
  ClassID cls = GetClass(this);
  auto pageItem = Instantiate<IPageItem>(db, item);
  std::string fault;
  if (cls == kTransformItemsCmdBoss) {
    fault = ItemTransformFault(pageItem->GetBounds(), Params().transform);
  } else if (cls == kMoveItemsCmdBoss) {
    // Everything inside a group moves with it, so each member must stay within the limit too.
    for (UID inside : LayoutUtils::ItemTree(db, item)) {
      if (fault.empty()) fault = ItemBoundsFault(NewBounds(Instantiate<IPageItem>(db, inside)->GetBounds()));
    }
  } else {
    fault = ItemBoundsFault(NewBounds(pageItem->GetBounds()));
  }
  if (fault.empty()) return true;
  Refuse("item " + std::to_string(item.Get()) + " " + fault);
  return false;
}

void ItemGeometryCmd::Do() {
  IDataBase* db = DataBase();
  const LayoutParams& p = Params();
  if (!ItemsArePageItems()) return Fail();
  ClassID cls = GetClass(this);
  for (UID item : Items()) {
    if (!Accepts(item)) return;
    auto pageItem = Instantiate<IPageItem>(db, item);
    if (cls == kTransformItemsCmdBoss) {
      pageItem->SetTransform(p.transform);
    } else if (cls == kMoveItemsCmdBoss) {
      LayoutEdits::Offset(db, item, p.dx, p.dy);
    } else {
      pageItem->SetBounds(NewBounds(pageItem->GetBounds()));
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
