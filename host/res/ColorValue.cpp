// Colour values: range checks and tints.
#include "host/res/ColorValue.h"

#include <algorithm>
#include <cmath>

namespace {

struct Range {
  double low;
  double high;
};

bool InRange(double v, Range r) {
  return std::isfinite(v) && v >= r.low && v <= r.high;
}

}  // namespace

bool IsValidColor(const ColorValue& color) {
  const auto& c = color.components;
  switch (color.space) {
    case ColorSpace::kCMYK:
      for (double v : c) {
        if (!InRange(v, {0, 100})) return false;
      }
      return true;
    case ColorSpace::kRGB:
      return InRange(c[0], {0, 255}) && InRange(c[1], {0, 255}) && InRange(c[2], {0, 255}) && c[3] == 0;
    case ColorSpace::kLab:
      return InRange(c[0], {0, 100}) && InRange(c[1], {-128, 127}) && InRange(c[2], {-128, 127}) && c[3] == 0;
  }
  return false;
}

ColorValue ApplyTint(const ColorValue& color, double tint) {
  double t = std::isfinite(tint) ? std::clamp(tint, 0.0, 100.0) / 100.0 : 1.0;
  ColorValue out = color;
  auto& c = out.components;
  switch (color.space) {
    case ColorSpace::kCMYK:
      for (double& v : c)
        v *= t;
      break;
    case ColorSpace::kRGB:
      for (int i = 0; i < 3; ++i)
        c[i] = 255 - (255 - c[i]) * t;
      break;
    case ColorSpace::kLab:
      c[0] = 100 - (100 - c[0]) * t;
      c[1] *= t;
      c[2] *= t;
      break;
  }
  return out;
}
