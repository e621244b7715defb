// Composition with shaped text: a line is as wide as the glyphs ShapeText gives for it, the font's kerning
// narrows it when the run leaves kerning to the metrics method, and a font the machine lacks composes in a
// substitute and is reported.
#include <gtest/gtest.h>

#include "host/compose/MissingFonts.h"
#include "host/compose/TextShaper.h"
#include "host/db/UndoRecord.h"
#include "host/res/IFontFamily.h"
#include "host/res/ResIDs.h"
#include "tests/host/compose/ComposeFixture.h"

namespace {

class ShapedCompositionTest : public compose_test::ComposeFixture {
 protected:
  void SetUp() override {
    ComposeFixture::SetUp();
    Story(u"AVATAR Wave To fine figures, Yours. " + std::u16string(40, u'x') + u"\r",
          {PMRect(0, 0, 300, 200)});
    auto fonts = QueryDocWorkspace<IDocFontList>(db_);
    Set(kTextAttrFontFamily, fonts->FindFamily(u"DejaVu Sans"));
    Set(kTextAttrFontStyle, WideString(u"Book"));
  }
  // Each line's width against its text shaped in its run's font.
  ::testing::AssertionResult LinesAreShapedWidths() {
    auto story = Instantiate<ITextModel>(db_, story_);
    std::u16string text = story->GetText(0, story->TotalLength());
    for (const ComposedLine& line : Compose().frames.at(0).lines) {
      int32_t end = line.end;
      while (end > line.start && (IsBreakingSpace(text[end - 1]) || text[end - 1] == u'\r'))
        --end;
      double shaped = 0;  // run by run, as a renderer draws the line
      for (int32_t at = line.start; at < end;) {
        int32_t runEnd = std::min(end, story->GetRunAt(TextStrand::kCharacter, at).end);
        shaped +=
            ShapeText(ResolveRunFont(story.get(), at), std::u16string_view(text).substr(at, runEnd - at))
                .width;
        at = runEnd;
      }
      if (std::abs(shaped - line.width) > 1e-9)
        return ::testing::AssertionFailure()
               << "line from " << line.start << ": " << line.width << " vs " << shaped;
    }
    return ::testing::AssertionSuccess();
  }
  double FirstLineWidth() { return Compose().frames.at(0).lines.at(0).width; }
};

TEST_F(ShapedCompositionTest, LinesAreAsWideAsTheirShapedGlyphs) {
  EXPECT_TRUE(LinesAreShapedWidths());
  double unkerned = FirstLineWidth();
  Set(kTextAttrKerningMethod, kMetricsKerningMethodBoss);
  Set(kTextAttrKerningValue, kKerningByMethod);
  EXPECT_LT(FirstLineWidth(), unkerned - 1);  // "AV", "VA", "TA", "Wa", "To", "Yo" ... kern
  EXPECT_TRUE(LinesAreShapedWidths());
  Set(kTextAttrLigatures, true);
  Set(kTextAttrTracking, 0.05);
  EXPECT_TRUE(LinesAreShapedWidths());
}

TEST_F(ShapedCompositionTest, MissingFontComposesInASubstituteAndIsReported) {
  EXPECT_TRUE(FindMissingFonts(*db_).empty());
  // As a document from a machine with other fonts: the family object keeps the name it was saved with.
  auto fonts = QueryDocWorkspace<IDocFontList>(db_);
  {
    UntrackedChanges opened(db_);  // as reading that document would
    Instantiate<IFontFamily>(db_, fonts->FindFamily(u"DejaVu Sans"))->SetFamilyName(u"Elsewhere Sans");
  }
  Set(kTextAttrFontStyle, WideString(u"Bold"), 0, 6);
  std::vector<MissingFont> missing = FindMissingFonts(*db_);
  ASSERT_EQ(missing.size(), 2u);
  EXPECT_EQ(missing[0].family + u" " + missing[0].face, u"Elsewhere Sans Bold");
  EXPECT_EQ(missing[1].family + u" " + missing[1].face, u"Elsewhere Sans Book");
  for (const MissingFont& font : missing) {
    ASSERT_NE(font.substitute, nullptr);
    EXPECT_TRUE(font.substitute->IsUsable());
  }
  EXPECT_GT(FirstLineWidth(), 0);
  EXPECT_TRUE(LinesAreShapedWidths());
}

}  // namespace
