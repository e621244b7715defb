// ColorValue: a colour by its components in one colour space, as swatches keep it.
#pragma once

#include <array>
#include <cstdint>

enum class ColorSpace : int32_t { kCMYK = 0, kRGB = 1, kLab = 2 };

// Components in the space's own units: CMYK percentages 0..100; RGB levels 0..255; Lab L 0..100 with a and b
// in -128..127. Three-component spaces leave the fourth at 0.
struct ColorValue {
  ColorSpace space = ColorSpace::kCMYK;
  std::array<double, 4> components{};
  bool spot = false;
  bool operator==(const ColorValue&) const = default;
};

// Whether the space is known and every component is a number within its space's range.
bool IsValidColor(const ColorValue& color);
// The colour printed at `tint` percent: CMYK components scaled, RGB moved toward white, Lab L toward 100 and
// a, b toward 0.
ColorValue ApplyTint(const ColorValue& color, double tint);
