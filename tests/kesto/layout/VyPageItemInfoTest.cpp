// Box description records made into page items and read back, applied over items that hold other values
// (only what is set changes), and the item and document operations the builder uses.
#include "kesto/layout/VyPageItemInfo.h"

#include <gtest/gtest.h>

#include "kesto/layout/DocumentItems.h"
#include "kesto/layout/VyPageItem.h"
#include "tests/host/layout/LayoutFixture.h"

namespace kesto {
namespace {

class VyPageItemInfoTest : public layout_test::SampleFixture {
 protected:
  void SetUp() override {
    SampleFixture::SetUp();
    document_ = VyDocument::Make(db_);
  }
  XPageItem Create(const VyPageItemInfo& record, int32_t pageIndex = 1) {
    return XPageItem::CreateBox(document_, record, pageIndex);
  }
  VyRef<VyDocument> document_;
};

TEST_F(VyPageItemInfoTest, KindAndShapeChooseTheItemMade) {
  struct Row {
    int32_t kind, shape;
    ClassID made;
  } rows[] = {{kBoxText, kShapeRectangle, kTextFrameBoss},
              {kBoxText, kShapeOval, kTextFrameBoss},
              {kBoxEmpty, kShapeRectangle, kRectangleBoss},
              {kBoxEmpty, 3, kRectangleBoss},
              {kBoxEmpty, kShapeOval, kOvalBoss},
              {kBoxEmpty, kShapeLine, kLineBoss},
              {kBoxPicture, kShapeRectangle, kGraphicFrameBoss}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kind * 10 + row.shape);
    VyPageItemInfo record;
    record.Reset();
    record.kind = row.kind;
    record.shape = row.shape;
    record.bounds = {10, 20, 110, 70};
    XPageItem item = Create(record, 2);
    ASSERT_TRUE(item.IsValid());
    EXPECT_EQ(db_->GetClass(item.GetUID()), row.made);
    // Corners on page 3, the right page of its spread.
    EXPECT_EQ(item.GetBounds().left, 10 + Instantiate<IPage>(db_, Page(1))->GetWidth());
    EXPECT_EQ(item.GetBounds().Height(), 50);
  }
  VyPageItemInfo beyond;
  beyond.bounds = {0, 0, 1e9, 10};
  EXPECT_FALSE(Create(beyond).IsValid());
  EXPECT_FALSE(Create(VyPageItemInfo(), 9).IsValid()) << "no such page";
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
}

TEST_F(VyPageItemInfoTest, ATextRecordIsAppliedAndReadBack) {
  VyTextItemInfo record;
  record.Reset();
  record.kind = kBoxText;
  record.bounds = {0, 0, 300, 200};
  record.rotation = 30;
  record.flipHorizontal = 1;
  record.columns = 2;
  record.gutter = 10;
  record.insets = {1, 2, 3, 4};
  record.firstBaselineType = 3;
  record.verticalJustification = 1;
  record.firstBaselineMinimum = 12;
  record.paragraphSpacingLimit = 20;
  XPageItem item = Create(record);
  ASSERT_TRUE(item.IsValid());
  VyTextItemInfo back;
  back.ReadFrom(item);
  EXPECT_EQ(back.kind, kBoxText);
  EXPECT_EQ(back.rotation, 30);
  EXPECT_EQ(back.flipHorizontal, 1);
  EXPECT_EQ(back.flipVertical, 0);
  EXPECT_EQ(back.columns, 2);
  EXPECT_EQ(back.gutter, 10);
  EXPECT_EQ(back.insets, record.insets);
  EXPECT_EQ(back.firstBaselineType, 3);
  EXPECT_EQ(back.verticalJustification, 1);
  EXPECT_EQ(back.firstBaselineMinimum, 12);
  EXPECT_EQ(back.paragraphSpacingLimit, 20);

  // Only what is set changes: the rest of the frame stays as the first record left it.
  VyTextItemInfo only;
  only.Reset();
  only.columns = 3;
  only.skew = 10;
  uint64_t insets = CmdUtils::CountProcessed(kSetFrameInsetsCmdBoss);
  EXPECT_EQ(only.ApplyTo(item), 0);
  EXPECT_EQ(CmdUtils::CountProcessed(kSetFrameInsetsCmdBoss), insets);
  back.ReadFrom(item);
  EXPECT_EQ(back.columns, 3);
  EXPECT_EQ(back.gutter, 10);
  EXPECT_EQ(back.rotation, 30);
  EXPECT_EQ(back.skew, 10);
  EXPECT_EQ(back.flipHorizontal, 1);

  // An oval frame takes its left inset on every side.
  VyTextItemInfo oval;
  oval.Reset();
  oval.shape = kShapeOval;
  oval.insets = {5, kUnsetReal, kUnsetReal, kUnsetReal};
  EXPECT_EQ(oval.ApplyTo(item), 0);
  back.ReadFrom(item);
  EXPECT_EQ(back.insets, (std::array<double, 4>{5, 5, 5, 5}));

  VyTextItemInfo tooMany;
  tooMany.Reset();
  tooMany.columns = 500;
  EXPECT_NE(tooMany.ApplyTo(item), 0);
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
}

TEST_F(VyPageItemInfoTest, ItemOperationsGoThroughTheHost) {
  VyPageItemInfo record;
  record.bounds = {0, 0, 50, 50};
  XPageItem a = Create(record), b = Create(record);
  EXPECT_TRUE(a.SetLabel(u"first"));
  EXPECT_TRUE(b.SetLabels({{u"k", u"v"}}));
  EXPECT_FALSE(b.SetLabels({{u"", u"v"}}));
  EXPECT_EQ(Instantiate<IPageItem>(db_, b.GetUID())->GetLabels().keyed.size(), 1u);
  EXPECT_TRUE(b.SendBehind(a.GetUID()));
  auto order = LayoutUtils::ItemsOnPage(db_, Page(1));
  EXPECT_LT(std::find(order.begin(), order.end(), b.GetUID()),
            std::find(order.begin(), order.end(), a.GetUID()));

  EXPECT_TRUE(a.SetBounds({100, 100, 180, 120}));
  EXPECT_EQ(a.GetBounds().right, 180);
  VyPageItemInfo turn;
  turn.Reset();
  turn.rotation = 45;
  EXPECT_EQ(turn.ApplyTo(a), 0);
  EXPECT_TRUE(a.SetBounds({200, 200, 260, 220}));
  EXPECT_NEAR(a.GetBounds().Center().x, 230, 1e-6);
  EXPECT_NEAR(a.GetBounds().Width(), 60, 1e-6);

  UID group = GroupBoxes(*document_, {a.GetUID(), b.GetUID()});
  ASSERT_TRUE(group.IsValid());
  K2ChildItemIterator members(*document_, group);
  int count = 0;
  for (UID uid = members.First(); uid.IsValid(); uid = members.Next())
    ++count;
  EXPECT_EQ(count, 2);
  EXPECT_FALSE(GroupBoxes(*document_, {a.GetUID(), first_}).IsValid()) << "different parents";

  EXPECT_TRUE(XPageItem(document_, group).SetItemState(true));
  EXPECT_TRUE(Instantiate<IPageItem>(db_, group)->IsLocked());
  XPageItem locked(document_, group);
  locked.DeleteBox();
  EXPECT_FALSE(locked.GetUID().IsValid());
  EXPECT_TRUE(LayoutUtils::IsPageItem(db_, group)) << "a locked item is not deleted";
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
}

TEST_F(VyPageItemInfoTest, LayersAndLabelledBoxes) {
  UID active = ActiveLayer(*document_);
  EXPECT_EQ(FindLayer(*document_, u"Layer 1"), active);
  EXPECT_FALSE(FindLayer(*document_, u"Notes").IsValid());
  UID notes = CreateLayer(*document_, u"Notes");
  ASSERT_TRUE(notes.IsValid());
  EXPECT_EQ(FindLayer(*document_, u"Notes"), notes);
  EXPECT_FALSE(CreateLayer(*document_, u"Notes").IsValid()) << "names are unique";

  ASSERT_EQ(Run(kSetLabelCmdBoss, {masterFrame_}, {.name = u"running"}), kSuccess);
  ASSERT_EQ(Run(kSetLabelCmdBoss, {rect_}, {.name = u"rect"}), kSuccess);
  ASSERT_EQ(Run(kApplyMasterCmdBoss, {Page(2)}, {.target = masterA_}), kSuccess);
  struct Row {
    const char* name;
    LabelScope scope;
    UID from;
    UID found;
  } rows[] = {
      {"running", LabelScope::kPage, second_, masterFrame_},
      {"running", LabelScope::kPage, first_, kInvalidUID},
      {"running", LabelScope::kSpread, first_, masterFrame_},
      {"rect", LabelScope::kSpread, first_, kInvalidUID},
      {"rect", LabelScope::kDocument, first_, rect_},
      {"RECT", LabelScope::kDocument, first_, kInvalidUID},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " " + std::to_string(static_cast<int>(row.scope)));
    EXPECT_EQ(FindBoxByLabel(*document_, WideFromUtf8(row.name), row.scope, row.from), row.found);
  }
}

}  // namespace
}  // namespace kesto
