// ItemPlugInData: the persistent IItemPlugInData implementation on page items.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IItemPlugInData.h"

class ItemPlugInData final : public CPMUnknown<IItemPlugInData> {
 public:
  explicit ItemPlugInData(Boss* boss) : CPMUnknown(boss) {}
  const std::vector<std::pair<uint32_t, PlugInBytes>>& GetAll() const override { return blocks_; }
  const PlugInBytes* Get(uint32_t id) const override;
  void Set(uint32_t id, const PlugInBytes& bytes) override;
  void Remove(uint32_t id) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<std::pair<uint32_t, PlugInBytes>> blocks_;
};
