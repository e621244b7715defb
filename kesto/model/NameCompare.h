// Comparing names the way the tag language does: without regard to case, for the Latin, Greek and Cyrillic
// letters names are written in ("Repérage" equals "REPÉRAGE").
#pragma once

#include <string_view>

namespace kesto {

// The lower-case form of `c` for letters of Basic Latin, Latin-1, Latin Extended-A, Greek and Cyrillic;
// every other unit unchanged.
char16_t FoldCase(char16_t c);
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace kesto
