// The builder's operations on one page item, each through the host's layout commands.
#include "kesto/layout/VyPageItem.h"

#include <cmath>

#include "host/cmd/ErrorUtils.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/LayoutUtils.h"
#include "kesto/layout/VyPageItemInfo.h"

namespace kesto {
namespace {

// The command that makes a box of `record`'s kind and shape; text frames take the document's defaults.
ClassID CreationCommand(const VyPageItemInfo& record, bool& graphic) {
  graphic = record.kind == kBoxPicture;
  if (record.kind == kBoxText) return kCreateTextFrameCmdBoss;
  if (record.shape == kShapeLine) return kCreateLineCmdBoss;
  if (record.shape == kShapeOval) return kCreateOvalCmdBoss;
  return graphic ? kCreateGraphicFrameCmdBoss : kCreateRectangleCmdBoss;
}

bool Near(double a, double b) {
  return std::fabs(a - b) < 1e-8;
}

}  // namespace

ErrorCode XPageItem::Run(ClassID cls, const LayoutParams& params, std::vector<UID>* made) const {
  IDataBase* db = DataBase();
  if (!db) return kFailure;
  std::vector<UID> items;
  if (uid_.IsValid()) items.push_back(uid_);
  ErrorCode result = LayoutCmdUtils::Process(cls, db, items, params, made);
  if (result != kSuccess) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return result;
}

XPageItem XPageItem::CreateBox(VyRef<VyDocument> document, const VyPageItemInfo& record, int32_t pageIndex) {
  UID page = document ? document->PageAt(pageIndex) : kInvalidUID;
  if (!page.IsValid()) return {};
  IDataBase* db = document->GetDataBase();
  LayoutParams params;
  params.target = Instantiate<IPage>(db, page)->GetSpread();
  params.bounds = document->PageToSpreadBounds(record.bounds, pageIndex);
  // A box tag may give its corners in any order; the host wants them ordered (a line keeps its box).
  PMRect& b = params.bounds;
  if (b.left > b.right) std::swap(b.left, b.right);
  if (b.top > b.bottom) std::swap(b.top, b.bottom);
  ClassID cls = CreationCommand(record, params.flag);
  std::vector<UID> made;
  XPageItem creator(document, kInvalidUID);
  if (creator.Run(cls, params, &made) != kSuccess || made.empty()) return {};
  XPageItem item(std::move(document), made[0]);
  (void)record.ApplyTo(item);
  return item;
}

PMRect XPageItem::GetBounds() const {
  auto item = Instantiate<IPageItem>(DataBase(), uid_);
  return item ? item->GetBounds() : PMRect();
}

bool XPageItem::IsTextFrame() const {
  return LayoutUtils::IsTextFrame(DataBase(), uid_);
}

UID XPageItem::MoveToSpreadAndLayer(UID spread, UID layer, bool toFront) {
  LayoutParams params;
  params.target = spread;
  params.second = layer;
  if (Run(kMoveToLayerCmdBoss, params) != kSuccess) return kInvalidUID;
  if (!toFront && !SendBehind(kInvalidUID)) return kInvalidUID;
  return uid_;
}

bool XPageItem::SetBounds(const PMRect& bounds) {
  auto item = Instantiate<IPageItem>(DataBase(), uid_);
  if (!item) return false;
  PMRect now = item->GetBounds();
  bool transformed = !item->GetTransform().IsIdentity() || LayoutUtils::IsGroup(DataBase(), uid_);
  bool sameSize = Near(now.Width(), bounds.Width()) && Near(now.Height(), bounds.Height());
  if (!transformed && !sameSize) return Run(kSetBoundsCmdBoss, {.bounds = bounds}) == kSuccess;
  if (!sameSize && Run(kResizeItemsCmdBoss, {.width = bounds.Width(), .height = bounds.Height()}) != kSuccess)
    return false;
  PMPoint from = transformed ? GetBounds().Center() : PMPoint{now.left, now.top};
  PMPoint to = transformed ? bounds.Center() : PMPoint{bounds.left, bounds.top};
  if (Near(from.x, to.x) && Near(from.y, to.y)) return true;
  return Run(kMoveItemsCmdBoss, {.dx = to.x - from.x, .dy = to.y - from.y}) == kSuccess;
}

bool XPageItem::ThreadFrom(UID previous) {
  IDataBase* db = DataBase();
  if (!db) return false;
  if (LayoutCmdUtils::Process(kTextLinkCmdBoss, db, {previous, uid_}, {}) == kSuccess) return true;
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return false;
}

bool XPageItem::SendBehind(UID reference) {
  if (!reference.IsValid()) return Run(kSendToBackCmdBoss, {}) == kSuccess;
  return Run(kSendBehindCmdBoss, {.target = reference}) == kSuccess;
}

bool XPageItem::SetItemState(bool on) {
  return Run(kLockItemsCmdBoss, {.flag = on}) == kSuccess;
}

bool XPageItem::SetLabel(const WideString& text) {
  return Run(kSetLabelCmdBoss, {.name = text}) == kSuccess;
}

bool XPageItem::SetLabels(const std::vector<std::pair<WideString, WideString>>& labels) {
  for (const auto& [key, value] : labels)
    if (key.empty() || Run(kSetLabelCmdBoss, {.name = value, .key = key}) != kSuccess) return false;
  return true;
}

bool XPageItem::AnchorAt(UID story, int32_t index, AnchorKind kind) {
  return Run(kAnchorItemCmdBoss, {.target = story, .position = index, .anchor = kind}) == kSuccess;
}

void XPageItem::DeleteBox() {
  if (uid_.IsValid()) (void)Run(kDeleteItemsCmdBoss, {});
  uid_ = kInvalidUID;
}

}  // namespace kesto
