// ParameterEscape: what a backslash inside a tag parameter stands for: the next character taken literally,
// or a numeric character code ("\#233", "\#U+263A").
#pragma once

#include <cstdint>

namespace kesto {

class ScannerInput;

// The escape gave no character: a control character or a lone surrogate followed the backslash; it was
// pushed back so that the reader sees it again.
inline constexpr int32_t kEscapeNothing = -2;

// Reads what follows a backslash. Answers the character, kEscapeNothing, or ScannerInput::kEnd at the end
// of the input. `numericPlatform` 0 maps numeric codes 128–255 through Mac Roman, any other value through
// Windows Latin 1.
int32_t ReadEscape(ScannerInput& input, int32_t numericPlatform);

// Reads the code after "\#": up to three decimal digits for a code 0–255, or "U", an optional "+" and up to
// six hexadecimal digits for a Unicode scalar value. A code out of range, or no digits at all, gives "?".
// The character after the digits is left unread.
int32_t ReadNumericCode(ScannerInput& input, int32_t numericPlatform);

}  // namespace kesto
