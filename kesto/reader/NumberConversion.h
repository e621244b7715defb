// NumberConversion: turns the text of a number parameter into a value, under the flags a tag chooses:
// percentage, relative forms (".", ".+v", ".-v", ".*v", "./v"), plain number, checked range, "$" allowed.
#pragma once

#include <cstdint>
#include <string_view>

namespace kesto {

// Conversion flags.
inline constexpr uint32_t kNumberPercentage = 0x01;  // a fraction: "50" and "50%" give 0.5
inline constexpr uint32_t kNumberRelative = 0x02;
inline constexpr uint32_t kNumberPlain = 0x04;           // no units
inline constexpr uint32_t kNumberChecked = 0x08;         // out of range is error 10 rather than clamped
inline constexpr uint32_t kNumberDefaultAllowed = 0x10;  // "$" answers kNumberDefault

// The answer for an allowed "$": the caller applies its default.
inline constexpr int32_t kNumberDefault = -1;

// Converts `text`. `target` holds the value in force (relative forms start from it) and receives the
// result. Answers 0, kNumberDefault, or a scanner error: 9 malformed, 10 out of range (checked), 27 bad
// relative form, 30 "$" not allowed. Only a 0 answer changes `target`. An empty text counts as 0.
int32_t ConvertNumber(std::u16string_view text, double& target, uint32_t flags, double minimum,
                      double maximum);

// The same for an integer: always a plain number; the result is cut toward zero.
int32_t ConvertInteger(std::u16string_view text, int32_t& target, uint32_t flags, int32_t minimum,
                       int32_t maximum);

}  // namespace kesto
