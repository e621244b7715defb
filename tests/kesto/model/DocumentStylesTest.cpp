// Styles found by name and styles added from style infos.
#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "host/cmd/ErrorUtils.h"
#include "host/text/AttributeClasses.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleUtils.h"
#include "kesto/model/DocumentStyles.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

class DocumentStylesTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
  }
  void TearDown() override { DocumentList::Get().CloseDocument(db_); }
  IDataBase* db_ = nullptr;
};

TEST_F(DocumentStylesTest, LookupsAndRoots) {
  UID normal = FindParagraphStyle(db_, u"NormalParagraphStyle");
  EXPECT_TRUE(normal.IsValid());
  EXPECT_EQ(normal, StyleUtils::GetDefaultStyle(db_, StyleKind::kParagraph));
  EXPECT_TRUE(RootParagraphStyle(db_).IsValid());
  EXPECT_TRUE(RootCharacterStyle(db_).IsValid());
  EXPECT_NE(RootParagraphStyle(db_), RootCharacterStyle(db_));
  EXPECT_FALSE(FindParagraphStyle(db_, u"").IsValid());
  EXPECT_FALSE(FindParagraphStyle(db_, u"Nosuch").IsValid());
  // Names are not translated and paragraph names do not find character styles.
  EXPECT_FALSE(FindParagraphStyle(db_, u"normalparagraphstyle").IsValid());
  EXPECT_FALSE(FindCharacterStyle(db_, u"NormalParagraphStyle").IsValid());
  EXPECT_FALSE(FindParagraphStyle(nullptr, u"NormalParagraphStyle").IsValid());
  EXPECT_FALSE(RootCharacterStyle(nullptr).IsValid());
}

TEST_F(DocumentStylesTest, ParagraphStyleWithGroupAttributesAndNextStyle) {
  VyParagraphStyleInfo body(db_);
  body.SetName(u"Body");
  ASSERT_TRUE(AddParagraphStyle(body));

  VyParagraphStyleInfo heading(db_);
  heading.SetName(WideString(u"Headings") + kStyleGroupSeparator + u"Heading 1");
  heading.SetBasedOn(body.GetStyleUID());
  heading.SetNextStyle(body.GetStyleUID());
  ASSERT_TRUE(heading.SetReal(kTextAttrPointSize, 18));
  ASSERT_TRUE(AddParagraphStyle(heading));

  UID uid = heading.GetStyleUID();
  EXPECT_EQ(FindParagraphStyle(db_, heading.GetName()), uid);
  EXPECT_EQ(FindParagraphStyle(db_, u"Heading 1"), uid);
  InterfacePtr<IStyleInfo> style = StyleUtils::QueryStyle(db_, uid, StyleKind::kParagraph);
  ASSERT_TRUE(style);
  EXPECT_EQ(style->GetBasedOn(), body.GetStyleUID());
  EXPECT_EQ(style->GetNextStyle(), body.GetStyleUID());
  EXPECT_TRUE(style->GetAttributes().ContainsClass(kTextAttrPointSize));
  EXPECT_TRUE(StyleUtils::QueryStyleTable(db_, StyleKind::kParagraph)->HasGroup(u"Headings"));

  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_FALSE(FindParagraphStyle(db_, u"Heading 1").IsValid());
}

TEST_F(DocumentStylesTest, RefusedStylesReportFalseAndLeaveNoErrorPending) {
  VyCharacterStyleInfo emphasis(db_);
  emphasis.SetName(u"Emphasis");
  ASSERT_TRUE(AddCharacterStyle(emphasis));
  EXPECT_EQ(FindCharacterStyle(db_, u"Emphasis"), emphasis.GetStyleUID());
  EXPECT_FALSE(FindParagraphStyle(db_, u"Emphasis").IsValid());

  struct Case {
    const char* what;
    WideString name;
    UID basedOn;
  };
  const Case cases[] = {
      {"name taken", u"Emphasis", kInvalidUID},
      {"empty name", u"", kInvalidUID},
      {"based on a paragraph style", u"Strong", FindParagraphStyle(db_, u"NormalParagraphStyle")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    VyCharacterStyleInfo info(db_);
    info.SetName(c.name);
    info.SetBasedOn(c.basedOn);
    EXPECT_FALSE(AddCharacterStyle(info));
    EXPECT_FALSE(info.GetStyleUID().IsValid());
    EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
  }
  VyCharacterStyleInfo orphan(nullptr);
  orphan.SetName(u"Orphan");
  EXPECT_FALSE(AddCharacterStyle(orphan));

  VyCharacterStyleInfo longName(db_);
  longName.SetName(WideString(kMaxStyleNameLength + 10, u'x'));
  EXPECT_EQ(longName.GetName().size(), kMaxStyleNameLength);
  EXPECT_TRUE(AddCharacterStyle(longName));
}

}  // namespace
}  // namespace kesto
