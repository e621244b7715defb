// LayoutChange: what a layout command changed, sent as the changed-by data of its own message and of the
// change messages it sends (kItemsCreatedChange, kFrameListChange ...), so that observers (a composer, a
// thread watcher) know what to bring up to date without reading the command's parameters. The before and
// after messages the processor sends on the same protocols carry the command itself (ICommand*), as on
// IID_ICOMMANDMGR.
#pragma once

#include <vector>

#include "host/cmd/ICommand.h"
#include "host/layout/IPage.h"

struct LayoutChange {
  ICommand* command = nullptr;
  ClassID what;            // the change class (the command's own class for its own message)
  std::vector<UID> items;  // what the change is about: items, pages, spreads, stories or frame lists
  // A second list where the change pairs two: for copies, the originals in the order of `items`.
  std::vector<UID> others;
  std::vector<OverrideEntry> overrides;  // kMasterItemsOverriddenChange: the entries made
  UID target;                            // the spread, frame list or master the change concerns
  int32_t position = -1;                 // where pages went, or the first damaged frame
};
