// IColorSwatchCmdData: the parameters of the new-colour-swatch command: the name and the colour.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/ColorValue.h"
#include "host/res/ResIDs.h"

class IColorSwatchCmdData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ICOLORSWATCHCMDDATA.Get() };
  virtual void Set(const WideString& name, const ColorValue& color) = 0;
  virtual const WideString& GetName() const = 0;
  virtual const ColorValue& GetColor() const = 0;
};
