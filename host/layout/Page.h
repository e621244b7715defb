// Page: the persistent IPage implementation.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IPage.h"

class Page final : public CPMUnknown<IPage> {
 public:
  explicit Page(Boss* boss) : CPMUnknown(boss) {}
  UID GetSpread() const override { return spread_; }
  void SetSpread(UID spread) override;
  double GetWidth() const override { return width_; }
  double GetHeight() const override { return height_; }
  void SetSize(double width, double height) override;
  const Margins& GetMargins() const override { return margins_; }
  void SetMargins(const Margins& margins) override;
  int32_t GetColumns() const override { return columns_; }
  double GetGutter() const override { return gutter_; }
  void SetColumns(int32_t columns, double gutter) override;
  UID GetMasterSpread() const override { return master_; }
  void SetMasterSpread(UID master) override;
  const std::vector<OverrideEntry>& GetOverrides() const override { return overrides_; }
  void SetOverrides(std::vector<OverrideEntry> overrides) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  UID spread_;
  double width_ = 612;
  double height_ = 792;
  Margins margins_;
  int32_t columns_ = 1;
  double gutter_ = 12;
  UID master_;
  std::vector<OverrideEntry> overrides_;
};
