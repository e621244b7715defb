// Type-style flags derived from font faces and attributes, written back as faces and attributes (only where
// they differ from the style), toggles, and fonts set by family, face and full name.
#include <gtest/gtest.h>

#include "host/text/AttributeClasses.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "tests/kesto/model/ModelTestSupport.h"

using namespace kesto;
using kesto_test::Attrs;

namespace {

class TypeStyleMgrTest : public kesto_test::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    run_.SetDocument(db_);
    paragraph_.SetDocument(db_);
  }
  void SetFace(K2AttributeSetMgr& mgr, std::u16string_view family, const WideString& face) {
    ASSERT_TRUE(mgr.SetUID(kTextAttrFontFamily, Family(family)));
    ASSERT_TRUE(mgr.SetString(kTextAttrFontStyle, face));
  }
  WideString Face(const K2AttributeSetMgr& mgr, const K2AttributeSetMgr* base = nullptr) {
    WideString face;
    EXPECT_TRUE(mgr.GetFontStyleName(face, base));
    return face;
  }
  K2AttributeSetMgr run_;
  K2AttributeSetMgr paragraph_{nullptr, StyleKind::kParagraph};
};

TEST_F(TypeStyleMgrTest, FlagsComeFromTheFaceAndTheAttributesOverTheBase) {
  SetFace(paragraph_, u"DejaVu Serif", u"Bold");
  EXPECT_EQ(paragraph_.GetTypeStyle(), Flag(kBoldBit));
  // A run without a font of its own keeps the paragraph's bold and adds its attributes.
  ASSERT_TRUE(run_.SetBool(kTextAttrUnderline, true));
  ASSERT_TRUE(run_.SetBool(kTextAttrStrikeThrough, true));
  ASSERT_TRUE(run_.SetEnum(kTextAttrPosition, 2));
  ASSERT_TRUE(run_.SetEnum(kTextAttrCapitalization, 1));
  EXPECT_EQ(run_.GetTypeStyle(&paragraph_), Flag(kBoldBit) | Flag(kUnderlineBit) | Flag(kStrikeThroughBit) |
                                                Flag(kSubscriptBit) | Flag(kSmallCapsBit));
  // Its own face replaces the bold and italic bits; run-together face names count.
  SetFace(run_, u"Liberation Sans", u"BoldOblique");
  ASSERT_TRUE(run_.SetEnum(kTextAttrCapitalization, 3));
  EXPECT_EQ(run_.GetTypeStyle(&paragraph_) & (kFaceBits | kCapitalizationGroup), kFaceBits);
  SetFace(run_, u"DejaVu Serif", u"Semibold");
  EXPECT_EQ(run_.GetTypeStyle(&paragraph_) & kFaceBits, kPlain);
}

TEST_F(TypeStyleMgrTest, TogglesKeepExclusiveBitsApartAndSeeEarlierWrites) {
  SetFace(run_, u"DejaVu Serif", u"Book");
  ASSERT_TRUE(run_.ToggleTypeStyle(kSubscriptBit, &paragraph_));
  ASSERT_TRUE(run_.ToggleTypeStyle(kSuperscriptBit, &paragraph_));
  int32_t position = -1;
  ASSERT_TRUE(run_.GetEnum(kTextAttrPosition, position));
  EXPECT_EQ(position, 1);
  EXPECT_EQ(run_.GetTypeStyle(&paragraph_) & kPositionGroup, Flag(kSuperscriptBit));

  ASSERT_TRUE(run_.ToggleTypeStyle(kSmallCapsBit, &paragraph_));
  ASSERT_TRUE(run_.ToggleTypeStyle(kAllCapsBit, &paragraph_));
  int32_t caps = -1;
  ASSERT_TRUE(run_.GetEnum(kTextAttrCapitalization, caps));
  EXPECT_EQ(caps, 2);

  // An underline set directly is seen by the next toggle, which then removes it.
  (void)run_.GetTypeStyle(&paragraph_);
  ASSERT_TRUE(run_.SetBool(kTextAttrUnderline, true));
  ASSERT_TRUE(run_.ToggleTypeStyle(kUnderlineBit, &paragraph_));
  bool underline = true;
  EXPECT_TRUE(!run_.GetBool(kTextAttrUnderline, underline) || !underline);

  ASSERT_TRUE(run_.ReplaceTypeStyle(kPlain, &paragraph_));
  EXPECT_EQ(run_.GetTypeStyle(&paragraph_), kPlain);
}

TEST_F(TypeStyleMgrTest, AGroupEqualToTheStyleLosesItsOverride) {
  UID underlined = NewStyle(StyleKind::kCharacter, u"Underlined", Attrs({{kTextAttrUnderline, true}}));
  ASSERT_TRUE(run_.SetStyle(underlined));
  ASSERT_TRUE(run_.SetBool(kTextAttrUnderline, false));
  ASSERT_TRUE(run_.SetBool(kTextAttrStrikeThrough, true));
  TypeStyle current = run_.GetTypeStyle(&paragraph_);
  EXPECT_FALSE(current & Flag(kUnderlineBit));
  EXPECT_TRUE(run_.GetStyleTypeStyle(&paragraph_) & Flag(kUnderlineBit));

  ASSERT_TRUE(run_.SetTypeStyle(current | Flag(kUnderlineBit), current, &paragraph_));
  EXPECT_FALSE(run_.HasOverride(kTextAttrUnderline));
  EXPECT_TRUE(run_.HasOverride(kTextAttrStrikeThrough));
  EXPECT_TRUE(run_.GetTypeStyle(&paragraph_) & Flag(kUnderlineBit));
  // Word underline differs from the style's bits, so it is written (as underline on).
  current = run_.GetTypeStyle(&paragraph_);
  ASSERT_TRUE(
      run_.SetTypeStyle((current & ~kUnderlineGroup) | Flag(kWordUnderlineBit), current, &paragraph_));
  EXPECT_TRUE(run_.HasOverride(kTextAttrUnderline));
  // Without a base every group is written.
  K2AttributeSetMgr plain(db_);
  ASSERT_TRUE(plain.SetTypeStyle(Flag(kSuperscriptBit), kPlain));
  EXPECT_TRUE(plain.HasOverride(kTextAttrUnderline));
  EXPECT_TRUE(plain.HasOverride(kTextAttrPosition));
}

TEST_F(TypeStyleMgrTest, BoldAndItalicChooseTheFaceOfTheFamily) {
  struct Case {
    std::u16string_view family;
    const char16_t* face;
    int32_t bit;
    const char16_t* expected;
    bool exists;
  };
  const Case cases[] = {
      {u"DejaVu Serif", u"Book", kBoldBit, u"Bold", true},
      {u"DejaVu Serif", u"Bold Italic", kBoldBit, u"Italic", true},
      {u"DejaVu Sans", u"Book", kItalicBit, u"Oblique", true},
      {u"DejaVu Sans Mono", u"Book", kBoldBit, u"Bold", true},
      {u"DejaVu Math TeX Gyre", u"Regular", kBoldBit, u"Bold", false},
      {u"DejaVu Math TeX Gyre", u"Regular", kItalicBit, u"Italic", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.face, c.face + std::char_traits<char16_t>::length(c.face)));
    K2AttributeSetMgr mgr(db_);
    SetFace(mgr, c.family, c.face);
    EXPECT_EQ(mgr.ToggleTypeStyle(c.bit), c.exists);
    EXPECT_EQ(mgr.GetLastError(), c.exists ? kAttrNoError : kAttrMissingFace);
    EXPECT_EQ(Face(mgr), c.expected);
  }
}

TEST_F(TypeStyleMgrTest, ARunWithoutAFamilyGetsTheFaceInTheParagraphsFamily) {
  SetFace(paragraph_, u"DejaVu Sans", u"Book");
  ASSERT_TRUE(run_.ToggleTypeStyle(kItalicBit, &paragraph_));
  EXPECT_FALSE(run_.HasOverride(kTextAttrFontFamily));
  EXPECT_EQ(Face(run_, &paragraph_), u"Oblique");
  // Recomputed from the attributes (a write drops the cache), the run is still italic.
  ASSERT_TRUE(run_.SetBool(kTextAttrUnderline, true));
  EXPECT_EQ(run_.GetTypeStyle(&paragraph_), Flag(kItalicBit) | Flag(kUnderlineBit));
}

// A run without a family of its own toggled back and forth, the paragraph's font changing in between: each
// toggle derives from the font in force, however often the same faces come back.
TEST_F(TypeStyleMgrTest, TogglesBackAndForthFollowTheFontInForce) {
  struct Step {
    const char16_t* paragraphFamily;  // when set, the paragraph takes this font before the toggle
    const char16_t* paragraphFace;
    int32_t bit;
    const char16_t* face;
    bool exists;
  };
  const Step steps[] = {
      {u"DejaVu Sans", u"Book", kBoldBit, u"Bold", true},
      {nullptr, nullptr, kBoldBit, u"Book", true},
      {nullptr, nullptr, kBoldBit, u"Bold", true},
      {nullptr, nullptr, kItalicBit, u"Bold Oblique", true},
      {nullptr, nullptr, kBoldBit, u"Oblique", true},
      {nullptr, nullptr, kItalicBit, u"Book", true},
      {nullptr, nullptr, kBoldBit, u"Bold", true},
      {u"DejaVu Serif", u"Book", kBoldBit, u"Book", true},
      {nullptr, nullptr, kItalicBit, u"Italic", true},
      {nullptr, nullptr, kBoldBit, u"Bold Italic", true},
      {u"DejaVu Math TeX Gyre", u"Regular", kBoldBit, u"Italic", false},
      {nullptr, nullptr, kItalicBit, u"Regular", true},
      {nullptr, nullptr, kBoldBit, u"Bold", false},
      {nullptr, nullptr, kBoldBit, u"Regular", true},
      {nullptr, nullptr, kBoldBit, u"Bold", false},
  };
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(n++);
    if (step.paragraphFamily) SetFace(paragraph_, step.paragraphFamily, step.paragraphFace);
    EXPECT_EQ(run_.ToggleTypeStyle(step.bit, &paragraph_), step.exists);
    EXPECT_EQ(run_.GetLastError(), step.exists ? kAttrNoError : kAttrMissingFace);
    EXPECT_FALSE(run_.HasOverride(kTextAttrFontFamily));
    EXPECT_EQ(Face(run_, &paragraph_), step.face);
    // The flags the toggle left are those its face gives when they are derived afresh.
    TypeStyle toggled = run_.GetTypeStyle(&paragraph_);
    run_.ClearCaches();
    EXPECT_EQ(toggled, run_.GetTypeStyle(&paragraph_));
  }
}

TEST_F(TypeStyleMgrTest, OutlineAndShadowAreRefused) {
  EXPECT_FALSE(run_.ToggleTypeStyle(kOutlineBit, &paragraph_));
  EXPECT_EQ(run_.GetLastError(), kAttrCannotCreate);
  EXPECT_FALSE(run_.GetTypeStyle(&paragraph_) & Flag(kOutlineBit));
  EXPECT_FALSE(run_.SetTypeStyleBit(kShadowBit, &paragraph_));
  EXPECT_FALSE(run_.SetTypeStyleBit(12, &paragraph_));
}

TEST_F(TypeStyleMgrTest, FontsByFamilyFaceAndFullName) {
  EXPECT_FALSE(run_.SetFontFamily(u""));
  EXPECT_EQ(run_.GetLastError(), kAttrEmptyValue);
  EXPECT_FALSE(run_.SetFontFamily(u"Nosuch"));
  EXPECT_EQ(run_.GetLastError(), kAttrNoSuchName);
  EXPECT_FALSE(run_.SetFontByName(u"Nosuch Bold"));
  EXPECT_EQ(run_.GetLastError(), kAttrNoSuchName);

  ASSERT_TRUE(run_.SetFontByName(u"DejaVu Sans Bold"));
  VyFontDesc font;
  ASSERT_TRUE(run_.GetFont(font));
  EXPECT_EQ(font, (VyFontDesc{Family(u"DejaVu Sans"), u"Bold"}));
  EXPECT_EQ(run_.GetTypeStyle() & kFaceBits, Flag(kBoldBit));
  // Bold text keeps its boldness in another family, whatever face the name gives.
  ASSERT_TRUE(run_.SetFontByName(u"DejaVu Serif Book"));
  EXPECT_EQ(Face(run_), u"Bold");
  WideString family;
  ASSERT_TRUE(run_.GetFontFamilyName(family));
  EXPECT_EQ(family, u"DejaVu Serif");
  // No family removes both font overrides; the run then shows its base's font.
  SetFace(paragraph_, u"DejaVu Sans Mono", u"Book");
  ASSERT_TRUE(run_.SetFont(kInvalidUID, u"", &paragraph_));
  EXPECT_FALSE(run_.HasOverride(kTextAttrFontFamily));
  EXPECT_FALSE(run_.HasOverride(kTextAttrFontStyle));
  ASSERT_TRUE(run_.GetFontFamilyName(family, &paragraph_));
  EXPECT_EQ(family, u"DejaVu Sans Mono");
  // A face spelled differently is handed out in the family's own spelling; an empty one is the plain face.
  ASSERT_TRUE(run_.SetFontFamily(u"DejaVu Sans"));
  ASSERT_TRUE(run_.SetFontStyle(u"bold oblique"));
  EXPECT_EQ(Face(run_), u"Bold Oblique");
  EXPECT_EQ(run_.GetTypeStyle(), kFaceBits);
  EXPECT_FALSE(run_.SetFontStyle(u""));
}

}  // namespace
