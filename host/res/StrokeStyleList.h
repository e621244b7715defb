// StrokeStyleList: the persistent IStrokeStyleList on a document's workspace.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/res/IStrokeStyleList.h"

class StrokeStyleList final : public CPMUnknown<IStrokeStyleList> {
 public:
  explicit StrokeStyleList(Boss* boss) : CPMUnknown(boss) {}
  int32_t CountStrokeStyles() const override { return static_cast<int32_t>(styles_.size()); }
  UID GetNthStrokeStyleUID(int32_t index) const override;
  UID FindStrokeStyle(const WideString& name) const override;
  void AddStrokeStyle(UID style) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<UID> styles_;
};
