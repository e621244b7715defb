// Character tags, special characters and the attribute stack, checked in the runs of a real story: the
// scanner's attribute pair is bound to the story's strands as an import binds it, and what the tags set is
// read back from the host text model.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/app/DocumentList.h"
#include "host/res/ISwatchList.h"
#include "host/res/SwatchUtils.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/model/Languages.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/VyTextOnlyTSAgent.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

using testing_reader::MemorySource;
using testing_reader::Readable;

// The text-only agent with what an import agent adds at begin-import: the scanner's pair works on the
// story's strands. Errors are logged as E<code>:<tag>.
class StoryAgent : public VyTextOnlyTSAgent {
 public:
  explicit StoryAgent(VyStory* story) : VyTextOnlyTSAgent(story), story_(story) {}
  KestoResult BeginImport(VyTextAttributeMgr* attributes) override {
    attributes->Paragraph().Bind(&story_->ParagraphAgent());
    attributes->Character().Bind(&story_->CharacterAgent());
    return 0;
  }
  KestoResult ReportError(int32_t code, std::u16string_view tagName, int32_t) override {
    errors += (errors.empty() ? "E" : " E") + std::to_string(code);
    if (!tagName.empty()) errors += ":" + Readable(tagName);
    return 0;
  }
  std::string errors;

 private:
  VyStory* story_;
};

class CharacterTagsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    ASSERT_NE(nullptr, db_);
  }
  void TearDown() override { DocumentList::Get().CloseDocument(db_); }

  // Imports `input` into a new story; its text and runs are then read through Text() and the *At helpers.
  void Import(std::u16string_view input) {
    ASSERT_EQ(kSuccess, TextCmdUtils::NewStory(db_, uid_));
    auto* story = new XStory(db_, uid_, 0, 0);
    story->BeginImport();
    {
      StoryAgent agent(story);
      auto source = MemorySource::FromText(input);
      KestoScanner scanner(db_);
      EXPECT_EQ(0, scanner.Scan(source->Stream(), &agent));
      errors_ = agent.errors;
      story->EndImport();
    }
    story->Release();
    model_ = Instantiate<ITextModel>(db_, uid_);
    ASSERT_TRUE(model_);
  }
  std::u16string Text() const { return model_->GetText(0, model_->TotalLength() - 1); }
  const ITextAttribute* OverrideAt(int32_t index, ClassID cls) const {
    AttrListRef overrides = model_->GetRunAt(TextStrand::kCharacter, index).overrides;
    held_ = overrides;
    return overrides->GetByClass(cls);
  }
  template <class T>
  std::optional<T> ValueAt(int32_t index, ClassID cls) const {
    const T* value = GetValueAs<T>(OverrideAt(index, cls));
    return value ? std::optional<T>(*value) : std::nullopt;
  }
  UID Swatch(std::u16string_view name) const {
    InterfacePtr<ISwatchList> list = SwatchUtils::QuerySwatchList(db_);
    return list ? list->FindSwatch(WideString(name)) : kInvalidUID;
  }

  IDataBase* db_ = nullptr;
  UID uid_;
  InterfacePtr<ITextModel> model_;
  std::string errors_;
  mutable AttrListRef held_;
};

// A real attribute at character 0 of the imported text ("x" after the tags), with the errors expected.
TEST_F(CharacterTagsTest, NumberTagsSetTheirAttributeInTagUnits) {
  struct Row {
    std::u16string input;
    ClassID cls;
    double value;
    std::string errors;
  } rows[] = {
      {u"<z7><z.*2>x", kTextAttrPointSize, 14, ""},
      {u"<z1000>x", kTextAttrPointSize, 720, ""},
      {u"<z(12pt)>x", kTextAttrPointSize, 12, ""},
      {u"<z12>x", kTextAttrPointSize, 12, ""},
      {u"<z>x", kTextAttrPointSize, 2, ""},
      {u"<z9><z(.+2)>x", kTextAttrPointSize, 11, ""},
      {u"<h50>x", kTextAttrHorizontalScale, 0.5, ""},
      {u"<h50>x", kTextAttrVerticalScale, 1, ""},
      {u"<h10>x", kTextAttrHorizontalScale, 0.25, ""},
      {u"<&h10>x", kTextAttrHorizontalScale, 0.1, ""},
      {u"<y200>x", kTextAttrVerticalScale, 2, ""},
      {u"<y200>x", kTextAttrHorizontalScale, 1, ""},
      {u"<h50><y.*2>x", kTextAttrVerticalScale, 2, ""},  // the other axis counts as 100 %
      {u"<z10><b2>x", kTextAttrBaselineShift, 2, ""},
      {u"<z10><b40>x", kTextAttrBaselineShift, 30, ""},
      {u"<z10><br50>x", kTextAttrBaselineShift, 5, ""},
      {u"<v0><z10><b2>\rx", kTextAttrBaselineShift, -2, ""},
      {u"<k20>x", kTextAttrKerningValue, 0.1, ""},
      {u"<k3000>x", kTextAttrKerningValue, 10, ""},
      {u"<t10>x", kTextAttrTracking, 0.05, ""},
      {u"<s50>x", kTextAttrShade, 50, ""},
      {u"<s(50%)>x", kTextAttrShade, 50, ""},
      {u"<&L14>x", kTextAttrLeading, 14, ""},
      {u"<&LA>x", kTextAttrLeading, -1, ""},
      {u"<z12><zQ>x", kTextAttrPointSize, 2, "E2:Q"},
      {u"<z12><z(1+)>x", kTextAttrPointSize, 12, "E9:z"},
      {u"<z12><z.q>x", kTextAttrPointSize, 12, "E2:q"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Import(row.input);
    int32_t at = static_cast<int32_t>(Text().find(u'x'));
    std::optional<double> value = ValueAt<double>(at, row.cls);
    ASSERT_TRUE(value.has_value());
    EXPECT_NEAR(row.value, *value, 1e-9);
    EXPECT_EQ(row.errors, errors_);
  }
}

TEST_F(CharacterTagsTest, TypeStylesToggleAndSet) {
  struct Row {
    std::u16string input;  // "x" and "y" are checked
    ClassID cls;
    std::optional<int32_t> x, y;  // enum or bool (as 0/1) override; nullopt: none
  } rows[] = {
      {u"<U>x<U>y", kTextAttrUnderline, 1, std::nullopt},
      {u"<+>x<->y", kTextAttrPosition, 1, 2},
      {u"<V>x<P>y", kTextAttrPosition, 1, std::nullopt},
      {u"<K>x<H>y", kTextAttrCapitalization, 2, 1},
      {u"</>x</>y", kTextAttrStrikeThrough, 1, std::nullopt},
      {u"<~/><~/>x<~U>y", kTextAttrStrikeThrough, 1, 1},
      {u"<~+>x<~V>y", kTextAttrPosition, 1, 1},
      {u"<~->x<~H>y", kTextAttrPosition, 2, 2},
      {u"<~K>x<~H>y", kTextAttrCapitalization, 2, 1},
      {u"<U>x<$>y", kTextAttrUnderline, 1, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Import(row.input);
    std::u16string text = Text();
    for (auto [letter, want] : {std::pair{u'x', row.x}, std::pair{u'y', row.y}}) {
      SCOPED_TRACE(static_cast<char>(letter));
      int32_t at = static_cast<int32_t>(text.find(letter));
      std::optional<int32_t> got = ValueAt<int32_t>(at, row.cls);
      if (std::optional<bool> on = ValueAt<bool>(at, row.cls)) got = *on ? 1 : 0;
      if (got == 0 && !want) got.reset();  // an explicit "off" is as good as none
      EXPECT_EQ(want, got);
    }
    EXPECT_EQ("", errors_);
  }
}

TEST_F(CharacterTagsTest, BoldTogglesTheFaceAndExplicitBoldStays) {
  struct Row {
    std::u16string input;
    std::u16string x, y;  // faces of "x" and "y"
  } rows[] = {
      {u"<f\"DejaVu Serif Book\">x<B>y", u"Book", u"Bold"},
      {u"<f\"DejaVu Serif Book\"><B>x<B>y", u"Bold", u"Book"},
      {u"<f\"DejaVu Serif Book\"><~B><~B>x<I>y", u"Bold", u"Bold Italic"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Import(row.input);
    std::u16string text = Text();
    std::optional<WideString> x =
        ValueAt<WideString>(static_cast<int32_t>(text.find(u'x')), kTextAttrFontStyle);
    std::optional<WideString> y =
        ValueAt<WideString>(static_cast<int32_t>(text.find(u'y')), kTextAttrFontStyle);
    EXPECT_EQ(Readable(row.x), Readable(x.value_or(u"(none)")));
    EXPECT_EQ(Readable(row.y), Readable(y.value_or(u"(none)")));
    EXPECT_EQ("", errors_);
  }
}

TEST_F(CharacterTagsTest, ColorNamesInThreeLanguages) {
  struct Row {
    std::u16string input;
    std::u16string swatch;  // empty: no colour set
    std::string errors;
  } rows[] = {
      {u"<cBleu>x", u"C=100 M=90 Y=10 K=0", ""},
      {u"<cblue>x", u"C=100 M=90 Y=10 K=0", ""},
      {u"<c\"BLAU\">x", u"C=100 M=90 Y=10 K=0", ""},
      {u"<c\"Grün\">x", u"C=75 M=5 Y=100 K=0", ""},
      {u"<cRouge>x", u"C=15 M=100 Y=100 K=0", ""},
      {u"<cm>x", u"C=0 M=100 Y=0 K=0", ""},
      {u"<cY>x", u"C=0 M=0 Y=100 K=0", ""},
      {u"<c\"C=100 M=0 Y=0 K=0\">x", u"C=100 M=0 Y=0 K=0", ""},
      {u"<cNosuch>x", u"", "E5:c"},
      {u"<cblue><c$>x", u"", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Import(row.input);
    std::optional<UID> swatch = ValueAt<UID>(static_cast<int32_t>(Text().find(u'x')), kTextAttrFillColor);
    if (row.swatch.empty()) {
      EXPECT_FALSE(swatch.has_value());
    } else {
      ASSERT_TRUE(swatch.has_value());
      EXPECT_EQ(Swatch(row.swatch), *swatch);
    }
    EXPECT_EQ(row.errors, errors_);
  }
  Import(u"<cK>x<cW>y");
  EXPECT_EQ(Swatch(u"Black"), ValueAt<UID>(0, kTextAttrFillColor).value_or(kInvalidUID));
  EXPECT_EQ(Swatch(u"Paper"), ValueAt<UID>(1, kTextAttrFillColor).value_or(kInvalidUID));
}

TEST_F(CharacterTagsTest, FontErrorsNameTheFont) {
  struct Row {
    std::u16string input;
    std::string errors;
  } rows[] = {
      {u"<f\"Nosuch\">x", "E3:f\"Nosuch\""},
      {u"<ff\"Nosuch\">x", "E3:ff\"Nosuch\""},
      {u"<f\"An extremely long font name that goes on\">x", "E3:f\"An extremely long font nam\\u{2026}\""},
      {u"<f\"DejaVu Serif Bold\">x", ""},
      {u"<ff\"DejaVu Serif\"><fs\"Italic\">x", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Import(row.input);
    EXPECT_EQ(row.errors, errors_);
  }
  Import(u"<f\"DejaVu Serif Bold\">x");
  EXPECT_EQ(u"Bold", ValueAt<WideString>(0, kTextAttrFontStyle).value_or(u""));
}

TEST_F(CharacterTagsTest, KerningByValueRemovesTheMethod) {
  Import(u"<k\"Optical\">x<k20>y");
  EXPECT_TRUE(ValueAt<ClassID>(0, kTextAttrKerningMethod).has_value());
  EXPECT_FALSE(ValueAt<ClassID>(1, kTextAttrKerningMethod).has_value());
  EXPECT_NEAR(0.1, ValueAt<double>(1, kTextAttrKerningValue).value_or(0), 1e-9);
  EXPECT_EQ("", errors_);
  Import(u"<k\"Nosuch\">x");
  EXPECT_EQ("E49:k", errors_);
}

TEST_F(CharacterTagsTest, SwitchesLanguageAndIgnoredTags) {
  Import(u"<G1>a<G$>b<G$$>c<N1>d<N0>e<G5>f<L1Y$$Mqp50>g<L7>h");
  EXPECT_EQ(u"abcdefgh", Text());
  EXPECT_EQ(std::optional<bool>(true), ValueAt<bool>(0, kTextAttrLigatures));
  // "$" takes the paragraph's value (its style gives one); "$$" removes the override.
  EXPECT_EQ(std::optional<bool>(false), ValueAt<bool>(1, kTextAttrLigatures));
  EXPECT_FALSE(ValueAt<bool>(2, kTextAttrLigatures).has_value());
  EXPECT_EQ(std::optional<bool>(true), ValueAt<bool>(3, kTextAttrNoBreak));
  EXPECT_EQ(std::optional<bool>(false), ValueAt<bool>(4, kTextAttrNoBreak));
  EXPECT_EQ("E10:G E10:L", errors_);

  Import(u"<n1>a<n6>b<n$>c");
  EXPECT_EQ(LanguageFromNumber(db_, 1), ValueAt<UID>(0, kTextAttrLanguage).value_or(kInvalidUID));
  EXPECT_EQ(LanguageFromNumber(db_, 1), ValueAt<UID>(1, kTextAttrLanguage).value_or(kInvalidUID));
  EXPECT_FALSE(ValueAt<UID>(2, kTextAttrLanguage).has_value());
  EXPECT_EQ("E47:n", errors_);
}

TEST_F(CharacterTagsTest, OpenTypeFeatures) {
  Import(u"<o(ss01,ss03)>x<o(ss02)>y<o($)>z<o(frac,zero)>w<oQ>v");
  EXPECT_EQ(u"xyzwv", Text());
  int32_t both = ValueAt<int32_t>(0, kTextAttrStylisticSets).value_or(0);
  int32_t three = ValueAt<int32_t>(1, kTextAttrStylisticSets).value_or(0);
  EXPECT_NE(0, both);
  EXPECT_EQ(both, FeatureEntryFromCode(MakeFeatureCode("ss01"), true).value |
                      FeatureEntryFromCode(MakeFeatureCode("ss03"), true).value);
  EXPECT_EQ(both | FeatureEntryFromCode(MakeFeatureCode("ss02"), true).value, three);
  EXPECT_FALSE(ValueAt<int32_t>(2, kTextAttrStylisticSets).has_value());
  EXPECT_EQ(std::optional<bool>(true), ValueAt<bool>(3, kTextAttrFractions));
  EXPECT_EQ(std::optional<bool>(true), ValueAt<bool>(3, kTextAttrSlashedZero));
  EXPECT_EQ("E2:Q", errors_);
}

TEST_F(CharacterTagsTest, SpecialCharacters) {
  struct Row {
    std::u16string input;
    std::u16string text;
    std::string errors;
  } rows[] = {
      {u"<\\!s>", u"\u00A0", ""},
      {u"<\\s\\!->", u" \u2011", ""},
      {u"<\\5>", u"\u2004", ""},
      {u"<\\$>", u"\u2005\u200B", ""},
      {u"<\\!$>", u"\u2005", ""},
      {u"<\\e\\m\\f>", u"\u2002\u200B\u2003 ", ""},
      {u"<v6>\r<\\e\\m\\f>", u"\u0003\u2014\u2002\u200B", ""},
      {u"<\\<\\>\\@\\\\>", u"<>@\\", ""},
      {u"<\\#146>", u"\u2019", ""},
      {u"<e0>\r<\\#146>", u"\u00ED", ""},
      {u"<\\#300>", u"?", ""},
      {u"<\\#8217>", u"?", "E2:7"},
      {u"<\\#U+263A>", u"\u263A", ""},
      {u"<\\#7>", u"\n", ""},
      {u"a<\\#11>b", u"a\rb", ""},
      {u"<\\#2>", u"", ""},
      {u"<\\g\\!!\\9>", u"", "E2:g E2:! E2:9"},
      {u"a<\\c>b", u"a\rb", ""},
      {u"<\\3>", u"\u0018", ""},
      {u"<\\", u"", "E12:\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Import(row.input);
    EXPECT_EQ(Readable(row.text), Readable(Text()));
    EXPECT_EQ(row.errors, errors_);
  }
}

TEST_F(CharacterTagsTest, NoBreakOfASpecialCharacterIsForThatCharacterOnly) {
  Import(u"a<\\!5>b<\\5>c<N0><\\!5>d");
  ASSERT_EQ(u"a\u2004b\u2004c\u2004d", Text());
  EXPECT_FALSE(ValueAt<bool>(0, kTextAttrNoBreak).has_value());
  EXPECT_EQ(std::optional<bool>(true), ValueAt<bool>(1, kTextAttrNoBreak));
  EXPECT_FALSE(ValueAt<bool>(2, kTextAttrNoBreak).has_value());
  EXPECT_FALSE(ValueAt<bool>(3, kTextAttrNoBreak).has_value());
  // The text's own no-break value wins and stays.
  EXPECT_EQ(std::optional<bool>(false), ValueAt<bool>(5, kTextAttrNoBreak));
  EXPECT_EQ(std::optional<bool>(false), ValueAt<bool>(6, kTextAttrNoBreak));
}

TEST_F(CharacterTagsTest, AttributeStackAndDefaults) {
  Import(u"<z20><&+><z30>a<&->b<&->c");
  EXPECT_EQ(30, ValueAt<double>(0, kTextAttrPointSize).value_or(0));
  EXPECT_EQ(20, ValueAt<double>(1, kTextAttrPointSize).value_or(0));
  EXPECT_EQ(20, ValueAt<double>(2, kTextAttrPointSize).value_or(0));
  EXPECT_EQ("E25:&-", errors_);

  // "$" falls back to D2, which nothing has set: the override goes, and the style shows through.
  Import(u"<z20>a<z$>b<U><t10>c<a$>d<&Q>e");
  EXPECT_EQ(20, ValueAt<double>(0, kTextAttrPointSize).value_or(0));
  EXPECT_FALSE(ValueAt<double>(1, kTextAttrPointSize).has_value());
  EXPECT_TRUE(ValueAt<bool>(2, kTextAttrUnderline).has_value());
  EXPECT_FALSE(ValueAt<bool>(3, kTextAttrUnderline).has_value());
  EXPECT_FALSE(ValueAt<double>(3, kTextAttrTracking).has_value());
  EXPECT_EQ("E2:&Q", errors_);

  Import(u"<aQ>x<~Q><~>");
  EXPECT_EQ("E1:a E2:Q E2:~ E2:~", errors_);
}

// The stack's own bound and its copies, independent of any story.
TEST(AttributeStackTest, PushesCopiesAndRefusesBeyondItsBound) {
  testing_support::EnsureHost();
  AttributeStack stack;
  VyTextAttributeMgr attributes;
  ASSERT_TRUE(attributes.Character().SetReal(kTextAttrPointSize, 9));
  ASSERT_TRUE(stack.Push(attributes, DefMode::kParagraphStyle));
  ASSERT_TRUE(attributes.Character().SetReal(kTextAttrPointSize, 15));
  DefMode mode = DefMode::kNormal;
  ASSERT_TRUE(stack.Pop(attributes, mode));
  double size = 0;
  EXPECT_TRUE(attributes.Character().GetReal(kTextAttrPointSize, size));
  EXPECT_EQ(9, size);
  EXPECT_EQ(DefMode::kParagraphStyle, mode);
  EXPECT_FALSE(stack.Pop(attributes, mode));
  for (size_t i = 0; i < AttributeStack::kMaxDepth; ++i)
    ASSERT_TRUE(stack.Push(attributes, DefMode::kNormal));
  EXPECT_FALSE(stack.Push(attributes, DefMode::kNormal));
}

}  // namespace
}  // namespace kesto
