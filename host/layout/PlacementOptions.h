// FramePlacementOptions: the persistent IPlacementOptions implementation, added to graphic frames.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IPlacementOptions.h"

class FramePlacementOptions final : public CPMUnknown<IPlacementOptions> {
 public:
  explicit FramePlacementOptions(Boss* boss) : CPMUnknown(boss) {}
  const PlacementOptions& GetOptions() const override { return options_; }
  void SetOptions(const PlacementOptions& options) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  PlacementOptions options_;
};
