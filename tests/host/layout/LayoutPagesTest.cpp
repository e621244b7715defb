// Pages and spreads that move, go and are copied, with the items on them.
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

using LayoutPagesTest = SampleFixture;

std::vector<UID> PagesOf(IDataBase* db, UID spread) {
  std::vector<UID> pages;
  auto s = Instantiate<ISpread>(db, spread);
  for (int32_t i = 0; s && i < s->CountPages(); ++i)
    pages.push_back(s->GetNthPage(i));
  return pages;
}

TEST_F(LayoutPagesTest, MovedPagesTakeTheirItemsAndEmptySpreadsGo) {
  UID pageFour = Page(3);
  UID lastSpread = Spread(2);
  // Page 4 (with the rectangle) goes before page 2; spread 3 is left empty and goes.
  ASSERT_EQ(Run(kMovePagesCmdBoss, {pageFour}, {.target = Spread(1), .position = 0}), kSuccess);
  EXPECT_FALSE(db_->IsValidUID(lastSpread));
  EXPECT_EQ(PagesOf(db_, Spread(1)), (std::vector<UID>{pageFour, Page(2), Page(3)}));
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, rect_), pageFour);
  EXPECT_EQ(LayoutUtils::SpreadOfItem(db_, rect_), Spread(1));
  EXPECT_EQ(Instantiate<IPageItem>(db_, rect_)->GetBounds(), (PMRect{100, 100, 200, 200}));
  // The frames moved right by a page with their pages.
  EXPECT_EQ(Instantiate<IPageItem>(db_, first_)->GetBounds(), (PMRect{662, 50, 912, 300}));
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, second_), Page(3));
}

TEST_F(LayoutPagesTest, DeletedPagesTakeTheirItemsAndSections) {
  ASSERT_EQ(Run(kNewSectionCmdBoss, {}, {.target = Page(1), .name = u"Two"}), kSuccess);
  ASSERT_EQ(Run(kNewSectionCmdBoss, {}, {.target = Page(3), .name = u"Four"}), kSuccess);
  UID story = FirstStory();
  UID pageThree = Page(2);
  ASSERT_EQ(Run(kDeletePagesCmdBoss, {Page(1)}), kSuccess);
  EXPECT_FALSE(db_->IsValidUID(first_));
  EXPECT_EQ(FramesOf(story), (std::vector<UID>{second_}));
  EXPECT_EQ(Text(story), u"One\rTwo\rThree\r");
  // Page 3 is now alone in its spread and the first page there.
  EXPECT_EQ(PagesOf(db_, Spread(1)), (std::vector<UID>{pageThree}));
  EXPECT_EQ(Instantiate<IPageItem>(db_, second_)->GetBounds(), (PMRect{88, 50, 288, 300}));
  const auto& sections = LayoutUtils::QuerySectionList(db_)->GetSections();
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(Utf8FromWide(sections[0].name), "Four");
  EXPECT_EQ(LayoutUtils::PageNumber(db_, Page(2)), 1);
  EXPECT_EQ(LayoutUtils::PageNumber(db_, pageThree), 2);
}

TEST_F(LayoutPagesTest, ADuplicatedSpreadHasItsOwnStoriesAndOverrides) {
  std::vector<UID> local;
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {Page(2)}}, &local), kSuccess);
  int32_t stories = CountStories();
  std::vector<UID> made;
  ASSERT_EQ(Run(kDuplicateSpreadCmdBoss, {Spread(1)}, {}, &made), kSuccess);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(Spread(2), made[0]);
  std::vector<UID> pages = PagesOf(db_, made[0]);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Instantiate<IPage>(db_, pages[1])->GetMasterSpread(), masterA_);
  // The two frames of one story became two frames of one new story, in the same order; the override's
  // copy became an override of the new page with a story of its own.
  EXPECT_EQ(CountStories(), stories + 2);
  std::vector<UID> items = LayoutUtils::ItemsOfSpread(db_, made[0]);
  ASSERT_EQ(items.size(), 3u);
  UID story = LayoutUtils::StoryOfFrame(db_, items[0]);
  EXPECT_NE(story, FirstStory());
  EXPECT_EQ(FramesOf(story), (std::vector<UID>{items[0], items[1]}));
  EXPECT_EQ(Text(story), u"One\rTwo\rThree\r");
  auto overrides = Instantiate<IPage>(db_, pages[1])->GetOverrides();
  EXPECT_EQ(overrides, (std::vector<OverrideEntry>{{masterFrame_, items[2]}}));
  EXPECT_EQ(Text(LayoutUtils::StoryOfFrame(db_, items[2])), u"Running\r");
  // A duplicated master takes the next free prefix.
  ASSERT_EQ(Run(kDuplicateMasterSpreadCmdBoss, {masterA_}, {}, &made), kSuccess);
  EXPECT_EQ(Utf8FromWide(Instantiate<IMasterSpread>(db_, made[0])->GetFullName()), "C-Master");
  EXPECT_EQ(LayoutUtils::ItemsOfSpread(db_, made[0]).size(), 1u);
}

TEST_F(LayoutPagesTest, MasterItemsHiddenByAnOverrideAlongTheChainStayHidden) {
  // B is based on A; a page on B shows A's frame until B overrides it, then B's copy.
  ASSERT_EQ(Run(kApplyMasterCmdBoss, {Page(2)}, {.target = masterB_}), kSuccess);
  EXPECT_EQ(LayoutUtils::MasterItemsShownOnPage(db_, Page(2)), (std::vector<UID>{masterFrame_}));
  UID bRight = PagesOf(db_, masterB_)[1];
  std::vector<UID> onB;
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {bRight}}, &onB), kSuccess);
  EXPECT_EQ(LayoutUtils::MasterItemsShownOnPage(db_, Page(2)), onB);
  // The page can override the copy on B in turn.
  std::vector<UID> onPage;
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {onB[0]}, {.pages = {Page(2)}}, &onPage), kSuccess);
  EXPECT_TRUE(LayoutUtils::MasterItemsShownOnPage(db_, Page(2)).empty());
  EXPECT_EQ(Instantiate<IPageItem>(db_, onPage[0])->GetOverrideOf(), onB[0]);
}

// Another master takes the page's overrides of the old master's items with it; the copies stay as they are,
// as plain items, and undo gives the overrides back.
TEST_F(LayoutPagesTest, AnotherMasterReleasesTheOverridesOfTheOldOne) {
  std::vector<UID> local;
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {Page(2)}}, &local), kSuccess);
  std::string overridden = DumpLayout(db_);
  // B is based on A: its pages still show A's frame, so the override stays.
  ASSERT_EQ(Run(kApplyMasterCmdBoss, {Page(2)}, {.target = masterB_}), kSuccess);
  EXPECT_EQ(Instantiate<IPage>(db_, Page(2))->GetOverrides().size(), 1u);
  std::string onB = DumpLayout(db_);
  ASSERT_EQ(Run(kApplyMasterCmdBoss, {Page(2)}, {.target = kInvalidUID}), kSuccess);
  EXPECT_TRUE(Instantiate<IPage>(db_, Page(2))->GetOverrides().empty());
  EXPECT_FALSE(Instantiate<IPageItem>(db_, local[0])->GetOverrideOf().IsValid());
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, local[0]), Page(2));
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_EQ(DumpLayout(db_), onB);
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_EQ(DumpLayout(db_), overridden);
}

}  // namespace
}  // namespace layout_test
