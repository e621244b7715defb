// The layout commands: each undoes and redoes exactly, each refusal changes nothing, and the behaviours
// that need more than one look: deleting frames, linking, overriding and reverting, inserting pages.
#include <functional>

#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

using LayoutCommandsTest = SampleFixture;

struct Operation {
  const char* name;
  std::function<ErrorCode(SampleFixture&)> run;
};

TEST_F(LayoutCommandsTest, EveryCommandUndoesAndRedoesExactly) {
  // Each row runs against the same starting state, restored by undoing the row before.
  auto& t = *this;
  const Operation rows[] = {
      {"text frame",
       [](SampleFixture& t) {
         return t.Run(kCreateTextFrameCmdBoss, {}, {.bounds = {1, 2, 3, 4}, .target = t.Page(0)});
       }},
      {"graphic frame",
       [](SampleFixture& t) {
         return t.Run(kCreateGraphicFrameCmdBoss, {},
                      {.bounds = {1, 2, 3, 4}, .target = t.Spread(0), .flag = true});
       }},
      {"oval",
       [](SampleFixture& t) {
         return t.Run(kCreateOvalCmdBoss, {}, {.bounds = {1, 2, 3, 4}, .target = t.Spread(0)});
       }},
      {"line",
       [](SampleFixture& t) {
         return t.Run(kCreateLineCmdBoss, {}, {.bounds = {1, 2, 3, 2}, .target = t.Spread(0)});
       }},
      {"convert",
       [](SampleFixture& t) { return t.Run(kConvertPathCmdBoss, {t.rect_}, {.kind = kTextFrameBoss}); }},
      {"convert a frame",
       [](SampleFixture& t) { return t.Run(kConvertPathCmdBoss, {t.second_}, {.kind = kOvalBoss}); }},
      {"delete a frame", [](SampleFixture& t) { return t.Run(kDeleteItemsCmdBoss, {t.first_}); }},
      {"delete a story's frames",
       [](SampleFixture& t) {
         return t.Run(kDeleteItemsCmdBoss, {t.first_, t.second_});
       }},
      {"move to layer",
       [](SampleFixture& t) { return t.Run(kMoveToLayerCmdBoss, {t.rect_}, {.target = t.Spread(0)}); }},
      {"send behind",
       [](SampleFixture& t) { return t.Run(kSendBehindCmdBoss, {t.second_}, {.target = t.first_}); }},
      {"send to back", [](SampleFixture& t) { return t.Run(kSendToBackCmdBoss, {t.second_}); }},
      {"move",
       [](SampleFixture& t) {
         return t.Run(kMoveItemsCmdBoss, {t.first_, t.rect_}, {.dx = 5, .dy = -7});
       }},
      {"resize",
       [](SampleFixture& t) { return t.Run(kResizeItemsCmdBoss, {t.first_}, {.width = 10, .height = 20}); }},
      {"set bounds",
       [](SampleFixture& t) {
         return t.Run(kSetBoundsCmdBoss, {t.rect_}, {.bounds = {0, 0, 9, 9}});
       }},
      {"transform",
       [](SampleFixture& t) {
         return t.Run(kTransformItemsCmdBoss, {t.rect_}, {.transform = {2, 1, 10, 45, true, false}});
       }},
      {"columns",
       [](SampleFixture& t) {
         return t.Run(kSetFrameColumnsCmdBoss, {t.first_}, {.options = {.columns = 3, .gutter = 6}});
       }},
      {"insets",
       [](SampleFixture& t) {
         return t.Run(kSetFrameInsetsCmdBoss, {t.first_}, {.options = {.insets = {1, 2, 3, 4}}});
       }},
      {"vertical justification",
       [](SampleFixture& t) {
         return t.Run(kSetVerticalJustificationCmdBoss, {t.first_},
                      {.options = {.verticalJustification = VerticalJustification::kBottom}});
       }},
      {"first baseline",
       [](SampleFixture& t) {
         return t.Run(kSetFirstBaselineCmdBoss, {t.first_},
                      {.options = {.firstBaseline = FirstBaseline::kFixed, .firstBaselineMinimum = 12}});
       }},
      {"spacing limit",
       [](SampleFixture& t) {
         return t.Run(kSetParagraphSpacingLimitCmdBoss, {t.first_},
                      {.options = {.paragraphSpacingLimit = 20}});
       }},
      {"lock", [](SampleFixture& t) { return t.Run(kLockItemsCmdBoss, {t.rect_}, {.flag = true}); }},
      {"label", [](SampleFixture& t) { return t.Run(kSetLabelCmdBoss, {t.rect_}, {.name = u"Box"}); }},
      {"keyed label",
       [](SampleFixture& t) { return t.Run(kSetLabelCmdBoss, {t.rect_}, {.name = u"v", .key = u"k"}); }},
      {"new layer",
       [](SampleFixture& t) { return t.Run(kNewLayerCmdBoss, {}, {.position = 0, .name = u"Art"}); }},
      {"group",
       [](SampleFixture& t) {
         return t.Run(kGroupItemsCmdBoss, {t.first_, t.second_});
       }},
      {"primary flow",
       [](SampleFixture& t) { return t.Run(kSetPrimaryTextFlowCmdBoss, {t.FirstStory()}, {.flag = true}); }},
      {"apply master",
       [](SampleFixture& t) {
         return t.Run(kApplyMasterCmdBoss, {t.Page(1), t.Page(2)}, {.target = t.masterB_});
       }},
      {"insert pages",
       [](SampleFixture& t) {
         return t.Run(kInsertPagesCmdBoss, {}, {.target = t.Spread(1), .position = 1, .count = 2});
       }},
      {"insert and redistribute",
       [](SampleFixture& t) {
         return t.Run(kInsertPagesCmdBoss, {},
                      {.target = t.Spread(0), .second = t.masterA_, .position = 0, .count = 1, .flag = true});
       }},
      {"new spread",
       [](SampleFixture& t) { return t.Run(kNewSpreadCmdBoss, {}, {.position = 1, .count = 2}); }},
      {"delete pages",
       [](SampleFixture& t) {
         return t.Run(kDeletePagesCmdBoss, {t.Page(1), t.Page(3)});
       }},
      {"move pages",
       [](SampleFixture& t) {
         return t.Run(kMovePagesCmdBoss, {t.Page(3)}, {.target = t.Spread(0), .position = 0});
       }},
      {"page position",
       [](SampleFixture& t) { return t.Run(kSetPagePositionCmdBoss, {t.Spread(1)}, {.position = 1}); }},
      {"duplicate spread", [](SampleFixture& t) { return t.Run(kDuplicateSpreadCmdBoss, {t.Spread(1)}); }},
      {"duplicate master",
       [](SampleFixture& t) { return t.Run(kDuplicateMasterSpreadCmdBoss, {t.masterA_}); }},
      {"new master",
       [](SampleFixture& t) {
         return t.Run(kNewMasterCmdBoss, {},
                      {.second = t.masterB_, .count = 1, .name = u"New", .prefix = u"C"});
       }},
      {"master of master",
       [](SampleFixture& t) { return t.Run(kSetMasterOfMasterCmdBoss, {t.masterB_}, {}); }},
      {"override",
       [](SampleFixture& t) {
         return t.Run(kOverrideMasterItemsCmdBoss, {t.masterFrame_}, {.pages = {t.Page(2)}});
       }},
      {"page setup",
       [](SampleFixture& t) {
         LayoutParams p;
         p.setup.pageWidth = 500;
         p.setup.frameDefaults.columns = 2;
         p.flag = true;
         return t.Run(kSetPageSetupCmdBoss, {}, p);
       }},
      {"new section",
       [](SampleFixture& t) { return t.Run(kNewSectionCmdBoss, {}, {.target = t.Page(2), .name = u"Two"}); }},
  };
  std::string start = DumpLayout(db_);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(row.run(t), kSuccess);
    std::string done = DumpLayout(db_);
    EXPECT_NE(done, start);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
    EXPECT_EQ(DumpLayout(db_), start);
    ASSERT_EQ(CmdUtils::Redo(db_), kSuccess);
    EXPECT_EQ(DumpLayout(db_), done);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  }
}

TEST_F(LayoutCommandsTest, RefusedCommandsChangeNothing) {
  auto& t = *this;
  const Operation rows[] = {
      {"frame on nothing",
       [](SampleFixture& t) {
         return t.Run(kCreateTextFrameCmdBoss, {}, {.bounds = {1, 2, 3, 4}});
       }},
      {"inverted bounds",
       [](SampleFixture& t) {
         return t.Run(kCreateRectangleCmdBoss, {}, {.bounds = {5, 2, 3, 4}, .target = t.Spread(0)});
       }},
      {"bounds beyond the largest coordinate",
       [](SampleFixture& t) {
         return t.Run(kCreateOvalCmdBoss, {},
                      {.bounds = {0, 0, kMaxCoordinate * 2, 4}, .target = t.Spread(0)});
       }},
      {"convert away the last frame of a story with text",
       [](SampleFixture& t) {
         return t.Run(kConvertPathCmdBoss, {t.second_, t.first_}, {.kind = kOvalBoss});
       }},
      {"a page setup with a fault",
       [](SampleFixture& t) {
         LayoutParams p;
         p.setup.pagesPerSpread = 0;
         return t.Run(kSetPageSetupCmdBoss, {}, p);
       }},
      {"delete a page", [](SampleFixture& t) { return t.Run(kDeleteItemsCmdBoss, {t.Page(0)}); }},
      {"move a locked item",
       [](SampleFixture& t) {
         return t.Run(kMoveItemsCmdBoss, {t.first_, t.masterFrame_}, {.dx = 1});
       }},
      {"move beyond the largest coordinate",
       [](SampleFixture& t) {
         return t.Run(kMoveItemsCmdBoss, {t.first_, t.rect_}, {.dx = kMaxCoordinate});
       }},
      {"no columns",
       [](SampleFixture& t) {
         return t.Run(kSetFrameColumnsCmdBoss, {t.first_}, {.options = {.columns = 0}});
       }},
      {"columns of a rectangle",
       [](SampleFixture& t) {
         return t.Run(kSetFrameColumnsCmdBoss, {t.first_, t.rect_}, {.options = {.columns = 2}});
       }},
      {"link within a story",
       [](SampleFixture& t) {
         return t.Run(kTextLinkCmdBoss, {t.second_, t.first_});
       }},
      {"link to a frame that is not first",
       [](SampleFixture& t) {
         return t.Run(kTextLinkCmdBoss, {t.masterFrame_, t.second_});
       }},
      {"send behind itself",
       [](SampleFixture& t) { return t.Run(kSendBehindCmdBoss, {t.first_}, {.target = t.first_}); }},
      {"group across spreads",
       [](SampleFixture& t) {
         return t.Run(kGroupItemsCmdBoss, {t.first_, t.rect_});
       }},
      {"layer without a name", [](SampleFixture& t) { return t.Run(kNewLayerCmdBoss, {}, {}); }},
      {"layer named twice",
       [](SampleFixture& t) { return t.Run(kNewLayerCmdBoss, {}, {.name = u"Layer 1"}); }},
      {"master that is no master",
       [](SampleFixture& t) { return t.Run(kApplyMasterCmdBoss, {t.Page(0)}, {.target = t.Spread(1)}); }},
      {"a master based on itself",
       [](SampleFixture& t) {
         return t.Run(kSetMasterOfMasterCmdBoss, {t.masterA_}, {.target = t.masterB_});
       }},
      {"a master page on its own spread",
       [](SampleFixture& t) { return t.Run(kApplyMasterCmdBoss, {t.Page(4)}, {.target = t.masterA_}); }},
      {"delete every page",
       [](SampleFixture& t) {
         return t.Run(kDeletePagesCmdBoss, {t.Page(0), t.Page(1), t.Page(2), t.Page(3)});
       }},
      {"delete a master page", [](SampleFixture& t) { return t.Run(kDeletePagesCmdBoss, {t.Page(4)}); }},
      {"insert beyond the spread",
       [](SampleFixture& t) {
         return t.Run(kInsertPagesCmdBoss, {}, {.target = t.Spread(0), .position = 5});
       }},
      {"insert into a master",
       [](SampleFixture& t) { return t.Run(kInsertPagesCmdBoss, {}, {.target = t.masterA_}); }},
      {"insert no pages",
       [](SampleFixture& t) { return t.Run(kInsertPagesCmdBoss, {}, {.target = t.Spread(0), .count = 0}); }},
      {"move pages to a master",
       [](SampleFixture& t) { return t.Run(kMovePagesCmdBoss, {t.Page(1)}, {.target = t.masterA_}); }},
      {"new master with a prefix taken",
       [](SampleFixture& t) { return t.Run(kNewMasterCmdBoss, {}, {.name = u"X", .prefix = u"A"}); }},
      {"override an item of no master of the page",
       [](SampleFixture& t) {
         return t.Run(kOverrideMasterItemsCmdBoss, {t.rect_}, {.pages = {t.Page(2)}});
       }},
      {"revert what is no override",
       [](SampleFixture& t) { return t.Run(kRevertOverridesCmdBoss, {t.rect_}); }},
      {"section on a master page",
       [](SampleFixture& t) { return t.Run(kNewSectionCmdBoss, {}, {.target = t.Page(5)}); }},
      {"page position beyond the pages",
       [](SampleFixture& t) { return t.Run(kSetPagePositionCmdBoss, {t.Spread(0)}, {.position = 3}); }},
      {"duplicate a page", [](SampleFixture& t) { return t.Run(kDuplicateSpreadCmdBoss, {t.Page(0)}); }},
      {"primary flow of a frame",
       [](SampleFixture& t) { return t.Run(kSetPrimaryTextFlowCmdBoss, {t.first_}, {.flag = true}); }},
  };
  ASSERT_EQ(Run(kLockItemsCmdBoss, {masterFrame_}, {.flag = true}), kSuccess);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string before = DumpLayout(db_);
    EXPECT_TRUE(Refused(row.run(t)));
    EXPECT_EQ(DumpLayout(db_), before);
  }
}

TEST_F(LayoutCommandsTest, ADeletedFrameLeavesItsTextToTheOthersAndTheLastTakesTheStory) {
  UID story = FirstStory();
  int32_t stories = CountStories();
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {first_}), kSuccess);
  EXPECT_EQ(FramesOf(story), (std::vector<UID>{second_}));
  EXPECT_EQ(Text(story), u"One\rTwo\rThree\r");
  EXPECT_EQ(Instantiate<IFrameList>(db_, LayoutUtils::FrameListOfStory(db_, story))->GetFirstDamagedFrame(),
            0);
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {second_}), kSuccess);
  EXPECT_FALSE(db_->IsValidUID(story));
  EXPECT_EQ(CountStories(), stories - 1);
  // The document keeps its one story, so that it stays a document.
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {masterFrame_}), kSuccess);
  UID main = MainStory();
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {MainFrame()}), kSuccess);
  EXPECT_EQ(MainStory(), main);
  EXPECT_TRUE(FramesOf(main).empty());
}

TEST_F(LayoutCommandsTest, ALinkMergesTheSecondStoryIntoTheFirst) {
  UID d = FirstStory();
  EXPECT_EQ(Text(d), u"One\rTwo\rThree\r");
  UID third = Frame(Spread(2), {50, 50, 300, 300});
  UID s = LayoutUtils::StoryOfFrame(db_, third);
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, s), 0, u"Four"), kSuccess);
  UID fourth = Frame(Spread(2), {60, 350, 300, 500});
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {fourth}), kSuccess);
  ASSERT_EQ(Run(kTextLinkCmdBoss, {first_, third}), kSuccess);
  EXPECT_EQ(FramesOf(d), (std::vector<UID>{first_, third, second_}));
  EXPECT_EQ(Text(d), u"One\rTwo\rThree\rFour\r");
  EXPECT_FALSE(db_->IsValidUID(s));
  EXPECT_EQ(Instantiate<IFrameList>(db_, LayoutUtils::FrameListOfStory(db_, d))->GetFirstDamagedFrame(), 0);
  EXPECT_EQ(LayoutUtils::FrameIndex(db_, second_), 2);
}

TEST_F(LayoutCommandsTest, OverridesCopyMasterItemsOntoThePageAndRevertTakesThemAway) {
  // Page 3 is the right page of spread 2 and shows the right page of A.
  std::vector<UID> local;
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {Page(2)}}, &local), kSuccess);
  ASSERT_EQ(local.size(), 1u);
  auto page = Instantiate<IPage>(db_, Page(2));
  EXPECT_EQ(page->GetOverrides(), (std::vector<OverrideEntry>{{masterFrame_, local[0]}}));
  EXPECT_EQ(Instantiate<IPageItem>(db_, local[0])->GetOverrideOf(), masterFrame_);
  EXPECT_EQ(Instantiate<IPageItem>(db_, local[0])->GetBounds(), (PMRect{648, 36, 1188, 756}));
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, local[0]), Page(2));
  UID copyStory = LayoutUtils::StoryOfFrame(db_, local[0]);
  EXPECT_NE(copyStory, LayoutUtils::StoryOfFrame(db_, masterFrame_));
  EXPECT_EQ(Text(copyStory), u"Running\r");
  EXPECT_TRUE(LayoutUtils::MasterItemsShownOnPage(db_, Page(2)).empty());
  // Overriding again makes nothing new.
  std::vector<UID> again;
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {Page(2)}}, &again), kSuccess);
  EXPECT_TRUE(again.empty());
  ASSERT_EQ(Run(kRevertOverridesCmdBoss, {local[0]}), kSuccess);
  EXPECT_TRUE(page->GetOverrides().empty());
  EXPECT_FALSE(db_->IsValidUID(local[0]));
  EXPECT_FALSE(db_->IsValidUID(copyStory));
  EXPECT_EQ(LayoutUtils::MasterItemsShownOnPage(db_, Page(2)), (std::vector<UID>{masterFrame_}));
  // A local copy whose master item goes stays as an item of its own.
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {Page(2)}}, &local), kSuccess);
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {masterFrame_}), kSuccess);
  EXPECT_TRUE(page->GetOverrides().empty());
  EXPECT_FALSE(Instantiate<IPageItem>(db_, local[0])->GetOverrideOf().IsValid());
  EXPECT_EQ(Text(LayoutUtils::StoryOfFrame(db_, local[0])), u"Running\r");
}

TEST_F(LayoutCommandsTest, InsertedPagesPushTheirSpreadOrAreRedistributed) {
  auto counts = [&] {
    std::vector<int32_t> n;
    auto spreads = LayoutUtils::QuerySpreadList(db_);
    for (int32_t i = 0; i < spreads->CountSpreads(); ++i)
      n.push_back(Instantiate<ISpread>(db_, spreads->GetNthSpread(i))->CountPages());
    return n;
  };
  UID pageTwo = Page(1);
  UID pageThree = Page(2);
  std::vector<UID> made;
  ASSERT_EQ(Run(kInsertPagesCmdBoss, {}, {.target = Spread(0), .position = -1, .count = 1}, &made), kSuccess);
  EXPECT_EQ(counts(), (std::vector<int32_t>{2, 2, 1}));
  EXPECT_EQ(Page(1), made[0]);
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  ASSERT_EQ(
      Run(kInsertPagesCmdBoss, {}, {.target = Spread(0), .position = -1, .count = 1, .flag = true}, &made),
      kSuccess);
  EXPECT_EQ(counts(), (std::vector<int32_t>{1, 2, 2}));
  // The new page opens spread 2, so page 2 (with its frame) moved to the left of spread 2... and page 3 on.
  EXPECT_EQ(Instantiate<IPage>(db_, made[0])->GetSpread(), Spread(1));
  EXPECT_EQ(Instantiate<IPage>(db_, pageTwo)->GetSpread(), Spread(1));
  EXPECT_EQ(Instantiate<IPage>(db_, pageThree)->GetSpread(), Spread(2));
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, first_), pageTwo);
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, second_), pageThree);
  EXPECT_EQ(Instantiate<IPageItem>(db_, second_)->GetBounds(), (PMRect{88, 50, 288, 300}));
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, rect_), Page(4));
}

}  // namespace
}  // namespace layout_test
