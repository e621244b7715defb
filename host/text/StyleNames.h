// Style names: a style's full name is the path of its groups and its own name, separated by U+E00B.
#pragma once

#include <string_view>
#include <vector>

#include "host/core/WideString.h"

inline constexpr char16_t kStyleGroupSeparator = u'\uE00B';
// Longest full name a style may have.
inline constexpr size_t kMaxStyleNameLength = 256;

namespace StyleNames {

// The style's own name: what follows the last separator.
std::u16string_view LeafName(std::u16string_view fullName);
// The path of the style's group; empty for a style outside any group.
std::u16string_view GroupPath(std::u16string_view fullName);
// Every group path the name implies, outermost first ("A", "A<sep>B" for "A<sep>B<sep>Style").
std::vector<WideString> GroupPaths(std::u16string_view fullName);
// A full name is valid when it is not longer than kMaxStyleNameLength, has no empty group or own name and
// no control characters.
bool IsValid(std::u16string_view fullName);

}  // namespace StyleNames
