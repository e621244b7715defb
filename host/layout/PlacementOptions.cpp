// Graphic frames' placement options.
#include "host/layout/PlacementOptions.h"

#include "host/layout/LayoutStreams.h"

bool PlacementOptions::IsValid() const {
  auto f = static_cast<int32_t>(fitting);
  auto length = [](double v) { return IsValidCoordinate(v) && v >= 0; };
  return f >= 0 && f < kFrameFittingCount && referencePoint >= 0 && referencePoint < kReferencePointCount &&
         length(crop.top) && length(crop.left) && length(crop.bottom) && length(crop.right);
}

void FramePlacementOptions::SetOptions(const PlacementOptions& options) {
  if (options == options_) return;
  if (PreDirty() != kSuccess) return;
  options_ = options;
}

void FramePlacementOptions::ReadWrite(IPMStream* stream, ImplementationID) {
  auto fitting = static_cast<int32_t>(options_.fitting);
  LayoutStreams::XferInt32In(stream, fitting, 0, kFrameFittingCount - 1, "a frame's fitting");
  options_.fitting = static_cast<FrameFitting>(fitting);
  LayoutStreams::XferInt32In(stream, options_.referencePoint, 0, kReferencePointCount - 1,
                             "a frame's reference point");
  stream->XferBool(options_.autoFit);
  LayoutStreams::XferMargins(stream, options_.crop, "a frame's crop");
}
