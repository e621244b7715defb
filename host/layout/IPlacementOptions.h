// IPlacementOptions: how a graphic frame takes a picture placed into it: the fitting applied on placing,
// the reference point the content is aligned at, whether fitting is done again when the frame is resized,
// and how much of each side of the content is cropped away before fitting.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/layout/Geometry.h"
#include "host/layout/PictureIDs.h"

// Stored in documents by number.
enum class FrameFitting : int32_t { kNone = 0, kContentToFrame, kProportional, kFill };
inline constexpr int32_t kFrameFittingCount = 4;
// The nine reference points, row by row from the top left; 4 is the centre.
inline constexpr int32_t kReferencePointCount = 9;
inline constexpr int32_t kCentreReferencePoint = 4;

struct PlacementOptions {
  FrameFitting fitting = FrameFitting::kNone;
  int32_t referencePoint = 0;
  bool autoFit = false;
  Margins crop{0, 0, 0, 0};  // points of the content's natural size cut from each side, never negative
  bool operator==(const PlacementOptions&) const = default;
  // Values in range: a known fitting, a reference point 0..8, crops that are lengths.
  bool IsValid() const;
};

class IPlacementOptions : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IPLACEMENTOPTIONS.Get() };
  virtual const PlacementOptions& GetOptions() const = 0;
  virtual void SetOptions(const PlacementOptions& options) = 0;
};
