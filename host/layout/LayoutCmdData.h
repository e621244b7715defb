// LayoutCmdData: the ILayoutCmdData implementation every layout command carries.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/ILayoutCmdData.h"

class LayoutCmdData final : public CPMUnknown<ILayoutCmdData> {
 public:
  explicit LayoutCmdData(Boss* boss) : CPMUnknown(boss) {}
  LayoutParams& Params() override { return params_; }
  const LayoutParams& Params() const override { return params_; }

 private:
  LayoutParams params_;
};
