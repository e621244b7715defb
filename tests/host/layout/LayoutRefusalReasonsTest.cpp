// Refused layout commands leave a reason a user understands with the error code, and change nothing; the
// limits on pages per spread, spread widths, transforms and columns are among those refusals.
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

using LayoutRefusalReasonsTest = SampleFixture;

TEST_F(LayoutRefusalReasonsTest, ARefusalSaysWhyAndChangesNothing) {
  ASSERT_EQ(Run(kLockItemsCmdBoss, {masterFrame_}, {.flag = true}), kSuccess);
  // Spread 3 holds ten pages: as many as a spread may.
  ASSERT_EQ(Run(kInsertPagesCmdBoss, {}, {.target = Spread(2), .count = 9}), kSuccess);
  const struct {
    ClassID command;
    std::vector<UID> items;
    LayoutParams params;
    const char* reason;  // a part of it
  } rows[] = {
      {kMoveItemsCmdBoss, {masterFrame_}, {}, "is locked"},
      {kApplyMasterCmdBoss,
       {Instantiate<ISpread>(db_, masterA_)->GetNthPage(0)},
       {.target = masterB_},
       "master A-Master would be based on itself through master B-Body"},
      {kGroupItemsCmdBoss, {first_, rect_}, {}, "cannot be grouped"},
      {kTextLinkCmdBoss, {first_, second_}, {}, "already show one story"},
      {kCreateOvalCmdBoss,
       {},
       {.bounds = {0, 0, 2e5, 4}, .target = Spread(0)},
       "reach beyond the coordinate limit"},
      {kInsertPagesCmdBoss,
       {},
       {.width = 2e4, .height = 10, .target = Spread(1), .count = 5},
       "spread 2 would be 101224 pt wide"},
      {kNewSpreadCmdBoss, {}, {.count = 0}, "1 to 10 pages, not 0"},
      {kMovePagesCmdBoss, {Page(0)}, {.target = Spread(2)}, "spread 3 would hold 11 pages"},
      {kTransformItemsCmdBoss,
       {rect_},
       {.transform = {.rotation = 1e306}},
       "would have a scale, skew or rotation that is not finite or beyond 100000"},
      {kTransformItemsCmdBoss,
       {rect_},
       {.transform = {.scaleX = 3000}},
       "would reach beyond the coordinate limit"},
      {kSetFrameColumnsCmdBoss,
       {first_},
       {.options = {.columns = 30, .gutter = 12}},
       "30 columns with gutters of 12 pt do not fit in 250 pt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.reason);
    std::string before = DumpLayout(db_);
    ErrorCode result = Run(row.command, row.items, row.params);
    std::string reason = ErrorUtils::PMGetGlobalErrorReason();
    EXPECT_TRUE(Refused(result));
    EXPECT_NE(reason.find(row.reason), std::string::npos) << reason;
    EXPECT_TRUE(ErrorUtils::PMGetGlobalErrorReason().empty());
    EXPECT_EQ(DumpLayout(db_), before);
  }
}

}  // namespace
}  // namespace layout_test
