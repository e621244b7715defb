// Typed access with range checks and last errors, the tag-side values (leading, kerning, tracking, shade,
// scale, figure style ...), OpenType features, lookups through styles, and leading and language over whole
// paragraphs.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/text/AttributeClasses.h"
#include "kesto/model/K2AttributeSet.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "tests/kesto/model/ModelTestSupport.h"

using namespace kesto;
using kesto_test::Attrs;

namespace {

class K2AttributeSetMgrTest : public kesto_test::DocumentTest {
 protected:
  double Stored(ClassID cls) const {
    const double* value = GetValueAs<double>(mgr_.FindAttribute(cls).get());
    return value ? *value : std::numeric_limits<double>::quiet_NaN();
  }
  void SetUp() override {
    DocumentTest::SetUp();
    mgr_.SetDocument(db_);
  }
  K2AttributeSetMgr mgr_;
};

TEST_F(K2AttributeSetMgrTest, SettersCheckKindAndRangeAndKeepTheEarlierValueOnFailure) {
  struct Case {
    const char* name;
    std::function<bool(K2AttributeSetMgr&)> set;
    int32_t error;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"point size at the top of its range, within rounding",
       [](auto& m) { return m.SetReal(kTextAttrPointSize, 1296 + 1e-9); }, kAttrNoError},
      {"point size above its range", [](auto& m) { return m.SetReal(kTextAttrPointSize, 1296.5); },
       kAttrOutOfRange},
      {"point size not a number", [=](auto& m) { return m.SetReal(kTextAttrPointSize, nan); },
       kAttrOutOfRange},
      {"drop-cap lines above the declared 25", [](auto& m) { return m.SetInt16(kTextAttrDropCapLines, 26); },
       kAttrOutOfRange},
      {"a 16-bit value out of 16 bits", [](auto& m) { return m.SetInt16(kTextAttrDropCapLines, 65536 + 3); },
       kAttrOutOfRange},
      {"negative stylistic sets", [](auto& m) { return m.SetInt32Ranged(kTextAttrStylisticSets, -1); },
       kAttrOutOfRange},
      {"a kind the class does not hold", [](auto& m) { return m.SetBool(kTextAttrPointSize, true); },
       kAttrCannotCreate},
      {"a class nobody registered", [](auto& m) { return m.SetReal(ClassID(12345), 1); }, kAttrCannotCreate},
      {"an empty string", [](auto& m) { return m.SetString(kTextAttrFontStyle, u""); }, kAttrEmptyValue},
      {"a null object", [](auto& m) { return m.SetObject(kTextAttrTabStops, nullptr); }, kAttrEmptyValue},
      {"the kerning sentinel through the plain setter",
       [](auto& m) { return m.SetReal(kTextAttrKerningValue, kKerningByMethod); }, kAttrOutOfRange},
      {"the kerning sentinel through its own setter",
       [](auto& m) { return m.SetRealOrSentinel(kTextAttrKerningValue, kKerningByMethod); }, kAttrNoError},
      {"an enumeration value", [](auto& m) { return m.SetEnum(kTextAttrAlignment, 2); }, kAttrNoError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    K2AttributeSetMgr mgr(db_);
    ASSERT_TRUE(mgr.SetReal(kTextAttrPointSize, 12));
    ASSERT_TRUE(mgr.SetInt16(kTextAttrDropCapLines, 3));
    mgr.SetLastError(99);
    EXPECT_EQ(c.set(mgr), c.error == kAttrNoError);
    EXPECT_EQ(mgr.GetLastError(), c.error);
    if (c.error != kAttrNoError) {
      double size = 0;
      int16_t lines = 0;
      EXPECT_TRUE(mgr.GetReal(kTextAttrPointSize, size) && size == 12);
      EXPECT_TRUE(mgr.GetInt16(kTextAttrDropCapLines, lines) && lines == 3);
    }
  }
}

TEST_F(K2AttributeSetMgrTest, GettersReadOverridesThenTheStyleChain) {
  UID base = NewStyle(StyleKind::kParagraph, u"Base", Attrs({{kTextAttrPointSize, 18.0}}));
  UID body = NewStyle(StyleKind::kParagraph, u"Body", Attrs({{kTextAttrAlignment, int32_t(1)}}), base);
  ASSERT_TRUE(mgr_.SetStyle(body));
  double size = 0;
  bool own = true;
  ASSERT_TRUE(mgr_.GetReal(kTextAttrPointSize, size));
  EXPECT_EQ(size, 18);
  ASSERT_TRUE(mgr_.FindAttribute(kTextAttrPointSize, &own));
  EXPECT_FALSE(own);
  ASSERT_TRUE(mgr_.SetReal(kTextAttrPointSize, 9));
  ASSERT_TRUE(mgr_.GetReal(kTextAttrPointSize, size));
  EXPECT_EQ(size, 9);
  EXPECT_TRUE(mgr_.HasOverride(kTextAttrPointSize));
  EXPECT_TRUE(mgr_.ClearOverride(kTextAttrPointSize));
  EXPECT_FALSE(mgr_.ClearOverride(kTextAttrPointSize));
  ASSERT_TRUE(mgr_.GetReal(kTextAttrPointSize, size));
  EXPECT_EQ(size, 18);
  // Another kind than the attribute holds, or no style and no override: nothing.
  bool flag = false;
  EXPECT_FALSE(mgr_.GetBool(kTextAttrPointSize, flag));
  K2AttributeSetMgr bare(db_);
  EXPECT_FALSE(bare.GetReal(kTextAttrPointSize, size));
  EXPECT_FALSE(bare.SetStyle(kInvalidUID));
  EXPECT_EQ(bare.GetLastError(), kAttrEmptyValue);
}

TEST_F(K2AttributeSetMgrTest, LeadingIsOneAttributeForAbsoluteAutomaticAndRelative) {
  Leading leading;
  ASSERT_TRUE(mgr_.SetLeading(2, true));
  EXPECT_EQ(Stored(kTextAttrLeading), 3922);
  ASSERT_TRUE(mgr_.GetLeading(leading));
  EXPECT_EQ(leading, (Leading{2, true}));
  ASSERT_TRUE(mgr_.SetLeading(-2000, true));
  EXPECT_EQ(Stored(kTextAttrLeading), 2840);
  ASSERT_TRUE(mgr_.GetLeading(leading));
  EXPECT_EQ(leading, (Leading{-1080, true}));
  ASSERT_TRUE(mgr_.SetLeading(0, false));
  EXPECT_EQ(Stored(kTextAttrLeading), -1);
  ASSERT_TRUE(mgr_.GetLeading(leading));
  EXPECT_EQ(leading, (Leading{0, false}));
  // Through a style, a large value is absolute leading.
  UID tall = NewStyle(StyleKind::kParagraph, u"Tall", Attrs({{kTextAttrLeading, 3922.0}}));
  K2AttributeSetMgr styled(db_, StyleKind::kParagraph);
  ASSERT_TRUE(styled.SetStyle(tall));
  ASSERT_TRUE(styled.GetLeading(leading));
  EXPECT_EQ(leading, (Leading{3922, false}));
}

TEST_F(K2AttributeSetMgrTest, KerningByValueAndByMethod) {
  double kerning = 0;
  ASSERT_TRUE(mgr_.SetKerningMethod(u"metrics"));
  ClassID method;
  ASSERT_TRUE(mgr_.GetClassID(kTextAttrKerningMethod, method));
  WideString name;
  ASSERT_TRUE(mgr_.GetKerningMethodName(name));
  EXPECT_EQ(name, u"Metrics");
  EXPECT_EQ(Stored(kTextAttrKerningValue), kKerningByMethod);

  ASSERT_TRUE(mgr_.SetKerning(20));
  EXPECT_EQ(Stored(kTextAttrKerningValue), 0.1);
  EXPECT_FALSE(mgr_.HasOverride(kTextAttrKerningMethod));

  ASSERT_TRUE(mgr_.SetKerningMethod(u"Optical"));
  ASSERT_TRUE(mgr_.SetKerning(-10000));
  EXPECT_EQ(Stored(kTextAttrKerningValue), kKerningByMethod);
  EXPECT_TRUE(mgr_.HasOverride(kTextAttrKerningMethod));
  ASSERT_TRUE(mgr_.GetKerning(kerning));
  EXPECT_EQ(kerning, -10000);

  ASSERT_TRUE(mgr_.SetKerning(20));
  EXPECT_FALSE(mgr_.SetKerningMethod(u"Nosuch"));
  EXPECT_EQ(mgr_.GetLastError(), kAttrNoSuchKerningMethod);
  EXPECT_EQ(Stored(kTextAttrKerningValue), 0.1);
  EXPECT_FALSE(mgr_.HasOverride(kTextAttrKerningMethod));
}

TEST_F(K2AttributeSetMgrTest, TrackingShadeScaleAndEnumeratedValues) {
  double value = 0;
  ASSERT_TRUE(mgr_.SetTracking(10));
  EXPECT_EQ(Stored(kTextAttrTracking), 0.05);
  ASSERT_TRUE(mgr_.GetTracking(value));
  EXPECT_EQ(value, 10);
  EXPECT_FALSE(mgr_.SetTracking(2001));

  ASSERT_TRUE(mgr_.SetShade(0.4));
  EXPECT_EQ(Stored(kTextAttrShade), 40);
  ASSERT_TRUE(mgr_.SetReal(kTextAttrShade, -1));
  ASSERT_TRUE(mgr_.GetShade(value));
  EXPECT_EQ(value, 1);

  bool vertical = false;
  ASSERT_TRUE(mgr_.SetScale(true, 1.5));
  EXPECT_EQ(Stored(kTextAttrHorizontalScale), 1);
  ASSERT_TRUE(mgr_.GetScale(vertical, value));
  EXPECT_TRUE(vertical);
  EXPECT_EQ(value, 1.5);
  ASSERT_TRUE(mgr_.SetScale(false, 0.5));
  ASSERT_TRUE(mgr_.GetScale(vertical, value));
  EXPECT_FALSE(vertical);
  EXPECT_EQ(value, 0.5);
  EXPECT_FALSE(mgr_.SetScale(true, 20));
  EXPECT_EQ(Stored(kTextAttrVerticalScale), 1);

  int32_t tag = 0;
  ASSERT_TRUE(mgr_.SetFigureStyle(1));
  EXPECT_TRUE(mgr_.GetEnum(kTextAttrFigureStyle, tag) && tag == 0);
  ASSERT_TRUE(mgr_.GetFigureStyle(tag));
  EXPECT_EQ(tag, 1);
  ASSERT_TRUE(mgr_.SetPosition(7));
  EXPECT_TRUE(mgr_.GetEnum(kTextAttrPosition, tag) && tag == 1);
  ASSERT_TRUE(mgr_.SetPositionalForm(9));
  EXPECT_TRUE(mgr_.GetPositionalForm(tag) && tag == 0);
}

TEST_F(K2AttributeSetMgrTest, LanguagesColorsAndStrokeTypesByTheirTagNames) {
  int32_t number = -1;
  ASSERT_TRUE(mgr_.SetLanguage(1));
  ASSERT_TRUE(mgr_.GetLanguage(number));
  EXPECT_EQ(number, 1);
  EXPECT_FALSE(mgr_.SetLanguage(6));
  EXPECT_EQ(mgr_.GetLastError(), kAttrNoSuchName);
  EXPECT_TRUE(mgr_.GetLanguage(number) && number == 1);

  VyColorDesc blue;
  blue.kind = VyColorDesc::kStandard;
  blue.standardCode = 9;
  ASSERT_TRUE(mgr_.SetColor(blue));
  VyColorDesc back;
  ASSERT_TRUE(mgr_.GetColor(back));
  EXPECT_EQ(back.kind, VyColorDesc::kStandard);
  EXPECT_EQ(back.standardCode, 9);
  VyColorDesc missing;
  missing.kind = VyColorDesc::kByName;
  missing.SetName(u"Nosuch");
  EXPECT_FALSE(mgr_.SetColor(missing));
  EXPECT_EQ(mgr_.GetLastError(), kAttrNoSuchColor);

  VyStrokeTypeDesc dotted;
  dotted.kind = VyStrokeTypeDesc::kByIndex;
  dotted.index = 1;
  ASSERT_TRUE(mgr_.SetStrokeType(kTextAttrRuleAboveStrokeType, dotted));
  VyStrokeTypeDesc read;
  ASSERT_TRUE(mgr_.GetStrokeType(kTextAttrRuleAboveStrokeType, read));
  EXPECT_EQ(read.kind, VyStrokeTypeDesc::kByIndex);
  EXPECT_EQ(read.index, 1);
  VyStrokeTypeDesc unknown;
  unknown.kind = VyStrokeTypeDesc::kByName;
  unknown.name = u"Nosuch";
  EXPECT_FALSE(mgr_.SetStrokeType(kTextAttrRuleAboveStrokeType, unknown));
  EXPECT_EQ(mgr_.GetLastError(), kAttrNoSuchStrokeType);
}

TEST_F(K2AttributeSetMgrTest, FeaturesAreWrittenAndReadBackInTagTerms) {
  FeatureList wanted;
  for (const char* code : {"a2sc", "tlin", "zero", "salt", "init", "sups"})
    ASSERT_TRUE(wanted.push_back(FeatureEntryFromCode(MakeFeatureCode(std::string_view(code)), true)));
  ASSERT_TRUE(wanted.push_back({kTextAttrStylisticSets, (1 << 1) | (1 << 3)}));
  ASSERT_TRUE(mgr_.ApplyFeatures(wanted));
  int32_t stored = -1;
  EXPECT_TRUE(mgr_.GetEnum(kTextAttrFigureStyle, stored) && stored == 0);

  FeatureList read;
  ASSERT_TRUE(mgr_.GetFeatures(read));
  FeatureList expected;
  for (FeatureEntry e : {FeatureEntry{kTextAttrStylisticAlternates, 1}, FeatureEntry{kTextAttrSlashedZero, 1},
                         FeatureEntry{kTextAttrStylisticSets, (1 << 1) | (1 << 3)},
                         FeatureEntry{kTextAttrPosition, 3}, FeatureEntry{kTextAttrCapitalization, 3},
                         FeatureEntry{kTextAttrFigureStyle, 1}, FeatureEntry{kTextAttrPositionalForm, 2}})
    ASSERT_TRUE(expected.push_back(e));
  ASSERT_EQ(read.size(), expected.size());
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].cls, expected[i].cls) << i;
    EXPECT_EQ(read[i].value, expected[i].value) << i;
  }

  // Asking again for a2sc switches capitalization off; plain superscript is no OpenType feature.
  FeatureList again;
  ASSERT_TRUE(again.push_back(FeatureEntryFromCode(MakeFeatureCode(std::string_view("a2sc")), true)));
  MergeFeatures(read, &again);
  ASSERT_TRUE(mgr_.ApplyFeatures(read));
  ASSERT_TRUE(mgr_.SetPosition(1));
  FeatureList after;
  ASSERT_TRUE(mgr_.GetFeatures(after));
  EXPECT_EQ(after.Find(kTextAttrCapitalization), nullptr);
  EXPECT_EQ(after.Find(kTextAttrPosition), nullptr);
  EXPECT_NE(after.Find(kTextAttrSlashedZero), nullptr);
}

TEST_F(K2AttributeSetMgrTest, LeadingAndLanguageAreTakenAsideForWholeParagraphs) {
  ASSERT_TRUE(mgr_.SetLeading(2, true));
  ASSERT_TRUE(mgr_.SetLanguage(3));
  ASSERT_TRUE(mgr_.SetReal(kTextAttrSpaceBefore, 6));
  AttributeBossList before = *mgr_.GetAgent()->GetOverrides();

  ParagraphScopeSnapshot snapshot = mgr_.TakeParagraphScope();
  EXPECT_FALSE(mgr_.HasOverride(kTextAttrLeading));
  EXPECT_FALSE(mgr_.HasOverride(kTextAttrLanguage));
  EXPECT_TRUE(mgr_.HasOverride(kTextAttrSpaceBefore));
  EXPECT_EQ(K2AttributeSetMgr::ParagraphLeadingFor(snapshot, 10), 12);
  EXPECT_EQ(K2AttributeSetMgr::ParagraphLeadingFor(snapshot, 24), 26);
  mgr_.RestoreParagraphScope(snapshot);
  EXPECT_TRUE(mgr_.Equals(before));

  ASSERT_TRUE(mgr_.SetLeading(0, false));
  EXPECT_EQ(K2AttributeSetMgr::ParagraphLeadingFor(mgr_.TakeParagraphScope(), 10), -1);
  EXPECT_EQ(K2AttributeSetMgr::ParagraphLeadingFor(mgr_.TakeParagraphScope(), 10), std::nullopt);

  // A relative amount below minus the point size closes the lines up instead of going negative.
  ASSERT_TRUE(mgr_.SetLeading(-2000, true));
  EXPECT_EQ(K2AttributeSetMgr::ParagraphLeadingFor(mgr_.TakeParagraphScope(), 12), 0);
}

TEST_F(K2AttributeSetMgrTest, BindingFollowsTheAgentAndLoadingReplacesEverything) {
  K2AttributeSet external;
  mgr_.Bind(&external);
  EXPECT_FALSE(mgr_.OwnsAgent());
  ASSERT_TRUE(mgr_.SetReal(kTextAttrPointSize, 30));
  EXPECT_TRUE(external.GetOverrides()->ContainsClass(kTextAttrPointSize));

  UID style = NewStyle(StyleKind::kCharacter, u"Small");
  mgr_.LoadFrom(style, Attrs({{kTextAttrUnderline, true}}));
  EXPECT_EQ(external.GetStyle(), style);
  EXPECT_FALSE(mgr_.HasOverride(kTextAttrPointSize));
  EXPECT_TRUE(mgr_.HasOverride(kTextAttrUnderline));

  K2AttributeSetMgr copy(db_);
  copy.CopyFrom(mgr_);
  EXPECT_EQ(copy.GetStyle(), style);
  EXPECT_TRUE(copy.Equals(*external.GetOverrides()));

  mgr_.Bind(nullptr);
  EXPECT_TRUE(mgr_.OwnsAgent());
  EXPECT_FALSE(mgr_.HasOverride(kTextAttrUnderline));
  EXPECT_TRUE(external.GetOverrides()->ContainsClass(kTextAttrUnderline));
}

}  // namespace
