// The frame-order command.
#include "host/layout/SetFrameOrderCmd.h"

#include <algorithm>

#include "host/core/Registry.h"
#include "host/layout/FrameOrderIDs.h"
#include "host/layout/LayoutCmdData.h"
#include "host/layout/LayoutUtils.h"

void SetFrameOrderCmd::Do() {
  IDataBase* db = DataBase();
  std::vector<UID> order = Items();
  if (order.empty()) return Fail();
  UID frameListUID = LayoutUtils::FrameListOfFrame(db, order[0]);
  auto list = Instantiate<IFrameList>(db, frameListUID);
  if (!list) return Refuse("frame " + std::to_string(order[0].Get()) + " is no text frame");
  std::vector<UID> current;
  for (int32_t i = 0; i < list->CountFrames(); ++i)
    current.push_back(list->GetNthFrame(i));
  std::vector<UID> sorted = order, expected = current;
  std::sort(sorted.begin(), sorted.end());
  std::sort(expected.begin(), expected.end());
  if (sorted != expected) return Refuse("the new order must name every frame of the story once");
  auto changed = std::mismatch(current.begin(), current.end(), order.begin());
  if (changed.first == current.end()) return;
  const auto first = static_cast<int32_t>(changed.first - current.begin());
  for (UID frame : current)
    list->RemoveFrame(frame);
  for (size_t i = 0; i < order.size(); ++i)
    list->InsertFrame(order[i], static_cast<int32_t>(i));
  list->Damage(first);
  Note(IID_IFRAMELIST, {.what = kFrameListChange, .items = order, .target = frameListUID, .position = first});
}

ErrorCode RegisterFrameOrderCommand() {
  Registry& r = Registry::Get();
  ErrorCode error = r.RegisterImplementation(
      kSetFrameOrderCmdImpl,
      [](Boss* boss) -> CreatedImplementation {
        auto* impl = new SetFrameOrderCmd(boss);
        return {impl, static_cast<IPMUnknown*>(static_cast<ICommand*>(impl))};
      },
      false);
  if (error == kSuccess)
    error = r.RegisterClass(kSetFrameOrderCmdBoss, kInvalidClass, "kSetFrameOrderCmdBoss",
                            {{IID_ICOMMAND, kSetFrameOrderCmdImpl}, {IID_ILAYOUTCMDDATA, kLayoutCmdDataImpl}});
  return error;
}
