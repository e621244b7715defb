// Measurement: the number grammar of tag parameters: terms joined by "+", "-", "*" and "/", evaluated left
// to right, each a number with an optional unit ("12pt+2mm", "1p6", "50%").
#pragma once

#include <cstdint>
#include <string_view>

namespace kesto {

enum class MeasureUnit : int32_t {
  kNone = 0,
  kAgate = 1,
  kCicero = 2,
  kMillimeter = 3,
  kCentimeter = 4,
  kInch = 5,
  kPoint = 6,
  kPica = 7,
  kPercent = 8,
};

// Size of one `unit` in points (kNone and kPercent count as 1).
double PointsPerUnit(MeasureUnit unit);

// What a measurement is read as: points, a percentage (the sum is divided by 100 and "%" is accepted) or a
// plain number (no units).
enum class MeasureTarget { kPoints, kPercentage, kPlain };

// Reads the whole of `text`. Answers false, leaving `value` alone, when the text is not a measurement
// (an empty text included).
bool ParseMeasurement(std::u16string_view text, MeasureTarget target, double& value);

}  // namespace kesto
