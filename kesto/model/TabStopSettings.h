// Tab stops as the tag language sets them: alignment codes, align-on characters (which also become the
// default for later stops, per thread) and leaders of one or two characters.
#pragma once

#include <cstdint>

#include "host/text/TabStopList.h"

namespace kesto {

// Tag-side alignment codes.
inline constexpr int32_t kTabCodeLeft = 0;
inline constexpr int32_t kTabCodeCenter = 1;
inline constexpr int32_t kTabCodeRight = 2;
inline constexpr int32_t kTabCodeLeftToo = 3;  // an older spelling of left
inline constexpr int32_t kTabCodeOnPeriod = 4;
inline constexpr int32_t kTabCodeOnComma = 5;

// The align-on character a new tab stop gets on this thread ('.' until changed).
char16_t DefaultAlignCharacter();
void SetDefaultAlignCharacter(char16_t c);
// A left tab stop at `position` with the default align-on character and no leader.
TabStop NewTabStop(double position);

// 0 and 3 left, 1 center, 2 right, 4 and 5 align on "." and ","; false (stop unchanged) for other codes.
bool SetTabAlignment(TabStop& stop, int32_t code);
// Align on `c`, which also becomes the default align-on character; false for U+0000.
bool SetTabAlignCharacter(TabStop& stop, char16_t c);
// The leader is `first`, followed by `second` unless that is 0; a lone space (or two) means no leader.
// False (stop unchanged) when `first` is U+0000.
bool SetTabLeader(TabStop& stop, char16_t first, char16_t second = 0);

}  // namespace kesto
