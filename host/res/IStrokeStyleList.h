// IStrokeStyleList: the stroke styles of a document, on its workspace: the built-in ones first.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/ResIDs.h"

class IStrokeStyleList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTROKESTYLELIST.Get() };
  virtual int32_t CountStrokeStyles() const = 0;
  // kInvalidUID outside 0..count-1.
  virtual UID GetNthStrokeStyleUID(int32_t index) const = 0;
  // The style whose name equals `name` exactly; kInvalidUID when none has it.
  virtual UID FindStrokeStyle(const WideString& name) const = 0;

  // For the stroke-style command and the document initializer.
  virtual void AddStrokeStyle(UID style) = 0;
};
