// SpreadList: the persistent ISpreadList implementation on the document object.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/layout/ISpreadList.h"

class SpreadList final : public CPMUnknown<ISpreadList> {
 public:
  explicit SpreadList(Boss* boss) : CPMUnknown(boss) {}
  int32_t CountSpreads() const override { return static_cast<int32_t>(spreads_.size()); }
  UID GetNthSpread(int32_t index) const override;
  int32_t IndexOfSpread(UID spread) const override;
  int32_t CountMasterSpreads() const override { return static_cast<int32_t>(masters_.size()); }
  UID GetNthMasterSpread(int32_t index) const override;
  int32_t IndexOfMasterSpread(UID spread) const override;
  void InsertSpread(UID spread, int32_t at) override { Insert(spreads_, spread, at); }
  void RemoveSpread(UID spread) override { Remove(spreads_, spread); }
  void InsertMasterSpread(UID spread, int32_t at) override { Insert(masters_, spread, at); }
  void RemoveMasterSpread(UID spread) override { Remove(masters_, spread); }
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  void Insert(std::vector<UID>& list, UID spread, int32_t at);
  void Remove(std::vector<UID>& list, UID spread);
  std::vector<UID> spreads_;
  std::vector<UID> masters_;
};
