// IItemLookCmdData: the parameters of the commands that change how items look. Each command reads the members
// its description names; the new-style command also answers the style it made in `style`.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/layout/GraphicIDs.h"
#include "host/layout/ObjectStyle.h"

struct ItemLookParams {
  GraphicAttributeList attributes;  // the attributes to apply
  std::vector<GraphicAttr> clear;   // the classes whose own values the items give up
  TextWrapSettings wrap;
  ObjectStyle newStyle;  // a new style's name, based-on style (none: the default for `kind`) and contents
  ObjectStyleKind kind = ObjectStyleKind::kGeneral;
  ObjectStyleID style = kInvalidObjectStyle;  // the style to apply; the style made
};

class IItemLookCmdData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IITEMLOOKCMDDATA.Get() };
  virtual ItemLookParams& Params() = 0;
};
