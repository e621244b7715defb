// Face-name analysis and composition, and case-insensitive name comparison.
#include <gtest/gtest.h>

#include "kesto/model/FaceNames.h"
#include "kesto/model/NameCompare.h"

namespace kesto {
namespace {

TEST(FaceNamesTest, AnalysisFindsBoldAndItalicAsWholeWords) {
  struct Case {
    const char16_t* name;
    int32_t bits;
    const char16_t* remaining;
  };
  const Case cases[] = {
      {u"Bold Italic", 3, u""},
      {u"BoldOblique", 3, u""},
      {u"ItalicBold", 3, u""},
      {u"Regular", 0, u""},
      {u"Roman", 0, u""},
      {u"Book Italic", 2, u""},
      {u"Semibold", 0, u"Semibold"},
      {u"Semibold Italic", 2, u"Semibold"},
      {u"Boldface", 0, u"Boldface"},
      {u"Bold italic", 1, u" italic"},
      {u"Black", 1, u""},
      {u"Light Oblique", 2, u"Light"},
      {u"LightOblique", 2, u"Light"},
      {u"Condensed", 0, u"Cn"},
      {u"Bold Condensed", 1, u" Cn"},
      {u"Cond Bold", 1, u"Cn"},
      {u"Regular MS", 0, u" MS"},
      {u"Text Book", 0, u"Text"},
      {u"DejaVuSerif-BoldItalic", 3, u"DejaVuSerif"},
      {u"Bold-Italic", 2, u"Bold"},  // only what follows the last hyphen is searched
      {u"", 0, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.name));
    FaceAnalysis a = AnalyseFaceName(c.name);
    EXPECT_EQ(a.bits, c.bits);
    EXPECT_EQ(a.remaining, c.remaining);
  }
}

TEST(FaceNamesTest, WeightAndWidthWords) {
  struct Case {
    const char16_t* name;
    bool has;
  };
  const Case cases[] = {
      {u"Semibold", true},      {u"Semibold Italic", true}, {u"Light", true},
      {u"BoldCondensed", true}, {u"Narrow Bold", true},     {u"Bold", false},
      {u"Lightface", false},    {u"semibold", false},       {u"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.name));
    EXPECT_EQ(HasWeightOrWidthWord(c.name), c.has);
  }
}

TEST(FaceNamesTest, ComposedNamesPutBoldWhereTheRegularWordWas) {
  struct Case {
    const char16_t* face;
    int32_t bits;
    const char16_t* composed;
  };
  const Case cases[] = {
      {u"Regular", 1, u"Bold"},
      {u"Regular", 3, u"Bold Italic"},
      {u"Roman", 2, u"Italic"},
      {u"Condensed", 1, u"Bold Condensed"},
      {u"Condensed", 3, u"Bold Condensed Italic"},
      {u"Text Book", 1, u"Text Bold"},
      {u"Regular Cond", 1, u"Bold Cond"},
      {u"Italic", 3, u"Bold Italic"},
      {u"Bold", 2, u"Italic"},
      {u"Bold", 0, u"Regular"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.face) + " " + std::to_string(c.bits));
    EXPECT_EQ(ComposeFaceName(c.face, c.bits), c.composed);
  }
  EXPECT_EQ(CanonicalFaceName(0), u"Regular");
  EXPECT_EQ(CanonicalFaceName(3), u"Bold Italic");
  EXPECT_EQ(CanonicalFaceName(6), u"Italic");
}

TEST(NameCompareTest, CaseIsIgnoredForLatinGreekAndCyrillic) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    bool equal;
  };
  const Case cases[] = {
      {u"Repérage", u"REPÉRAGE", true},
      {u"dünn-dick", u"DÜNN-DICK", true},
      {u"Weiß", u"WEIß", true},
      {u"Łódź", u"ŁÓDŹ", true},
      {u"Ÿ", u"ÿ", true},
      {u"Ελληνικά", u"ΕΛΛΗΝΙΚά", true},
      {u"Русский", u"РУССКИЙ", true},
      {u"Ёж", u"ЁЖ", true},
      {u"a×b", u"a÷b", false},
      {u"Bleu", u"Bleue", false},
      {u"Blue", u"Blau", false},
      {u"", u"", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.a) + " / " + Utf8FromWide(c.b));
    EXPECT_EQ(EqualsIgnoringCase(c.a, c.b), c.equal);
  }
}

}  // namespace
}  // namespace kesto
