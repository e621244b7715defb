// Type-style flags: the tag language's twelve style bits (bold, italic, underline ... word underline) and
// how they map onto the host attributes that carry them (font face, underline, strike-through,
// capitalization, position).
#pragma once

#include <cstdint>

namespace kesto {

using TypeStyle = uint32_t;

enum TypeStyleBit : int32_t {
  kBoldBit = 0,
  kItalicBit = 1,
  kUnderlineBit = 2,
  kOutlineBit = 3,
  kShadowBit = 4,
  kSuperscriptBit = 5,
  kSubscriptBit = 6,
  kSuperiorBit = 7,
  kStrikeThroughBit = 8,
  kAllCapsBit = 9,
  kSmallCapsBit = 10,
  kWordUnderlineBit = 11,
};
inline constexpr int32_t kTypeStyleBitCount = 12;

constexpr TypeStyle Flag(int32_t bit) {
  return TypeStyle(1) << bit;
}

inline constexpr TypeStyle kPlain = 0;
inline constexpr TypeStyle kAllTypeStyleBits = Flag(kTypeStyleBitCount) - 1;
inline constexpr TypeStyle kFaceBits = Flag(kBoldBit) | Flag(kItalicBit);
inline constexpr TypeStyle kUnderlineGroup = Flag(kUnderlineBit) | Flag(kWordUnderlineBit);
inline constexpr TypeStyle kStrikeThroughGroup = Flag(kStrikeThroughBit);
inline constexpr TypeStyle kCapitalizationGroup = Flag(kAllCapsBit) | Flag(kSmallCapsBit);
inline constexpr TypeStyle kPositionGroup = Flag(kSuperscriptBit) | Flag(kSubscriptBit) | Flag(kSuperiorBit);
// Outline and shadow have no host attribute: the host cannot show them.
inline constexpr TypeStyle kUnsupportedBits = Flag(kOutlineBit) | Flag(kShadowBit);
// Bit 31 of a cached type style marks the cache valid.
inline constexpr TypeStyle kTypeStyleValid = TypeStyle(1) << 31;

// Values of the host's capitalization and position attributes.
inline constexpr int32_t kCapsNormal = 0;
inline constexpr int32_t kCapsSmall = 1;
inline constexpr int32_t kCapsAll = 2;
inline constexpr int32_t kCapsAllSmall = 3;
inline constexpr int32_t kPositionNormal = 0;
inline constexpr int32_t kPositionSuperscript = 1;
inline constexpr int32_t kPositionSubscript = 2;
// The tag language's superior position; the host has none and shows it as superscript.
inline constexpr int32_t kPositionSuperior = 7;

// Inverts `bit`; superscript and subscript exclude each other, and so do all caps and small caps.
TypeStyle ToggleBit(TypeStyle flags, int32_t bit);

// The flags with one attribute folded in: its group's bits are cleared, then set from the value.
TypeStyle WithUnderline(TypeStyle flags, int32_t underline);  // 1 underline, 2 word underline
TypeStyle WithStrikeThrough(TypeStyle flags, bool on);
TypeStyle WithPosition(TypeStyle flags, int32_t position);              // 1, 2, or kPositionSuperior
TypeStyle WithCapitalization(TypeStyle flags, int32_t capitalization);  // 1 small caps, 2 all caps

// The attribute values the flags ask for.
bool UnderlineOf(TypeStyle flags);
bool StrikeThroughOf(TypeStyle flags);
int32_t CapitalizationOf(TypeStyle flags);  // all caps wins over small caps
int32_t PositionOf(TypeStyle flags);        // superscript, then subscript, then superior (as superscript)

}  // namespace kesto
