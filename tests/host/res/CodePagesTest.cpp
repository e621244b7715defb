// The code page tables: known positions, unassigned positions, and that each table is its own inverse.
#include "host/res/CodePages.h"

#include <gtest/gtest.h>

#include <set>

namespace res_test {
namespace {

TEST(CodePages, KnownPositions) {
  struct Case {
    CodePage page;
    uint8_t byte;
    int32_t cp;
  };
  const Case cases[] = {
      {CodePage::kWindows1252, 0x41, 0x41},   {CodePage::kWindows1252, 0x80, 0x20AC},
      {CodePage::kWindows1252, 0x83, 0x0192}, {CodePage::kWindows1252, 0x8A, 0x0160},
      {CodePage::kWindows1252, 0x8E, 0x017D}, {CodePage::kWindows1252, 0x93, 0x201C},
      {CodePage::kWindows1252, 0x98, 0x02DC}, {CodePage::kWindows1252, 0x9F, 0x0178},
      {CodePage::kWindows1252, 0xA0, 0x00A0}, {CodePage::kWindows1252, 0xFF, 0x00FF},
      {CodePage::kMacRoman, 0x41, 0x41},      {CodePage::kMacRoman, 0x80, 0x00C4},
      {CodePage::kMacRoman, 0x8E, 0x00E9},    {CodePage::kMacRoman, 0xA5, 0x2022},
      {CodePage::kMacRoman, 0xBD, 0x03A9},    {CodePage::kMacRoman, 0xCA, 0x00A0},
      {CodePage::kMacRoman, 0xD2, 0x201C},    {CodePage::kMacRoman, 0xDB, 0x20AC},
      {CodePage::kMacRoman, 0xDE, 0xFB01},    {CodePage::kMacRoman, 0xF0, 0xF8FF},
      {CodePage::kMacRoman, 0xF5, 0x0131},    {CodePage::kMacRoman, 0xFF, 0x02C7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << (c.page == CodePage::kMacRoman ? "mac " : "1252 ") << std::hex << int{c.byte});
    EXPECT_EQ(c.cp, CodePageToUnicode(c.page, c.byte));
    EXPECT_EQ(c.byte, CodePageFromUnicode(c.page, static_cast<char32_t>(c.cp)));
  }
}

TEST(CodePages, UnassignedWindowsPositions) {
  std::set<int> unassigned;
  for (int byte = 0; byte < 256; ++byte)
    if (CodePageToUnicode(CodePage::kWindows1252, static_cast<uint8_t>(byte)) < 0) unassigned.insert(byte);
  EXPECT_EQ((std::set<int>{0x81, 0x8D, 0x8F, 0x90, 0x9D}), unassigned);
  for (int byte = 0; byte < 256; ++byte)
    EXPECT_GE(CodePageToUnicode(CodePage::kMacRoman, static_cast<uint8_t>(byte)), 0) << byte;
}

TEST(CodePages, EachByteRoundTripsAndNoCharacterHasTwoBytes) {
  for (CodePage page : {CodePage::kWindows1252, CodePage::kMacRoman}) {
    std::set<int32_t> seen;
    for (int byte = 0; byte < 256; ++byte) {
      int32_t cp = CodePageToUnicode(page, static_cast<uint8_t>(byte));
      if (cp < 0) continue;
      EXPECT_TRUE(seen.insert(cp).second) << "two bytes for U+" << std::hex << cp;
      EXPECT_EQ(byte, CodePageFromUnicode(page, static_cast<char32_t>(cp)));
    }
  }
}

TEST(CodePages, CharactersOutsideThePage) {
  for (char32_t cp :
       {char32_t{0x101}, char32_t{0xFFFD}, char32_t{0x1F600}, char32_t{0x81}, char32_t{0x110000}}) {
    SCOPED_TRACE(static_cast<uint32_t>(cp));
    EXPECT_EQ(-1, CodePageFromUnicode(CodePage::kWindows1252, cp));
    EXPECT_EQ(-1, CodePageFromUnicode(CodePage::kMacRoman, cp));
  }
  // Latin-1 letters that Mac Roman lacks.
  for (char32_t cp :
       {char32_t{0xA4}, char32_t{0xA6}, char32_t{0xD0}, char32_t{0xDE}, char32_t{0xFE}, char32_t{0xBD}})
    EXPECT_EQ(-1, CodePageFromUnicode(CodePage::kMacRoman, cp)) << static_cast<uint32_t>(cp);
}

}  // namespace
}  // namespace res_test
