// RenderColor: the screen colour a swatch prints as at a tint, for drawing pages.
#pragma once

#include <optional>

#include "host/db/IDataBase.h"
#include "host/res/ColorValue.h"

// Red, green and blue from 0 to 1.
struct RgbColor {
  double red = 0;
  double green = 0;
  double blue = 0;
  bool operator==(const RgbColor&) const = default;
};

namespace RenderColor {

// The colour in RGB: CMYK by the plain complement (no colour management), Lab through D50 XYZ to sRGB.
// An invalid colour answers black.
RgbColor ToRgb(const ColorValue& color);
// What the swatch `swatch` prints at `tint` percent (a tint that is not a number counts as 100): nothing for
// the None swatch or a UID that names no swatch; Paper prints white, Registration black.
std::optional<RgbColor> OfSwatch(const IDataBase* db, UID swatch, double tint);

}  // namespace RenderColor
