// The pair of managers: styles by name, the default and paired styles, dissolving styles into overrides,
// quotation marks of the language in force, and a story's reset before loading the caret's attributes.
#include <gtest/gtest.h>

#include "host/res/ILanguage.h"
#include "host/text/AttributeClasses.h"
#include "kesto/model/K2StoryAttributeMgr.h"
#include "kesto/model/Languages.h"
#include "tests/kesto/model/ModelTestSupport.h"

using namespace kesto;
using kesto_test::Attrs;

namespace {

class VyTextAttributeMgrTest : public kesto_test::DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    pair_.SetDocument(db_);
  }
  VyTextAttributeMgr pair_;
};

TEST_F(VyTextAttributeMgrTest, DefaultStylesFallBackToTheHostsOwn) {
  UID normalParagraphStyle = StyleUtils::FindStyle(db_, StyleKind::kParagraph, u"NormalParagraphStyle").style;
  ASSERT_TRUE(normalParagraphStyle.IsValid());
  EXPECT_EQ(pair_.Paragraph().DefaultParagraphStyle(), normalParagraphStyle);
  UID characterNormal = NewStyle(StyleKind::kCharacter, u"Normal");
  // A character "Normal" alone is not the default: the paragraph side has no "Normal" to go with it.
  EXPECT_EQ(pair_.Character().DefaultCharacterStyle(), Root(StyleKind::kCharacter));
  UID paragraphNormal = NewStyle(StyleKind::kParagraph, u"Normal");
  EXPECT_EQ(pair_.Paragraph().DefaultParagraphStyle(), paragraphNormal);
  EXPECT_EQ(pair_.Character().DefaultCharacterStyle(), characterNormal);

  ASSERT_TRUE(pair_.Character().SetReal(kTextAttrPointSize, 30));
  ASSERT_TRUE(pair_.ApplyNormalStyles());
  EXPECT_EQ(pair_.Paragraph().GetStyle(), paragraphNormal);
  EXPECT_EQ(pair_.Character().GetStyle(), characterNormal);
  EXPECT_FALSE(pair_.Character().HasOverride(kTextAttrPointSize));
}

TEST_F(VyTextAttributeMgrTest, PairedCharacterStyleOfAParagraphStyle) {
  UID emphasis = NewStyle(StyleKind::kCharacter, u"Emphasis");
  UID quote = NewStyle(StyleKind::kParagraph, u"Quote", {}, kInvalidUID, emphasis);
  UID body = NewStyle(StyleKind::kParagraph, u"Body");
  UID paragraphNormal = NewStyle(StyleKind::kParagraph, u"Normal");
  struct Case {
    UID paragraph;
    UID expected;
  };
  UID characterRoot = Root(StyleKind::kCharacter);
  const Case before[] = {{quote, emphasis}, {body, characterRoot}, {paragraphNormal, characterRoot}};
  for (const Case& c : before) {
    SCOPED_TRACE(c.paragraph.Get());
    ASSERT_TRUE(pair_.Paragraph().SetStyle(c.paragraph));
    EXPECT_EQ(pair_.Paragraph().PairedCharacterStyle(), c.expected);
  }
  UID characterNormal = NewStyle(StyleKind::kCharacter, u"Normal");
  ASSERT_TRUE(pair_.Paragraph().SetStyle(paragraphNormal));
  EXPECT_EQ(pair_.Paragraph().PairedCharacterStyle(), characterNormal);
}

TEST_F(VyTextAttributeMgrTest, ParagraphStyleByNameSetsThePairAndDropsOverrides) {
  UID emphasis = NewStyle(StyleKind::kCharacter, u"Emphasis");
  UID quote = NewStyle(StyleKind::kParagraph, u"Quote", {}, kInvalidUID, emphasis);
  ASSERT_TRUE(pair_.Paragraph().SetReal(kTextAttrSpaceBefore, 4));
  ASSERT_TRUE(pair_.Character().SetBool(kTextAttrUnderline, true));
  EXPECT_FALSE(pair_.SetParagraphStyleByNameForPair(u"Nosuch"));
  EXPECT_EQ(pair_.Paragraph().GetLastError(), kAttrNoSuchName);
  EXPECT_TRUE(pair_.Character().HasOverride(kTextAttrUnderline));

  ASSERT_TRUE(pair_.SetParagraphStyleByNameForPair(u"Quote"));
  EXPECT_EQ(pair_.Paragraph().GetStyle(), quote);
  EXPECT_EQ(pair_.Character().GetStyle(), emphasis);
  EXPECT_FALSE(pair_.Paragraph().HasOverride(kTextAttrSpaceBefore));
  EXPECT_FALSE(pair_.Character().HasOverride(kTextAttrUnderline));

  EXPECT_FALSE(pair_.Character().SetCharacterStyleByName(u"Nosuch"));
  EXPECT_EQ(pair_.Character().GetStyle(), emphasis);
  ASSERT_TRUE(pair_.Character().SetStyleByName(u"[No character style]"));
  EXPECT_EQ(pair_.Character().GetStyle(), Root(StyleKind::kCharacter));
}

TEST_F(VyTextAttributeMgrTest, DissolvingKeepsTheLookOnTheRootStyles) {
  UID base = NewStyle(StyleKind::kParagraph, u"Base", Attrs({{kTextAttrPointSize, 14.0}}));
  UID body = NewStyle(StyleKind::kParagraph, u"Body", Attrs({{kTextAttrAlignment, int32_t(1)}}), base);
  UID emphasis = NewStyle(StyleKind::kCharacter, u"Emphasis", Attrs({{kTextAttrPointSize, 9.0}}));
  ASSERT_TRUE(pair_.Paragraph().SetStyle(body));
  ASSERT_TRUE(pair_.Paragraph().SetReal(kTextAttrSpaceBefore, 6));
  ASSERT_TRUE(pair_.Character().SetStyle(emphasis));
  ASSERT_TRUE(pair_.Character().SetBool(kTextAttrUnderline, true));

  pair_.DissolveStyles();
  EXPECT_EQ(pair_.Paragraph().GetStyle(), Root(StyleKind::kParagraph));
  EXPECT_EQ(pair_.Character().GetStyle(), Root(StyleKind::kCharacter));
  EXPECT_TRUE(
      pair_.Paragraph().Equals(Attrs({{kTextAttrAlignment, int32_t(1)}, {kTextAttrSpaceBefore, 6.0}})));
  // The paragraph style's size is handed to the characters, where the character style's wins over it.
  EXPECT_TRUE(pair_.Character().Equals(Attrs({{kTextAttrPointSize, 9.0}, {kTextAttrUnderline, true}})));

  // Without a character style the paragraph style's size shows.
  ASSERT_TRUE(pair_.Paragraph().SetStyle(body));
  pair_.Character().LoadFrom(Root(StyleKind::kCharacter), {});
  pair_.DissolveStyles();
  EXPECT_TRUE(pair_.Character().Equals(Attrs({{kTextAttrPointSize, 14.0}})));
}

TEST_F(VyTextAttributeMgrTest, CharactersInheritTheParagraphStyleOnlyWithoutAPairedStyle) {
  UID emphasis = NewStyle(StyleKind::kCharacter, u"Emphasis");
  UID body = NewStyle(StyleKind::kParagraph, u"Body",
                      Attrs({{kTextAttrPointSize, 14.0}, {kTextAttrAlignment, int32_t(2)}}));
  UID quote =
      NewStyle(StyleKind::kParagraph, u"Quote", Attrs({{kTextAttrPointSize, 8.0}}), kInvalidUID, emphasis);
  VyCharacterAttributeMgr character(db_);
  VyParagraphAttributeMgr paragraph(db_);
  ASSERT_TRUE(paragraph.SetStyle(body));
  character.InheritFromParagraphStyle(paragraph);
  EXPECT_EQ(character.GetStyle(), Root(StyleKind::kCharacter));
  EXPECT_TRUE(character.Equals(Attrs({{kTextAttrPointSize, 14.0}})));

  ASSERT_TRUE(paragraph.SetStyle(quote));
  character.InheritFromParagraphStyle(paragraph);
  EXPECT_TRUE(character.Equals(Attrs({{kTextAttrPointSize, 14.0}})));
}

TEST_F(VyTextAttributeMgrTest, QuotesFollowTheLanguageInForce) {
  UID french = LanguageFromNumber(db_, 1);
  InterfacePtr<ILanguage> language = Instantiate<ILanguage>(db_, french);
  ASSERT_TRUE(language);
  ASSERT_TRUE(pair_.Paragraph().SetLanguage(1));
  EXPECT_EQ(pair_.QuoteCharacter(true, false), language->GetQuote(true, false));
  ASSERT_TRUE(pair_.Character().SetLanguage(0));
  EXPECT_EQ(pair_.QuoteCharacter(true, true), u'\u201D');

  VyTextAttributeMgr detached;
  const char16_t expected[] = {u'\u2018', u'\u2019', u'\u201C', u'\u201D'};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(detached.QuoteCharacter(i >= 2, i % 2 == 1), expected[i]) << i;
}

TEST_F(VyTextAttributeMgrTest, StoryPairBindsStrandsAndResetsForTheCaret) {
  K2StoryAttributeMgr story(db_);
  K2AttributeSet paragraphs, characters;
  UID paragraphNormal = NewStyle(StyleKind::kParagraph, u"Normal");
  UID characterNormal = NewStyle(StyleKind::kCharacter, u"Normal");
  story.BindStrands(&paragraphs, &characters);
  ASSERT_TRUE(story.Paragraph().SetStyle(paragraphNormal));
  ASSERT_TRUE(story.Character().SetBool(kTextAttrUnderline, true));
  story.ResetForCaret();
  EXPECT_EQ(characters.GetStyle(), characterNormal);
  EXPECT_TRUE(characters.GetOverrides()->IsEmpty());

  VyTextAttributeMgr copy(db_);
  copy.CopyFrom(story);
  EXPECT_EQ(copy.Paragraph().GetStyle(), paragraphNormal);
  EXPECT_EQ(copy.Character().GetStyle(), characterNormal);
}

}  // namespace
