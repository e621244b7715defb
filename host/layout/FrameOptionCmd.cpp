// Text frame options.
#include "host/layout/FrameOptionCmd.h"

#include "host/core/ObjectModel.h"
#include "host/layout/LayoutUtils.h"

namespace {

bool IsLength(double v) {
  return IsValidCoordinate(v) && v >= 0;
}

}  // namespace

bool FrameOptionCmd::Merge(FrameOptions& o) const {
  const FrameOptions& from = Params().options;
  ClassID cls = GetClass(this);
  if (cls == kSetFrameColumnsCmdBoss) {
    o.columns = from.columns;
    o.gutter = from.gutter;
    return o.columns >= 1 && o.columns <= kMaxColumns && IsLength(o.gutter);
  }
  if (cls == kSetFrameInsetsCmdBoss) {
    o.insets = from.insets;
    return IsLength(o.insets.top) && IsLength(o.insets.left) && IsLength(o.insets.bottom) &&
           IsLength(o.insets.right);
  }
  if (cls == kSetVerticalJustificationCmdBoss) {
    o.verticalJustification = from.verticalJustification;
    return o.verticalJustification <= VerticalJustification::kJustify;
  }
  if (cls == kSetFirstBaselineCmdBoss) {
    o.firstBaseline = from.firstBaseline;
    o.firstBaselineMinimum = from.firstBaselineMinimum;
    return o.firstBaseline <= FirstBaseline::kEmBox && IsLength(o.firstBaselineMinimum);
  }
  o.paragraphSpacingLimit = from.paragraphSpacingLimit;
  return IsLength(o.paragraphSpacingLimit);
}

void FrameOptionCmd::Do() {
  IDataBase* db = DataBase();
  if (!ItemsArePageItems(true)) return Fail();
  for (UID item : Items()) {
    auto frame = Instantiate<ITextFrame>(db, item);
    if (!frame) return Fail();
    FrameOptions options = frame->GetOptions();
    if (!Merge(options)) return Fail();
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
