// Run metrics: the face's width table scaled by size and horizontal scale, with tracking and kerning.
#include <gtest/gtest.h>

#include "host/compose/RunFont.h"
#include "host/res/FontCatalog.h"
#include "host/text/AttributeClasses.h"

namespace {

struct AdvanceRow {
  const char* name;
  RunFont font;
  char32_t c;
  double advance;
};

TEST(RunFontTest, AdvanceScalesTheWidthTable) {
  const FontFace* mono = FontCatalog::Get().FindByFullName(u"Lumen Mono Regular");
  const FontFace* sans = FontCatalog::Get().FindByFullName(u"Kaari Regular");
  ASSERT_TRUE(mono && sans);
  const AdvanceRow rows[] = {
      {"mono at 10", {mono, 10}, U'a', 6},
      {"mono at 20", {mono, 20}, U'W', 12},
      {"horizontal scale", {mono, 10, 0.5}, U'a', 3},
      {"tracking in ems", {mono, 10, 1, 0.1}, U'a', 7},
      {"kerning in ems", {mono, 10, 1, 0, -0.05}, U'a', 5.5},
      {"zero width stays zero", {mono, 10}, 0x200B, 0},
      {"proportional face", {sans, 12}, U'i', sans->GetAdvance(U'i') * 12 / 1000.0},
  };
  for (const AdvanceRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_DOUBLE_EQ(row.font.Advance(row.c), row.advance);
  }
}

TEST(RunFontTest, VerticalMetricsAndLeading) {
  const FontFace* mono = FontCatalog::Get().FindByFullName(u"Lumen Mono Regular");
  RunFont font{mono, 10};
  EXPECT_DOUBLE_EQ(font.Ascent(), 7.5);
  EXPECT_DOUBLE_EQ(font.Descent(), 2.5);
  EXPECT_DOUBLE_EQ(font.CapHeight(), 7);
  EXPECT_DOUBLE_EQ(font.XHeight(), 5.2);
  const std::pair<double, double> leadings[] = {
      {kAutoLeading, 12}, {15, 15}, {0, 0}, {kRelativeLeadingBase + 3, 13}};
  for (auto [leading, expected] : leadings) {
    SCOPED_TRACE(leading);
    font.leading = leading;
    EXPECT_DOUBLE_EQ(font.Leading(), expected);
  }
}

}  // namespace
