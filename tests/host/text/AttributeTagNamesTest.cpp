// The host tagged-text dialect's attribute names and value text: unique names, values read back as written,
// out-of-range and malformed values, names of document objects.
#include <gtest/gtest.h>

#include <set>

#include "host/res/DocWorkspace.h"
#include "host/res/ISwatchList.h"
#include "host/text/ITextAttribute.h"
#include "host/text/TabStopList.h"
#include "tests/host/text/TextFixture.h"

namespace {

using text_test::TextFixture;

class AttributeTagNamesTest : public TextFixture {
 protected:
  // Parses `text` into a fresh attribute of `cls`; the attribute when that answered `expected`.
  ::testing::AssertionResult Parses(ClassID cls, std::u16string_view text, int32_t expected,
                                    InterfacePtr<ITextAttribute>* parsed = nullptr) const {
    InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(cls);
    if (!attribute) return ::testing::AssertionFailure() << "no attribute of class " << cls.Get();
    int32_t result = attribute->ParseTagValue(db_, text);
    if (result != expected)
      return ::testing::AssertionFailure() << "\"" << Utf8FromWide(text) << "\" answered " << result;
    if (parsed) *parsed = std::move(attribute);
    return ::testing::AssertionSuccess();
  }
};

TEST_F(AttributeTagNamesTest, NamesAreUniqueAndNoneIsADialectKeyword) {
  const std::set<std::string> keywords = {"ParaStyle", "pstyle", "CharStyle", "cstyle", "clStart", "clEnd",
                                          "coStart",   "ctable", "des",       "dps",    "dcs",     "estyle"};
  std::set<std::string> seen;
  std::vector<const AttributeClassInfo*> capable = AttributeClasses::TaggedTextClasses();
  EXPECT_GE(capable.size(), 60u);
  for (const AttributeClassInfo* info : capable) {
    SCOPED_TRACE(info->name);
    for (const std::string& name : {info->longTag, info->shortTag}) {
      EXPECT_TRUE(seen.insert(name).second) << name << " is taken twice";
      EXPECT_FALSE(keywords.contains(name));
      EXPECT_EQ(AttributeClasses::FindByTagName(name), info);
    }
    EXPECT_LT(info->shortTag.size(), info->longTag.size());
  }
  EXPECT_EQ(AttributeClasses::FindByTagName("cSIZE"), nullptr);
}

TEST_F(AttributeTagNamesTest, ValuesReadAsTheyAreWritten) {
  struct Row {
    ClassID cls;
    std::u16string_view text;
    AttributeValue value;
  };
  const Row rows[] = {
      {kTextAttrPointSize, u"12", 12.0},
      {kTextAttrPointSize, u"10.5", 10.5},
      {kTextAttrHorizontalScale, u"120", 1.2},
      {kTextAttrTracking, u"-25", -0.025},
      {kTextAttrKerningValue, u"method", kKerningByMethod},
      {kTextAttrLeading, u"auto", kAutoLeading},
      {kTextAttrLeading, u"+2", kRelativeLeadingBase + 2},
      {kTextAttrLeading, u"14.25", 14.25},
      {kTextAttrUnderline, u"1", true},
      {kTextAttrLigatures, u"0", false},
      {kTextAttrCapitalization, u"2", int32_t{2}},
      {kTextAttrKeepWithNext, u"3", int16_t{3}},
      {kTextAttrFirstLineIndent, u"-18", -18.0},
      {kTextAttrFontStyle, u"Bold Italic", WideString(u"Bold Italic")},
      {kTextAttrKerningMethod, u"Optical", ClassID(0x20421)},
      {kTextAttrKerningMethod, u"0x12ab", ClassID(0x12AB)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8FromWide(row.text));
    InterfacePtr<ITextAttribute> attribute;
    ASSERT_TRUE(Parses(row.cls, row.text, kTagValueParsed, &attribute));
    EXPECT_TRUE(ValuesEqual(attribute->GetValue(), row.value)) << attribute->ValueToJson();
    WideString written = attribute->WriteTagValue(db_);
    EXPECT_EQ(Utf8FromWide(written), Utf8FromWide(row.text));
  }
}

TEST_F(AttributeTagNamesTest, BadValuesAnswerTheirCode) {
  struct Row {
    ClassID cls;
    std::u16string_view text;
    int32_t code;
  };
  const Row rows[] = {
      {kTextAttrPointSize, u"0", kTagValueOutOfRange},
      {kTextAttrPointSize, u"2000", kTagValueAboveRange},
      {kTextAttrPointSize, u"12pt", kTagValueMalformed},
      {kTextAttrPointSize, u"", kTagValueMalformed},
      {kTextAttrPointSize, u"1e3", kTagValueMalformed},
      {kTextAttrPointSize, u"inf", kTagValueMalformed},
      {kTextAttrHorizontalScale, u"1001", kTagValueAboveRange},
      {kTextAttrLeading, u"+-3", kTagValueMalformed},
      {kTextAttrUnderline, u"yes", kTagValueMalformed},
      {kTextAttrCapitalization, u"4", kTagValueAboveRange},
      {kTextAttrCapitalization, u"1.5", kTagValueMalformed},
      {kTextAttrKeepFirstLines, u"0", kTagValueOutOfRange},
      {kTextAttrFontStyle, u"", kTagValueMalformed},
      {kTextAttrFillColor, u"No Such Swatch", kTagValueUnknownName},
      {kTextAttrFontFamily, u"No Such Family", kTagValueUnknownName},
      {kTextAttrKerningMethod, u"0xZ", kTagValueMalformed},
      {kTextAttrTabStops, u"36,X,,", kTagValueMalformed},
      {kTextAttrTabStops, u"36,L,%00", kTagValueMalformed},
      {kTextAttrTabStops, u"-1,L,,", kTagValueOutOfRange},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8FromWide(row.text));
    EXPECT_TRUE(Parses(row.cls, row.text, row.code));
  }
}

TEST_F(AttributeTagNamesTest, DocumentObjectsGoByName) {
  InterfacePtr<ISwatchList> swatches = QueryDocWorkspace<ISwatchList>(db_);
  ASSERT_TRUE(swatches);
  const std::pair<ClassID, std::u16string_view> rows[] = {
      {kTextAttrFillColor, u"Black"},
      {kTextAttrFillColor, u"C=100 M=0 Y=0 K=0"},
      {kTextAttrRuleBelowStrokeType, u"Solid"},
      {kTextAttrLanguage, u"French"},
  };
  for (const auto& [cls, name] : rows) {
    SCOPED_TRACE(Utf8FromWide(name));
    InterfacePtr<ITextAttribute> attribute;
    ASSERT_TRUE(Parses(cls, name, kTagValueParsed, &attribute));
    EXPECT_EQ(attribute->WriteTagValue(db_), name);
    EXPECT_EQ(attribute->WriteTagValue(nullptr), u"");
  }
  InterfacePtr<ITextAttribute> black;
  ASSERT_TRUE(Parses(kTextAttrFillColor, u"Black", kTagValueParsed, &black));
  EXPECT_EQ(std::get<UID>(black->GetValue()), swatches->GetBlackSwatchUID());
  EXPECT_EQ(CreateTextAttribute(kTextAttrFillColor)->ParseTagValue(nullptr, u"Black"), kTagValueUnknownName);
}

TEST_F(AttributeTagNamesTest, TabStopsKeepTheirCharactersAndLeaders) {
  const std::u16string_view rows[] = {
      u";",
      u"36,L,.,",
      u"36,L,.,;72.5,A,%002C,%003B.;144,R,.,%003E%005C",
  };
  for (std::u16string_view text : rows) {
    SCOPED_TRACE(Utf8FromWide(text));
    InterfacePtr<ITextAttribute> attribute;
    ASSERT_TRUE(Parses(kTextAttrTabStops, text, kTagValueParsed, &attribute));
    EXPECT_EQ(Utf8FromWide(attribute->WriteTagValue(db_)), Utf8FromWide(text));
  }
  InterfacePtr<ITextAttribute> attribute;
  ASSERT_TRUE(Parses(kTextAttrTabStops, u"72.5,A,%002C,%003B.", kTagValueParsed, &attribute));
  const auto& list = dynamic_cast<const TabStopList&>(*std::get<ObjectRef>(attribute->GetValue()));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.Stops()[0].alignCharacter, u',');
  EXPECT_EQ(list.Stops()[0].leader, u";.");
  EXPECT_EQ(list.Stops()[0].alignment, TabAlignment::kOnCharacter);
}

}  // namespace
