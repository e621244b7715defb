// CodePages: the two 8-bit code pages of tagged text, Windows Latin 1 (code page 1252) and Mac Roman, in
// both directions. Bytes below 0x80 are ASCII in both.
#pragma once

#include <cstdint>

enum class CodePage { kWindows1252, kMacRoman };

// Upper halves of the code pages: entry i is the character of byte 0x80 + i, or 0 where the byte has none
// (the five unassigned positions of 1252: 0x81, 0x8D, 0x8F, 0x90, 0x9D).
extern const char16_t kWindows1252High[128];
extern const char16_t kMacRomanHigh[128];

// The character of `byte`, or -1 when the code page assigns none.
inline int32_t CodePageToUnicode(CodePage page, uint8_t byte) {
  if (byte < 0x80) return byte;
  char16_t c = (page == CodePage::kWindows1252 ? kWindows1252High : kMacRomanHigh)[byte - 0x80];
  return c != 0 ? c : -1;
}

// The byte of `cp`, or -1 when the code page cannot represent it.
int CodePageFromUnicode(CodePage page, char32_t cp);
