// ITextWrap: a page item's text wrap.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/layout/GraphicIDs.h"
#include "host/layout/TextWrap.h"

class ITextWrap : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTWRAP.Get() };
  virtual const TextWrapSettings& GetWrap() const = 0;
  virtual void SetWrap(const TextWrapSettings& wrap) = 0;
};
