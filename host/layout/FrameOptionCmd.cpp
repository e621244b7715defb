// Text frame options.
#include "host/layout/FrameOptionCmd.h"

#include <cstdio>

#include "host/core/ObjectModel.h"
#include "host/layout/LayoutUtils.h"

namespace {

bool IsLength(double v) {
  return IsValidCoordinate(v) && v >= 0;
}

std::string Points(double v) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.6g pt", v);
  return text;
}

}  // namespace

std::string ColumnsFault(const PMRect& bounds, const FrameOptions& o) {
  double inside = bounds.Width() - o.insets.left - o.insets.right;
  double column = (inside - (o.columns - 1) * o.gutter) / o.columns;
  if (column >= 0) return {};
  return std::to_string(o.columns) + " columns with gutters of " + Points(o.gutter) + " do not fit in " +
         Points(inside) + " between the frame's insets (each column would be " + Points(column) + " wide)";
}

std::string FrameOptionCmd::Merge(FrameOptions& o) const {
  const FrameOptions& from = Params().options;
  ClassID cls = GetClass(this);
  std::string lengths = " are 0 to " + Points(kMaxCoordinate);
  if (cls == kSetFrameColumnsCmdBoss) {
    o.columns = from.columns;
    o.gutter = from.gutter;
    if (o.columns < 1 || o.columns > kMaxColumns)
      return "a frame has 1 to " + std::to_string(kMaxColumns) + " columns";
    return IsLength(o.gutter) ? std::string() : "gutters" + lengths;
  }
  if (cls == kSetFrameInsetsCmdBoss) {
    o.insets = from.insets;
    bool valid = IsLength(o.insets.top) && IsLength(o.insets.left) && IsLength(o.insets.bottom) &&
                 IsLength(o.insets.right);
    return valid ? std::string() : "insets" + lengths;
  }
  if (cls == kSetVerticalJustificationCmdBoss) {
    o.verticalJustification = from.verticalJustification;
    return o.verticalJustification <= VerticalJustification::kJustify ? "" : "no such vertical justification";
  }
  if (cls == kSetFirstBaselineCmdBoss) {
    o.firstBaseline = from.firstBaseline;
    o.firstBaselineMinimum = from.firstBaselineMinimum;
    if (o.firstBaseline > FirstBaseline::kEmBox) return "no such first baseline";
    return IsLength(o.firstBaselineMinimum) ? std::string() : "first baseline minimums" + lengths;
  }
  o.paragraphSpacingLimit = from.paragraphSpacingLimit;
  return IsLength(o.paragraphSpacingLimit) ? std::string() : "paragraph spacing limits" + lengths;
}

void FrameOptionCmd::Do() {
  IDataBase* db = DataBase();
  if (!ItemsArePageItems(true)) return Fail();
  ClassID cls = GetClass(this);
  bool shapesColumns = cls == kSetFrameColumnsCmdBoss || cls == kSetFrameInsetsCmdBoss;
  for (UID item : Items()) {
    auto frame = Instantiate<ITextFrame>(db, item);
    if (!frame) return Refuse("item " + std::to_string(item.Get()) + " is no text frame");
    FrameOptions options = frame->GetOptions();
    if (std::string fault = Merge(options); !fault.empty()) return Refuse(fault);
    std::string fault =
        shapesColumns ? ColumnsFault(Instantiate<IPageItem>(db, item)->GetBounds(), options) : std::string();
    if (!fault.empty()) return Refuse("in frame " + std::to_string(item.Get()) + ", " + fault);
    frame->SetOptions(options);
    if (auto list = Instantiate<IFrameList>(db, frame->GetFrameList())) {
      list->Damage(list->IndexOfFrame(item));
      Note(IID_IFRAMELIST, {.what = kFrameListChange,
                            .items = {item},
                            .target = frame->GetFrameList(),
                            .position = list->GetFirstDamagedFrame()});
    }
  }
}
