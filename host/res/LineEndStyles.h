// LineEndStyles: the decorations the host draws at the ends of lines (arrowheads and the like), one fixed set
// for the whole application.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "host/core/WideString.h"

enum class LineEnd : int32_t {
  kNone = 0,
  kSimple = 1,
  kTriangle = 2,
  kBarbed = 3,
  kCurved = 4,
  kCircle = 5,
  kSquare = 6,
  kBar = 7,
};

namespace LineEndStyles {

// Number of styles, kNone included; the styles are the values 0..Count()-1.
int32_t Count();
// "None", "Simple", "Triangle", "Barbed", "Curved", "Circle", "Square", "Bar"; empty for a value outside the
// set.
WideString GetName(LineEnd style);
// The style with that name, compared ignoring ASCII case ("curved" finds kCurved); nullopt when none has it.
std::optional<LineEnd> Find(std::u16string_view name);
// How far the decoration reaches past the end of the line, in stroke weights (for the bounds of a line).
double GetReach(LineEnd style);

}  // namespace LineEndStyles
