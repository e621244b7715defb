// ILayoutCmdData: the parameters of the layout commands. Each command reads the members its description
// names and ignores the others; a before-message observer may change them before the command reads them.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/layout/FrameOptions.h"
#include "host/layout/Geometry.h"
#include "host/layout/IPageSetup.h"
#include "host/layout/IStoryAnchors.h"
#include "host/layout/LayoutIDs.h"

struct LayoutParams {
  PMRect bounds;
  double dx = 0;
  double dy = 0;
  double width = 0;  // 0: taken from the neighbouring page (insert pages) or left as it is
  double height = 0;
  ItemTransform transform;
  FrameOptions options;
  PageSetupValues setup;
  UID target;  // the spread, layer, master, page, frame or item a command works on or toward
  UID second;  // a second object: a document layer, a master spread ...
  std::vector<UID> pages;
  int32_t position = -1;
  int32_t count = 1;
  bool flag = false;
  ClassID kind;
  WideString name;
  WideString prefix;
  WideString key;
  AnchorKind anchor = AnchorKind::kInline;
};

class ILayoutCmdData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ILAYOUTCMDDATA.Get() };
  virtual LayoutParams& Params() = 0;
  virtual const LayoutParams& Params() const = 0;
};
