// Page items in the hierarchy: groups, stacking order, layers, labels, locks and geometry.
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

using LayoutItemsTest = SampleFixture;

std::vector<UID> Children(IDataBase* db, UID node) {
  return Instantiate<IHierarchy>(db, node)->GetChildren();
}

TEST_F(LayoutItemsTest, AGroupTakesItsMembersAlongAndKeepsTheirOrder) {
  UID layer = Instantiate<IHierarchy>(db_, first_)->GetParent();
  std::vector<UID> group;
  ASSERT_EQ(Run(kGroupItemsCmdBoss, {second_, first_}, {}, &group), kSuccess);
  EXPECT_EQ(Children(db_, group[0]), (std::vector<UID>{first_, second_}));
  EXPECT_EQ(Children(db_, layer), (std::vector<UID>{group[0]}));
  EXPECT_EQ(Instantiate<IPageItem>(db_, group[0])->GetBounds(), (PMRect{50, 50, 900, 300}));
  ASSERT_EQ(Run(kMoveItemsCmdBoss, {group[0]}, {.dx = 10, .dy = 20}), kSuccess);
  EXPECT_EQ(Instantiate<IPageItem>(db_, first_)->GetBounds(), (PMRect{60, 70, 310, 320}));
  EXPECT_EQ(Instantiate<IPageItem>(db_, group[0])->GetBounds(), (PMRect{60, 70, 910, 320}));
  // Deleting the group deletes its frames; the story goes with its last frame.
  UID story = FirstStory();
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {group[0]}), kSuccess);
  EXPECT_FALSE(db_->IsValidUID(first_));
  EXPECT_FALSE(db_->IsValidUID(story));
}

TEST_F(LayoutItemsTest, StackingOrderAndLayers) {
  UID layer = Instantiate<IHierarchy>(db_, first_)->GetParent();
  UID third = Frame(Spread(1), {10, 10, 20, 20});
  ASSERT_EQ(Run(kSendBehindCmdBoss, {third}, {.target = second_}), kSuccess);
  EXPECT_EQ(Children(db_, layer), (std::vector<UID>{first_, third, second_}));
  ASSERT_EQ(Run(kSendToBackCmdBoss, {second_, third}), kSuccess);
  EXPECT_EQ(Children(db_, layer), (std::vector<UID>{second_, third, first_}));
  std::vector<UID> art;
  ASSERT_EQ(Run(kNewLayerCmdBoss, {}, {.position = 0, .name = u"Art"}, &art), kSuccess);
  auto layers = LayoutUtils::QueryLayerList(db_);
  EXPECT_EQ(layers->GetNthLayer(0), art[0]);
  EXPECT_EQ(layers->GetActiveLayer(), art[0]);
  // Every spread, masters too, has a layer for it, in the document's order.
  for (int32_t i = 0; i < 5; ++i) {
    auto spreadLayer = Instantiate<ISpreadLayer>(db_, Children(db_, Spread(i))[0]);
    EXPECT_EQ(spreadLayer->GetDocumentLayer(), art[0]);
  }
  // New items go to the active layer; items move between spreads and layers keeping their bounds.
  UID onArt = Frame(Spread(0), {1, 1, 2, 2});
  EXPECT_EQ(LayoutUtils::SpreadLayerOfItem(db_, onArt), LayoutUtils::SpreadLayerFor(db_, Spread(0), art[0]));
  ASSERT_EQ(Run(kMoveToLayerCmdBoss, {first_}, {.target = Spread(2), .second = art[0]}), kSuccess);
  EXPECT_EQ(LayoutUtils::SpreadLayerOfItem(db_, first_), LayoutUtils::SpreadLayerFor(db_, Spread(2), art[0]));
  EXPECT_EQ(Instantiate<IPageItem>(db_, first_)->GetBounds(), (PMRect{50, 50, 300, 300}));
}

TEST_F(LayoutItemsTest, LabelsLocksAndGeometry) {
  const struct {
    const char16_t* key;
    const char16_t* value;
    const char* label;
    size_t keyed;
  } rows[] = {
      {u"", u"Box", "Box", 0}, {u"a", u"1", "Box", 1}, {u"b", u"2", "Box", 2},
      {u"a", u"3", "Box", 2},  {u"a", u"", "Box", 1},  {u"", u"", "", 1},
  };
  for (const auto& row : rows) {
    ASSERT_EQ(Run(kSetLabelCmdBoss, {rect_}, {.name = row.value, .key = row.key}), kSuccess);
    const ItemLabels& labels = Instantiate<IPageItem>(db_, rect_)->GetLabels();
    EXPECT_EQ(Utf8FromWide(labels.label), row.label);
    EXPECT_EQ(labels.keyed.size(), row.keyed);
  }
  EXPECT_EQ(Instantiate<IPageItem>(db_, rect_)->GetLabels().keyed[0],
            (std::pair<WideString, WideString>{u"b", u"2"}));
  ASSERT_EQ(Run(kResizeItemsCmdBoss, {rect_}, {.width = 50, .height = 60}), kSuccess);
  EXPECT_EQ(Instantiate<IPageItem>(db_, rect_)->GetBounds(), (PMRect{100, 100, 150, 160}));
  ASSERT_EQ(Run(kLockItemsCmdBoss, {rect_}, {.flag = true}), kSuccess);
  EXPECT_TRUE(Refused(Run(kDeleteItemsCmdBoss, {rect_})));
  EXPECT_TRUE(Refused(Run(kSetBoundsCmdBoss, {rect_}, {.bounds = {0, 0, 1, 1}})));
  ASSERT_EQ(Run(kLockItemsCmdBoss, {rect_}, {.flag = false}), kSuccess);
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {rect_}), kSuccess);
  // Frame options reach the frame and damage its frame list from there.
  auto list = Instantiate<IFrameList>(db_, LayoutUtils::FrameListOfFrame(db_, second_));
  {
    UntrackedChanges composed(db_);  // as the composer leaves it
    list->SetFirstDamagedFrame(-1);
  }
  ASSERT_EQ(Run(kSetFrameColumnsCmdBoss, {second_}, {.options = {.columns = 2, .gutter = 9}}), kSuccess);
  EXPECT_EQ(Instantiate<ITextFrame>(db_, second_)->GetOptions().columns, 2);
  EXPECT_EQ(list->GetFirstDamagedFrame(), 1);
}

}  // namespace
}  // namespace layout_test
