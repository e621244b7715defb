// Text around items with wrap.
#include "host/compose/TextWrapFlow.h"

#include <algorithm>

#include "host/compose/StoryComposer.h"
#include "host/core/Boss.h"
#include "host/layout/GraphicIDs.h"
#include "host/layout/ITextWrap.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/LayoutUtils.h"

namespace {

// Narrower room than this takes no line: the line goes below the area instead.
constexpr double kMinimumRoom = 1;

std::vector<UID> ItemsAround(IDataBase* db, UID spread) {
  std::vector<UID> items;
  for (UID top : LayoutUtils::ItemsOfSpread(db, spread)) {
    std::vector<UID> tree = LayoutUtils::ItemTree(db, top);
    items.insert(items.end(), tree.begin(), tree.end());
  }
  return items;
}

bool HasWrap(IDataBase* db, UID item) {
  auto wrap = Instantiate<ITextWrap>(db, item);
  return wrap && wrap->GetWrap().mode != WrapMode::kNone;
}

}  // namespace

TextWrapFlow TextWrapFlow::ForFrame(IDataBase* db, UID frame) {
  TextWrapFlow flow;
  auto frameItem = Instantiate<IPageItem>(db, frame);
  UID spread = LayoutUtils::SpreadOfItem(db, frame);
  if (!frameItem || !spread.IsValid()) return flow;
  const PMRect& origin = frameItem->GetBounds();
  std::vector<UID> inside = LayoutUtils::ItemTree(db, frame);
  for (UID item : ItemsAround(db, spread)) {
    if (std::find(inside.begin(), inside.end(), item) != inside.end()) continue;
    auto wrap = Instantiate<ITextWrap>(db, item);
    auto pageItem = Instantiate<IPageItem>(db, item);
    if (!wrap || !pageItem || wrap->GetWrap().mode == WrapMode::kNone) continue;
    const TextWrapSettings& w = wrap->GetWrap();
    PMRect b = pageItem->GetBounds();
    PMRect rect{b.left - w.Left() - origin.left, b.top - w.Top() - origin.top,
                b.right + w.Right() - origin.left, b.bottom + w.Bottom() - origin.top};
    if (rect.right > rect.left && rect.bottom > rect.top) flow.areas_.push_back({rect, w.mode, w.side});
  }
  return flow;
}

TextWrapFlow::Room TextWrapFlow::Fit(double top, double bottom, double left, double right) const {
  Room room{left, right};
  for (const Area& a : areas_) {
    if (a.rect.bottom <= top || a.rect.top >= bottom || a.rect.right <= room.left ||
        a.rect.left >= room.right)
      continue;
    if (a.mode == WrapMode::kNextColumn) {
      room.below = std::numeric_limits<double>::infinity();
      continue;
    }
    if (a.mode == WrapMode::kJumpObject) {
      room.below = std::max(room.below, a.rect.bottom);
      continue;
    }
    double leftPart = a.rect.left - room.left;
    double rightPart = room.right - a.rect.right;
    bool takeLeft = a.side == WrapSide::kLeftSide    ? true
                    : a.side == WrapSide::kRightSide ? false
                                                     : leftPart >= rightPart;
    if (takeLeft) {
      room.right = a.rect.left;
    } else {
      room.left = a.rect.right;
    }
    if (room.right - room.left < kMinimumRoom) room.below = std::max(room.below, a.rect.bottom);
  }
  return room;
}

void TextWrapFlow::DamageAround(IDataBase& db, const LayoutChange& change) {
  bool wrapChange = change.what == kSetTextWrapCmdBoss || change.what == kApplyObjectStyleCmdBoss;
  DamageSpreadsOf(db, change.items, wrapChange);
}

void TextWrapFlow::DamageBeforeDelete(IDataBase& db, const ICommand& command) {
  if (command.GetBoss()->GetClass() != kDeleteItemsCmdBoss) return;
  std::vector<UID> items;
  for (UID top : command.GetItemList()) {
    std::vector<UID> tree = LayoutUtils::ItemTree(&db, top);
    items.insert(items.end(), tree.begin(), tree.end());
  }
  DamageSpreadsOf(db, items, false);
}

void TextWrapFlow::DamageSpreadsOf(IDataBase& db, const std::vector<UID>& items, bool anyItem) {
  std::vector<UID> spreads;
  for (UID item : items) {
    if (!db.IsValidUID(item) || !LayoutUtils::IsPageItem(&db, item) || (!anyItem && !HasWrap(&db, item)))
      continue;
    UID spread = LayoutUtils::SpreadOfItem(&db, item);
    if (spread.IsValid() && std::find(spreads.begin(), spreads.end(), spread) == spreads.end())
      spreads.push_back(spread);
  }
  for (UID spread : spreads) {
    for (UID item : ItemsAround(&db, spread)) {
      auto frame = LayoutUtils::IsTextFrame(&db, item) ? Instantiate<ITextFrame>(&db, item)
                                                       : InterfacePtr<ITextFrame>();
      if (frame) StoryComposer::DamageAt(&db, LayoutUtils::StoryOfFrame(&db, item), frame->GetTextStart());
    }
  }
}
