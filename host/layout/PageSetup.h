// PageSetup: the persistent IPageSetup implementation on the document object.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IPageSetup.h"

class PageSetup final : public CPMUnknown<IPageSetup> {
 public:
  explicit PageSetup(Boss* boss) : CPMUnknown(boss) {}
  const PageSetupValues& Get() const override { return values_; }
  void Set(const PageSetupValues& values) override;
  bool IsLayoutSuspended() const override { return suspended_; }
  void SetLayoutSuspended(bool suspended) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  PageSetupValues values_;
  bool suspended_ = false;
};
