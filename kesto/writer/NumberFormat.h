// How the writer prints measurements: points without a unit, rounded half up to at most three decimals,
// trailing zeros dropped, and no minus sign on what rounds to zero.
#pragma once

#include <cstddef>

namespace kesto {

// Room for the longest number FormatNumber writes ("-2147483647.999").
inline constexpr size_t kNumberTextUnits = 16;

// Writes `value` into `out` (at least kNumberTextUnits units) and answers the units written.
size_t FormatNumber(double value, char16_t* out);
// Writes `value` in decimal with a leading '-' for negatives; answers the units written (at most 11).
size_t FormatInteger(long long value, char16_t* out);
// Writes code point `c` in uppercase hexadecimal: four digits, five or six above U+FFFF (at most six);
// answers the digits written.
size_t FormatCodePoint(char32_t c, char* out);

}  // namespace kesto
