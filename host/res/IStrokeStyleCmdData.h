// IStrokeStyleCmdData: the parameters of the new-stroke-style command: name, kind and pattern.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/IStrokeStyle.h"

class IStrokeStyleCmdData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTROKESTYLECMDDATA.Get() };
  virtual void Set(const WideString& name, StrokeKind kind, const std::vector<double>& pattern) = 0;
  virtual const WideString& GetName() const = 0;
  virtual StrokeKind GetKind() const = 0;
  virtual const std::vector<double>& GetPattern() const = 0;
};
