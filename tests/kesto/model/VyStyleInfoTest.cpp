// Style infos loaded from the document's styles, and the styles made from them: what a new or redefined
// style holds.
#include "kesto/model/VyStyleInfo.h"

#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "host/text/AttributeClasses.h"
#include "host/text/StyleUtils.h"
#include "kesto/model/DocumentStyles.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

class VyStyleInfoTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
  }
  void TearDown() override { DocumentList::Get().CloseDocument(db_); }

  // A paragraph style `name` based on `basedOn` (0: the root) with point size `size`.
  UID MakeParagraphStyle(std::u16string_view name, UID basedOn, double size) {
    VyParagraphStyleInfo info(db_);
    info.SetName(name);
    info.SetBasedOn(basedOn);
    EXPECT_TRUE(info.SetReal(kTextAttrPointSize, size));
    EXPECT_TRUE(AddParagraphStyle(info));
    return info.GetStyleUID();
  }
  InterfacePtr<IStyleInfo> Style(UID uid) { return StyleUtils::QueryStyle(db_, uid, StyleKind::kParagraph); }

  IDataBase* db_ = nullptr;
};

TEST_F(VyStyleInfoTest, LoadingCopiesAStyleAndRebasingKeepsItsLook) {
  UID base = MakeParagraphStyle(u"Base", kInvalidUID, 9);
  VyParagraphStyleInfo derived(db_);
  derived.SetName(u"Derived");
  derived.SetBasedOn(base);
  derived.SetNextStyle(base);
  ASSERT_TRUE(derived.SetEnum(kTextAttrAlignment, 1));
  ASSERT_TRUE(AddParagraphStyle(derived));

  VyParagraphStyleInfo info(db_);
  info.SetName(u"Copy");
  ASSERT_TRUE(info.LoadFromStyle(derived.GetStyleUID()));
  EXPECT_EQ(u"Copy", info.GetName());
  EXPECT_EQ(base, info.GetBasedOn());
  EXPECT_EQ(base, info.GetNextStyle());
  EXPECT_FALSE(info.GetStyleUID().IsValid());
  double size = 0;
  EXPECT_TRUE(info.GetReal(kTextAttrPointSize, size));
  EXPECT_EQ(9, size);
  EXPECT_TRUE(info.HasOverride(kTextAttrAlignment));
  EXPECT_FALSE(info.HasOverride(kTextAttrPointSize));

  info.RebaseOnRoot();
  EXPECT_EQ(RootParagraphStyle(db_), info.GetBasedOn());
  EXPECT_TRUE(info.HasOverride(kTextAttrPointSize));
  EXPECT_TRUE(info.HasOverride(kTextAttrAlignment));

  // What is no paragraph style leaves the info empty on the root.
  EXPECT_FALSE(info.LoadFromStyle(FindCharacterStyle(db_, u"[No character style]")));
  EXPECT_EQ(RootParagraphStyle(db_), info.GetStyle());
  EXPECT_FALSE(info.HasOverride(kTextAttrAlignment));
  EXPECT_FALSE(info.GetNextStyle().IsValid());
}

// Leading at a style's own size is read through whole imports; what is left is the edges.
TEST_F(VyStyleInfoTest, NewStylesHoldLookAttributesOnly) {
  VyParagraphStyleInfo info(db_);
  info.SetName(u"Tight");
  ASSERT_TRUE(info.SetReal(kTextAttrPointSize, 10));
  ASSERT_TRUE(info.SetLeading(-20, true));
  ASSERT_TRUE(info.SetEnum(kTextAttrPageNumberKind, 1));
  ASSERT_TRUE(AddParagraphStyle(info));
  InterfacePtr<IStyleInfo> style = Style(info.GetStyleUID());
  ASSERT_TRUE(style);
  // A negative relative amount beyond the point size closes the lines up rather than overlapping them.
  const ITextAttribute* leading = style->GetAttributes().GetByClass(kTextAttrLeading);
  ASSERT_NE(nullptr, leading);
  EXPECT_EQ(AttributeValue(0.0), leading->GetValue());
  EXPECT_FALSE(style->GetAttributes().ContainsClass(kTextAttrPageNumberKind));
}

TEST_F(VyStyleInfoTest, RedefiningGivesAStyleAnotherDefinitionUnderItsName) {
  UID base = MakeParagraphStyle(u"Base", kInvalidUID, 9);
  UID target = MakeParagraphStyle(u"Target", kInvalidUID, 30);
  VyParagraphStyleInfo info(db_);
  info.SetName(u"Ignored");
  info.SetBasedOn(base);
  info.SetNextStyle(base);
  ASSERT_TRUE(info.SetEnum(kTextAttrAlignment, 2));
  ASSERT_TRUE(RedefineParagraphStyle(info, target));
  InterfacePtr<IStyleInfo> style = Style(target);
  EXPECT_EQ(u"Target", style->GetName());
  EXPECT_EQ(base, style->GetBasedOn());
  EXPECT_EQ(base, style->GetNextStyle());
  EXPECT_TRUE(style->GetAttributes().ContainsClass(kTextAttrAlignment));
  EXPECT_FALSE(style->GetAttributes().ContainsClass(kTextAttrPointSize));

  // A loop of based-on styles is refused and changes nothing.
  VyParagraphStyleInfo loop(db_);
  loop.SetBasedOn(target);
  EXPECT_FALSE(RedefineParagraphStyle(loop, base));
  EXPECT_EQ(RootParagraphStyle(db_), Style(base)->GetBasedOn());
  EXPECT_FALSE(RedefineParagraphStyle(loop, kInvalidUID));
}

}  // namespace
}  // namespace kesto
