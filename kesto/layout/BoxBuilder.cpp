// Making, placing, anchoring and grouping the boxes of an import.
#include "kesto/layout/BoxBuilder.h"

#include <algorithm>
#include <cmath>

#include "host/layout/LayoutUtils.h"
#include "kesto/layout/BuilderCodes.h"
#include "kesto/layout/DocumentItems.h"

namespace kesto {
namespace {

constexpr char16_t kObjectReplacement = 0xFFFC;

// Width (or height) from the reference box: the smaller of the own size and the reference's plus the
// delta, at least the limit and the smallest a box may be; the edge and the sign stay.
double SizeFromReference(double own, double reference, double delta, double limit, double smallest) {
  double sign = own < 0 ? -1 : 1;
  double size = std::min(std::fabs(own), reference + delta);
  size = std::max({size, limit, smallest});
  return sign * size;
}

// The column rule: the larger of the frame's and the own size, but the limit when the own size is
// within it and the larger exceeds it.
double ColumnSize(double own, double frame, double limit) {
  double larger = std::max(own, frame);
  return own <= limit && larger > limit && limit > 0 ? limit : larger;
}

}  // namespace

void BoxBuilder::Enter(UID box) {
  ring_[static_cast<size_t>(write_)] = box;
  write_ = (write_ + 1) % kRingSize;
}

UID BoxBuilder::Recent(int32_t n) const {
  if (n < 1 || n > kRingSize) return kInvalidUID;
  return ring_[static_cast<size_t>((write_ - n + kRingSize) % kRingSize)];
}

bool BoxBuilder::TextPosition(XStory& story, UID frame, PMPoint& at) {
  std::optional<VyStory::LinePosition> line = story.BaselineAt(-1);
  if (!line) return false;
  IDataBase* db = document_->GetDataBase();
  auto item = Instantiate<IPageItem>(db, line->frame.IsValid() ? line->frame : frame);
  auto text = Instantiate<ITextFrame>(db, line->frame.IsValid() ? line->frame : frame);
  if (!item) return false;
  double inset = text ? text->GetOptions().insets.left : 0;
  at = {item->GetBounds().left + inset, item->GetBounds().top + line->baseline};
  return true;
}

int32_t BoxBuilder::PlaceBox(XStory& story, XPageItem& item, const VyPageItemInfo& record,
                             const BoxPlacement& placement, UID reference) {
  UID frame = story.FrameAt(-1);
  if (!frame.IsValid()) return kPlaceNoFrame;
  IDataBase* db = document_->GetDataBase();
  PMRect b = record.bounds;
  bool line = record.shape == kShapeLine;
  double smallest = line ? 0 : record.kind == kBoxText ? 2 : 0.25;
  if (placement.anchored) {
  } else if (placement.origin == BoxOrigin::kBox) {
    auto ref = Instantiate<IPageItem>(db, reference);
    if (!ref) return kPlaceNoFrame;
    PMRect r = ref->GetBounds();
    PMPoint origin;
    switch (placement.referenceCorner) {
      case 0:
        origin = {r.left, r.top};
        break;
      case 1:
        origin = {r.left, r.bottom};
        break;
      case 2:
        origin = {r.right, r.top};
        break;
      case 3:
        origin = {r.right, r.bottom};
        break;
      default:
        if (!TextPosition(story, frame, origin)) return kPlaceNotComposed;
    }
    b = b.Moved(origin.x + placement.offsetX, origin.y + placement.offsetY);
    if (placement.widthFromReference)
      b.right = b.left +
                SizeFromReference(b.Width(), r.Width(), placement.widthDelta, placement.widthLimit, smallest);
    if (placement.heightFromReference)
      b.bottom = b.top + SizeFromReference(b.Height(), r.Height(), placement.heightDelta,
                                           placement.heightLimit, smallest);
  } else if (placement.origin == BoxOrigin::kPage) {
    b = document_->PageToSpreadBounds(b, document_->PageIndexOfItem(frame));
  } else if (placement.origin == BoxOrigin::kTextPosition) {
    PMPoint at;
    if (!TextPosition(story, frame, at)) return kPlaceNotComposed;
    b = b.Moved(at.x, at.y);
  }
  if (placement.anchored || placement.origin == BoxOrigin::kTextPosition) {
    if (std::optional<PMPoint> size = story.FrameSizeAt(-1)) {
      if (placement.columnWidth) b.right = b.left + ColumnSize(b.Width(), size->x, placement.widthLimit);
      if (placement.columnHeight) b.bottom = b.top + ColumnSize(b.Height(), size->y, placement.heightLimit);
    }
  }
  if (b.left > b.right) std::swap(b.left, b.right);
  if (b.top > b.bottom) std::swap(b.top, b.bottom);
  PMRect spread = document_->SpreadBoundsAt(document_->SpreadIndexOfItem(frame));
  if (b.Width() > spread.Width() || b.Height() > spread.Height()) return kPlaceTooLarge;
  if (!placement.anchored) {
    if (b.top < 0)
      b = b.Moved(0, -b.top);
    else if (b.bottom > spread.bottom)
      b = b.Moved(0, spread.bottom - b.bottom);
    if (b.left < 0)
      b = b.Moved(-b.left, 0);
    else if (b.right > spread.right)
      b = b.Moved(spread.right - b.right, 0);
  } else {
    // An anchored box keeps its place until the text takes it; only its size matters.
    PMRect now = item.GetBounds();
    b = {now.left, now.top, now.left + b.Width(), now.top + b.Height()};
  }
  return item.SetBounds(b) ? 0 : kPlaceNoFrame;
}

UID BoxBuilder::AnchorAtInsertionPoint(XStory& story, XPageItem& item, const AnchorSettings& settings) {
  if (!story.InsertText(&kObjectReplacement, 1)) return kInvalidUID;
  story.Finish(20);
  int32_t start = 0, end = 0;
  story.GetRange(start, end);
  if (story.AnchorItemAt(start - 1, item.GetUID(), settings.Kind())) return item.GetUID();
  (void)story.DeleteText(start - 1, start);
  return kInvalidUID;
}

UID BoxBuilder::NumberedReference(XStory& story, const BoxPlacement& placement, int32_t& code) {
  if (placement.referenceIndex > kRingSize) {
    code = kBuildReferenceOutOfRange;
    return kInvalidUID;
  }
  if (placement.referenceIndex == 0) {
    story.Finish(0);
    return current_;
  }
  UID box = Recent(placement.referenceIndex);
  if (!box.IsValid()) code = kBuildNoSuchBox;
  return box;
}

UID BoxBuilder::LayerFor(const BoxPlacement& placement, int32_t& code) {
  if (placement.layerName.empty()) return ActiveLayer(*document_);
  UID layer = FindLayer(*document_, placement.layerName);
  if (!layer.IsValid()) layer = CreateLayer(*document_, placement.layerName);
  if (!layer.IsValid()) code = kBuildCannotCreateLayer;
  return layer;
}

int32_t BoxBuilder::MakeBox(XStory& story, const VyPageItemInfo& record, const BoxPlacement& placement,
                            UID reference, XPageItem& item) {
  UID frame = story.FrameAt(-1);
  int32_t pageIndex = frame.IsValid() ? document_->PageIndexOfItem(frame) : -1;
  item = XPageItem::CreateBox(document_, record, pageIndex >= 0 ? pageIndex : 0);
  int32_t code = item.IsValid() ? 0 : kBuildCannotCreateBox;
  if (code == 0 && placement.anchored) {
    int32_t placed = PlaceBox(story, item, record, placement, reference);
    if (placed == kPlaceTooLarge) code = kBuildTooLargeForSpread;
    if (code == 0 && !AnchorAtInsertionPoint(story, item, placement.anchor).IsValid())
      code = kBuildCannotAnchor;
    if (code == 0) current_ = item.GetUID();
  } else if (code == 0) {
    if (placement.origin == BoxOrigin::kBox && placement.referenceName.empty())
      reference = NumberedReference(story, placement, code);
    UID layer = code == 0 ? LayerFor(placement, code) : kInvalidUID;
    int32_t placed = code == 0 ? PlaceBox(story, item, record, placement, reference) : 0;
    if (placed == kPlaceNoFrame) code = kBuildNoFrameAtText;
    if (placed == kPlaceNotComposed) code = kBuildTextOverflow;
    if (placed == kPlaceTooLarge) code = kBuildTooLargeForSpread;
    UID spread = frame.IsValid() ? LayoutUtils::SpreadOfItem(document_->GetDataBase(), frame) : kInvalidUID;
    if (code == 0 && !item.MoveToSpreadAndLayer(spread, layer, !placement.sendToBack).IsValid())
      code = kBuildPlacementFailed;
    Enter(code == 0 ? item.GetUID() : kInvalidUID);
  }
  if (code != 0) item.DeleteBox();
  return code;
}

int32_t BoxBuilder::Group(const int32_t* numbers, int32_t count) {
  IDataBase* db = document_->GetDataBase();
  std::vector<UID> boxes;
  int32_t code = 0;
  UID firstSpread;
  for (int32_t i = 0; i < count && code == 0; ++i) {
    int32_t n = numbers[i];
    UID box = n >= 1 && n <= kRingSize ? Recent(n) : kInvalidUID;
    auto hierarchy = Instantiate<IHierarchy>(db, box);
    UID spread = LayoutUtils::SpreadOfItem(db, box);
    if (n < 1 || n > kRingSize)
      code = kBuildReferenceOutOfRange;
    else if (!box.IsValid() || !LayoutUtils::IsPageItem(db, box))
      code = kBuildNoSuchBox;
    else if (hierarchy && LayoutUtils::IsGroup(db, hierarchy->GetParent()))
      code = kBuildAlreadyGrouped;
    else if (i > 0 && spread != firstSpread)
      code = kBuildNotSameSpread;
    if (i == 0) firstSpread = spread;
    boxes.push_back(box);
  }
  UID group = code == 0 && !boxes.empty() ? GroupBoxes(*document_, boxes) : kInvalidUID;
  if (code == 0 && !boxes.empty() && !group.IsValid()) code = kBuildNotSameSpread;
  Enter(group);
  return code;
}

}  // namespace kesto
