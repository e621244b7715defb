// Run metrics and shaping: advances scaled by size and horizontal scale, with tracking and kerning; the
// font's kerning and ligatures as the run's features ask; limits on absurd values.
#include <gtest/gtest.h>

#include "host/compose/RunFont.h"
#include "host/compose/TextShaper.h"
#include "host/res/FontCatalog.h"
#include "host/text/AttributeClasses.h"

namespace {

struct AdvanceRow {
  const char* name;
  RunFont font;
  char32_t c;
  double advance;
};

// Liberation Mono: every character 1229 of 2048 units wide.
constexpr double kCell = 1229.0 / 2048;

TEST(RunFontTest, AdvanceScalesTheFacesWidths) {
  const FontFace* mono = FontCatalog::Get().FindByFullName(u"Liberation Mono Regular");
  const FontFace* sans = FontCatalog::Get().FindByFullName(u"Liberation Sans Regular");
  ASSERT_TRUE(mono && sans);
  const AdvanceRow rows[] = {
      {"mono at 10", {mono, 10}, U'a', kCell * 10},
      {"mono at 20", {mono, 20}, U'W', kCell * 20},
      {"horizontal scale", {mono, 10, 0.5}, U'a', kCell * 5},
      {"tracking in ems", {mono, 10, 1, 0.1}, U'a', kCell * 10 + 1},
      {"kerning in ems", {mono, 10, 1, 0, -0.05}, U'a', kCell * 10 - 0.5},
      {"proportional face", {sans, 12}, U'i', sans->GetAdvance(U'i') * 12 / 1000.0},
  };
  for (const AdvanceRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_DOUBLE_EQ(row.font.Advance(row.c), row.advance);
    std::u16string text(1, static_cast<char16_t>(row.c));
    EXPECT_DOUBLE_EQ(ShapeText(row.font, text).width, row.advance);
  }
}

TEST(RunFontTest, VerticalMetricsAndLeading) {
  const FontFace* mono = FontCatalog::Get().FindByFullName(u"Liberation Mono Regular");
  RunFont font{mono, 10};
  EXPECT_DOUBLE_EQ(font.Ascent(), 1705 * 10 / 2048.0);
  EXPECT_DOUBLE_EQ(font.Descent(), 615 * 10 / 2048.0);
  EXPECT_DOUBLE_EQ(font.CapHeight(), 1349 * 10 / 2048.0);
  EXPECT_DOUBLE_EQ(font.XHeight(), 1082 * 10 / 2048.0);
  const std::pair<double, double> leadings[] = {
      {kAutoLeading, 12}, {15, 15}, {0, 0}, {kRelativeLeadingBase + 3, 13}};
  for (auto [leading, expected] : leadings) {
    SCOPED_TRACE(leading);
    font.leading = leading;
    EXPECT_DOUBLE_EQ(font.Leading(), expected);
  }
}

// Features change glyphs and widths: DejaVu Sans kerns "AV" by -131 of 2048 units and joins "fi" into one
// glyph; controls take no glyph; words shaped apart sum to the text's width.
TEST(TextShaperTest, FeaturesKerningAndLigatures) {
  const FontFace* sans = FontCatalog::Get().FindByFullName(u"DejaVu Sans Book");
  ASSERT_TRUE(sans);
  RunFont plain{sans, 20};
  plain.features = 0;
  RunFont kerned = plain;
  kerned.features = kFeatureKerning;
  EXPECT_DOUBLE_EQ(ShapeText(plain, u"AV").width - ShapeText(kerned, u"AV").width, 131 * 20 / 2048.0);
  EXPECT_DOUBLE_EQ(ShapeText(plain, u"HH").width, ShapeText(kerned, u"HH").width);

  RunFont ligatures = plain;
  ligatures.features = kFeatureLigatures;
  EXPECT_EQ(ShapeText(plain, u"fi").glyphs.size(), 2u);
  ShapedText joined = ShapeText(ligatures, u"fi");
  ASSERT_EQ(joined.glyphs.size(), 1u);
  EXPECT_EQ(joined.glyphs[0].cluster, 0);
  // Tracking comes once per cluster, so a ligature counts once.
  ligatures.tracking = 0.1;
  EXPECT_DOUBLE_EQ(ShapeText(ligatures, u"fi").width, joined.width + 2);

  std::u16string text = u"Two words\tand\x0018 a long-word.";
  ShapedText whole = ShapeText(plain, text);
  double sum = 0;
  std::vector<double> advances;
  for (size_t start = 0; start < text.size();) {
    size_t end = WordEnd(text, start);
    MeasureWord(plain, std::u16string_view(text).substr(start, end - start), advances);
    for (double a : advances)
      sum += a;
    start = end;
  }
  EXPECT_NEAR(whole.width, sum, 1e-9);
  EXPECT_EQ(whole.glyphs.size(), text.size() - 2);  // no glyph for the tab and U+0018
}

}  // namespace
