// Refused layout commands leave a reason a user understands with the error code, and change nothing; the
// limits on pages per spread, spread widths, transforms and columns are among those refusals.
#include <functional>

#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

using LayoutRefusalReasonsTest = SampleFixture;

TEST_F(LayoutRefusalReasonsTest, ARefusalSaysWhyAndChangesNothing) {
  const struct {
    const char* name;
    std::function<ErrorCode(SampleFixture&)> run;
    const char* reason;  // a part of it
  } rows[] = {
      {"move a locked item", [](SampleFixture& t) { return t.Run(kMoveItemsCmdBoss, {t.masterFrame_}); },
       "is locked"},
      {"a master cycle",
       [](SampleFixture& t) {
         UID masterPage = Instantiate<ISpread>(t.db_, t.masterA_)->GetNthPage(0);
         return t.Run(kApplyMasterCmdBoss, {masterPage}, {.target = t.masterB_});
       },
       "master A-Master would be based on itself through master B-Body"},
      {"group across spreads",
       [](SampleFixture& t) {
         return t.Run(kGroupItemsCmdBoss, {t.first_, t.rect_});
       },
       "cannot be grouped"},
      {"link within a story",
       [](SampleFixture& t) {
         return t.Run(kTextLinkCmdBoss, {t.first_, t.second_});
       },
       "already show one story"},
      {"an item beyond the limit",
       [](SampleFixture& t) {
         return t.Run(kCreateOvalCmdBoss, {}, {.bounds = {0, 0, 2e5, 4}, .target = t.Spread(0)});
       },
       "the new item would reach beyond the coordinate limit"},
      {"a spread too wide",
       [](SampleFixture& t) {
         return t.Run(kInsertPagesCmdBoss, {},
                      {.width = 2e4, .height = 10, .target = t.Spread(1), .count = 5});
       },
       "spread 2 would be 101224 pt wide"},
      {"a spread without pages", [](SampleFixture& t) { return t.Run(kNewSpreadCmdBoss, {}, {.count = 0}); },
       "1 to 10 pages, not 0"},
      {"too many pages moved into a spread",
       [](SampleFixture& t) { return t.Run(kMovePagesCmdBoss, {t.Page(0)}, {.target = t.Spread(2)}); },
       "spread 3 would hold 11 pages"},
      {"a rotation of 1e306",
       [](SampleFixture& t) {
         return t.Run(kTransformItemsCmdBoss, {t.rect_}, {.transform = {.rotation = 1e306}});
       },
       "would have a scale, skew or rotation that is not finite or beyond 100000"},
      {"a scale beyond the limit",
       [](SampleFixture& t) {
         return t.Run(kTransformItemsCmdBoss, {t.rect_}, {.transform = {.scaleX = 3000}});
       },
       "would reach beyond the coordinate limit"},
      {"columns that do not fit",
       [](SampleFixture& t) {
         return t.Run(kSetFrameColumnsCmdBoss, {t.first_}, {.options = {.columns = 30, .gutter = 12}});
       },
       "30 columns with gutters of 12 pt do not fit in 250 pt"},
  };
  ASSERT_EQ(Run(kLockItemsCmdBoss, {masterFrame_}, {.flag = true}), kSuccess);
  // Spread 3 holds ten pages: as many as a spread may.
  ASSERT_EQ(Run(kInsertPagesCmdBoss, {}, {.target = Spread(2), .count = 9}), kSuccess);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string before = DumpLayout(db_);
    ErrorCode result = row.run(*this);
    std::string reason = ErrorUtils::PMGetGlobalErrorReason();
    EXPECT_TRUE(Refused(result));
    EXPECT_NE(reason.find(row.reason), std::string::npos) << reason;
    EXPECT_TRUE(ErrorUtils::PMGetGlobalErrorReason().empty());
    EXPECT_EQ(DumpLayout(db_), before);
  }
}

}  // namespace
}  // namespace layout_test
