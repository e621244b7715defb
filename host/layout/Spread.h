// Spread and MasterSpread: the persistent ISpread and IMasterSpread implementations.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/layout/ISpread.h"

class Spread final : public CPMUnknown<ISpread> {
 public:
  explicit Spread(Boss* boss) : CPMUnknown(boss) {}
  int32_t CountPages() const override { return static_cast<int32_t>(pages_.size()); }
  UID GetNthPage(int32_t index) const override;
  int32_t IndexOfPage(UID page) const override;
  void InsertPage(UID page, int32_t at) override;
  void RemovePage(UID page) override;
  int32_t GetPagePosition() const override { return pagePosition_; }
  void SetPagePosition(int32_t position) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<UID> pages_;
  int32_t pagePosition_ = -1;
};

class MasterSpread final : public CPMUnknown<IMasterSpread> {
 public:
  explicit MasterSpread(Boss* boss) : CPMUnknown(boss) {}
  const WideString& GetPrefix() const override { return prefix_; }
  const WideString& GetName() const override { return name_; }
  void SetPrefixAndName(const WideString& prefix, const WideString& name) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  WideString prefix_;
  WideString name_;
};
