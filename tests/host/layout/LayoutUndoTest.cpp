// Undo of layout edits: a random run of layout commands undoes and redoes step by step to exactly the states
// it passed through, and a layout change made outside a command is refused.
#include <random>

#include "host/layout/IPageItem.h"
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

using LayoutUndoTest = SampleFixture;

struct RandomRun {
  SampleFixture& t;
  std::mt19937 random;

  int32_t Pick(size_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); }
  std::vector<UID> Items() const {
    std::vector<UID> items;
    for (UID uid : t.db_->GetAllUIDs())
      if (LayoutUtils::IsPageItem(t.db_, uid)) items.push_back(uid);
    return items;
  }
  UID AnyItem() {
    std::vector<UID> items = Items();
    return items.empty() ? kInvalidUID : items[Pick(items.size())];
  }
  UID AnySpread() {
    auto spreads = LayoutUtils::QuerySpreadList(t.db_);
    return t.Spread(Pick(spreads->CountSpreads() + spreads->CountMasterSpreads()));
  }
  PMRect AnyBounds() {
    double left = Pick(400), top = Pick(400);
    return {left, top, left + 1 + Pick(200), top + 1 + Pick(200)};
  }

  // One command chosen at random over the document as it is now; refusals (a locked item, a master item)
  // are part of the run.
  ErrorCode Step() {
    switch (Pick(12)) {
      case 0:
        return t.Run(kCreateTextFrameCmdBoss, {}, {.bounds = AnyBounds(), .target = AnySpread()});
      case 1:
        return t.Run(kCreateRectangleCmdBoss, {}, {.bounds = AnyBounds(), .target = AnySpread()});
      case 2:
        return t.Run(kMoveItemsCmdBoss, {AnyItem()}, {.dx = Pick(9) - 4.0, .dy = Pick(9) - 4.0});
      case 3:
        return t.Run(kSetBoundsCmdBoss, {AnyItem()}, {.bounds = AnyBounds()});
      case 4:
        return t.Run(kDeleteItemsCmdBoss, {AnyItem()});
      case 5:
        return t.Run(kLockItemsCmdBoss, {AnyItem()}, {.flag = Pick(2) == 0});
      case 6:
        return t.Run(kSetLabelCmdBoss, {AnyItem()}, {.name = Pick(2) ? u"a" : u"b"});
      case 7:
        return t.Run(kGroupItemsCmdBoss, {AnyItem(), AnyItem()});
      case 8:
        return t.Run(kTextLinkCmdBoss, {AnyItem(), AnyItem()});
      case 9:
        return t.Run(kInsertPagesCmdBoss, {}, {.target = t.Spread(0), .position = 0, .count = 1});
      case 10:
        return t.Run(kNewLayerCmdBoss, {}, {.position = 0, .name = u"L"});
      default:
        return t.Run(kSendToBackCmdBoss, {AnyItem()});
    }
  }
};

TEST_F(LayoutUndoTest, RandomCommandsUndoAndRedoThroughEveryState) {
  RandomRun run{*this, std::mt19937(27)};
  std::vector<std::string> states{DumpLayout(db_)};
  for (int i = 0; i < 80; ++i) {
    uint64_t steps = db_->CountRecordedSteps();
    (void)run.Step();  // a refusal is as good a step of the run as a change
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    // A command that changed nothing (or was refused) leaves no undo step and the layout as it was.
    if (db_->CountRecordedSteps() > steps) states.push_back(DumpLayout(db_));
    ASSERT_EQ(DumpLayout(db_), states.back()) << "step " << i << " changed the layout without an undo step";
  }
  ASSERT_GT(states.size(), 30u);
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess) << "undo back to state " << i - 1;
    ASSERT_EQ(DumpLayout(db_), states[i - 1]) << "undo back to state " << i - 1;
  }
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_EQ(CmdUtils::Redo(db_), kSuccess) << "redo to state " << i;
    ASSERT_EQ(DumpLayout(db_), states[i]) << "redo to state " << i;
  }
}

TEST_F(LayoutUndoTest, AChangeOutsideACommandIsRefused) {
  auto item = Instantiate<IPageItem>(db_, rect_);
  const PMRect before = item->GetBounds();
  EXPECT_DEBUG_DEATH(item->SetBounds({0, 0, 1, 1}), "outside a command");
  EXPECT_EQ(item->GetBounds(), before);
  EXPECT_FALSE(db_->CanUndo());
  {
    // Building and reading documents change them on purpose without undo.
    UntrackedChanges building(db_);
    item->SetBounds({0, 0, 1, 1});
  }
  EXPECT_EQ(item->GetBounds(), (PMRect{0, 0, 1, 1}));
  EXPECT_FALSE(db_->CanUndo());
}

}  // namespace
}  // namespace layout_test
