// Resolution of an attribute at a text position through overrides, styles, based-on chains and defaults.
#include <functional>

#include "host/text/AttributeResolver.h"
#include "tests/host/text/TextFixture.h"

namespace text_test {
namespace {

class AttributeResolverTest : public TextFixture {
 protected:
  std::optional<ResolvedAttribute> At(int32_t position, ClassID cls) {
    return AttributeResolver::Resolve(Story().get(), position, cls);
  }
};

// Each row removes the source the previous row found, so the next one down the order shows through.
TEST_F(AttributeResolverTest, OverridesThenStylesThenDefaults) {
  UID characterBase =
      MakeStyle(StyleKind::kCharacter, u"CharBase", kInvalidUID, List({{kTextAttrPointSize, 11.0}}));
  UID characterStyle =
      MakeStyle(StyleKind::kCharacter, u"Char", characterBase, List({{kTextAttrPointSize, 10.0}}));
  UID paragraphBase =
      MakeStyle(StyleKind::kParagraph, u"ParaBase", kInvalidUID, List({{kTextAttrPointSize, 14.0}}));
  UID paragraphStyle =
      MakeStyle(StyleKind::kParagraph, u"Para", paragraphBase, List({{kTextAttrPointSize, 13.0}}));
  ASSERT_EQ(TextCmdUtils::InsertText(story_, 0, u"text"), kSuccess);
  ASSERT_EQ(TextCmdUtils::ApplyParagraphStyle(story_, 0, 1, paragraphStyle), kSuccess);
  ASSERT_EQ(TextCmdUtils::ApplyCharacterStyle(story_, 0, 4, characterStyle), kSuccess);
  ASSERT_EQ(
      TextCmdUtils::ApplyOverrides(story_, TextStrand::kParagraph, 0, 1, List({{kTextAttrPointSize, 12.0}})),
      kSuccess);
  ASSERT_EQ(
      TextCmdUtils::ApplyOverrides(story_, TextStrand::kCharacter, 0, 4, List({{kTextAttrPointSize, 9.0}})),
      kSuccess);
  auto emptyStyle = [&](UID style) {
    ASSERT_EQ(TextCmdUtils::SetStyleAttributes(UIDRef(db_, style), {}), kSuccess);
  };
  struct Row {
    const char* what;
    double size;
    AttributeSource source;
    std::function<void()> thenRemove;
  };
  const Row rows[] = {
      {"character override", 9, AttributeSource::kCharacterOverride,
       [&] { ASSERT_EQ(TextCmdUtils::ClearOverrides(story_, TextStrand::kCharacter, 0, 4), kSuccess); }},
      {"character style", 10, AttributeSource::kCharacterStyle, [&] { emptyStyle(characterStyle); }},
      {"the character style's based-on style", 11, AttributeSource::kCharacterStyle,
       [&] { ASSERT_EQ(TextCmdUtils::ApplyCharacterStyle(story_, 0, 4, CharacterRoot()), kSuccess); }},
      {"paragraph override", 12, AttributeSource::kParagraphOverride,
       [&] { ASSERT_EQ(TextCmdUtils::ClearOverrides(story_, TextStrand::kParagraph, 0, 1), kSuccess); }},
      {"paragraph style", 13, AttributeSource::kParagraphStyle, [&] { emptyStyle(paragraphStyle); }},
      {"the paragraph style's based-on style", 14, AttributeSource::kParagraphStyle,
       [&] { emptyStyle(paragraphBase); }},
      {"the root paragraph style's default", 12, AttributeSource::kParagraphStyle, [] {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    auto found = At(2, kTextAttrPointSize);
    ASSERT_TRUE(found);
    EXPECT_EQ(std::get<double>(found->value), row.size);
    EXPECT_EQ(found->source, row.source);
    row.thenRemove();
  }
}

TEST_F(AttributeResolverTest, ParagraphAttributesIgnoreTheCharacterSide) {
  UID paragraphStyle =
      MakeStyle(StyleKind::kParagraph, u"Centered", kInvalidUID, List({{kTextAttrAlignment, int32_t{1}}}));
  ASSERT_EQ(TextCmdUtils::ApplyParagraphStyle(story_, 0, 0, paragraphStyle), kSuccess);
  auto found = At(0, kTextAttrAlignment);
  ASSERT_TRUE(found);
  EXPECT_EQ(std::get<int32_t>(found->value), 1);
  EXPECT_EQ(found->source, AttributeSource::kParagraphStyle);
  EXPECT_FALSE(At(0, 0x7654321)) << "a class nobody registered and nothing sets";
}

TEST_F(AttributeResolverTest, BasedOnChainsEndEvenWhenTheyLoop) {
  UID a = MakeStyle(StyleKind::kParagraph, u"A");
  UID b = MakeStyle(StyleKind::kParagraph, u"B", a);
  // A loop the commands refuse, made directly as a damaged document could hold it.
  {
    UntrackedChanges damaging(db_);
    Instantiate<IStyleInfo>(db_, a)->SetBasedOn(b);
  }
  EXPECT_FALSE(AttributeResolver::FromStyle(db_, b, kTextAttrAlignment));
  EXPECT_TRUE(AttributeResolver::FromStyle(db_, ParagraphDefault(), kTextAttrAlignment));
}

}  // namespace
}  // namespace text_test
