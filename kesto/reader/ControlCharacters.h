// ControlCharacters: what a character below U+0020 becomes in Kesto text when control characters are not
// kept: itself, another character, a break (a paragraph return of a given break kind), or nothing.
#pragma once

#include <cstdint>

namespace kesto {

struct ControlMapping {
  enum class Kind : uint8_t { kInsert, kDrop, kBreak };
  Kind kind;
  int32_t value;  // the character to insert, or the break kind
};

// `c` must be below U+0020.
constexpr ControlMapping MapControlCharacter(int32_t c) {
  using Kind = ControlMapping::Kind;
  switch (c) {
    case 0x09:
    case 0x0D:
      return {Kind::kInsert, c};
    case 0x07:
      return {Kind::kInsert, 0x0A};  // forced line break
    case 0x0B:
      return {Kind::kBreak, 1};
    case 0x0C:
      return {Kind::kBreak, 3};
    case 0x0F:
      return {Kind::kInsert, 0x2008};
    case 0x10:
      return {Kind::kInsert, 0x2005};
    case 0x1D:
      return {Kind::kInsert, 0x200B};
    case 0x1E:
      return {Kind::kInsert, 0x07};
    case 0x1F:
      return {Kind::kInsert, 0xAD};
    default:
      return {Kind::kDrop, 0};
  }
}

// Unicode non-characters (U+FDD0–U+FDEF and the last two code points of every plane) never reach a story.
constexpr bool IsNonCharacter(int32_t c) {
  return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

}  // namespace kesto
