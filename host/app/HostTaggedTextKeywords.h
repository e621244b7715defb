// HostTaggedTextKeywords: the host tagged-text dialect's own tags (encoding headers, header definitions,
// styles, tables) by code, and the host's notion of special text characters. Attribute tags are named by the
// attribute classes themselves (AttributeClasses::FindByTagName).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace HostTagCode {
// Unknown names.
inline constexpr int32_t kUnknown = 0;
// Encoding headers, allowed only as the first tag.
inline constexpr int32_t kAsciiHeader = 1;
inline constexpr int32_t kAnsiHeader = 2;
inline constexpr int32_t kUnicodeHeader = 3;
inline constexpr int32_t kBig5Header = 4;
inline constexpr int32_t kSjisHeader = 5;
// Header definitions: version, feature set, colour table, paragraph and character style definitions.
inline constexpr int32_t kVersion = 6;
inline constexpr int32_t kLastHeaderDefinition = 10;
inline constexpr int32_t kParaStyle = 14;
inline constexpr int32_t kCharStyle = 15;
// Table structure.
inline constexpr int32_t kTableStart = 26;
inline constexpr int32_t kTableEnd = 27;
inline constexpr int32_t kRowStart = 28;
inline constexpr int32_t kRowEnd = 29;
inline constexpr int32_t kCellStart = 30;
inline constexpr int32_t kCellEnd = 31;
inline constexpr int32_t kColStart = 32;
// A name ended by ">" that is no keyword: a character code when it starts with "0x".
inline constexpr int32_t kCharacterCode = 33;
// Codes of attribute tags (attribute class numbers) are above this.
inline constexpr int32_t kLastKeyword = 34;
}  // namespace HostTagCode

struct HostTagKeyword {
  int32_t code;
  std::string_view longName;
  std::string_view shortName;  // empty when the tag has none; for headers, the Mac variant
};

namespace HostTaggedTextKeywords {

// The dialect's 32 fixed tags, by ascending code.
std::span<const HostTagKeyword> All();
// The code of a fixed tag's long or short name (case-sensitive); HostTagCode::kUnknown for other names.
int32_t Find(std::u16string_view name);
// Longest tag name read; a longer one is no tag.
inline constexpr size_t kMaxTagName = 56;
// Control characters the text model keeps as text: end nested style (0x03), indent to here (0x07),
// right-indent tab (0x08), tab, forced line break (0x0A), paragraph return, page number (0x18) and section
// marker (0x19).
inline bool IsSpecialTextCharacter(char32_t c) {
  switch (c) {
    case 0x03:
    case 0x07:
    case 0x08:
    case 0x09:
    case 0x0A:
    case 0x0D:
    case 0x18:
    case 0x19:
      return true;
    default:
      return false;
  }
}
// Code points that are never text: U+FDD0..U+FDEF and those ending in FFFE or FFFF.
inline bool IsNonCharacter(char32_t c) {
  return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

}  // namespace HostTaggedTextKeywords
