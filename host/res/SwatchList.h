// SwatchList: the persistent ISwatchList on a document's workspace.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/res/ISwatchList.h"

class SwatchList final : public CPMUnknown<ISwatchList> {
 public:
  explicit SwatchList(Boss* boss) : CPMUnknown(boss) {}
  UID GetNoneSwatchUID() const override { return none_; }
  UID GetPaperSwatchUID() const override { return paper_; }
  UID GetBlackSwatchUID() const override { return black_; }
  UID GetRegistrationSwatchUID() const override { return registration_; }

  int32_t CountSwatches() const override { return static_cast<int32_t>(swatches_.size()); }
  UID GetNthSwatchUID(int32_t index) const override;
  UID FindSwatch(const WideString& name) const override;
  UID FindTint(UID base, double tint) const override;
  WideString MakeUniqueName(const WideString& name) const override;

  void AddSwatch(UID swatch) override;
  void SetReservedSwatches(UID none, UID paper, UID black, UID registration) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  UID none_;
  UID paper_;
  UID black_;
  UID registration_;
  std::vector<UID> swatches_;
};
