// IItemObjectStyle: the object style a page item names; kInvalidObjectStyle when it names none (it then
// follows its document's default for its kind).
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/layout/GraphicIDs.h"
#include "host/layout/ObjectStyle.h"

class IItemObjectStyle : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IITEMOBJECTSTYLE.Get() };
  virtual ObjectStyleID GetStyle() const = 0;
  virtual void SetStyle(ObjectStyleID style) = 0;
};
