// The layout of new documents, the index spaces, coordinates, the page of an item, masters and sections.
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

NewLayoutOptions Options(int32_t pages, int32_t perSpread, bool facing) {
  NewLayoutOptions o;
  o.pages = pages;
  o.setup.pagesPerSpread = perSpread;
  o.setup.facing = facing;
  return o;
}

std::vector<int32_t> PagesPerSpread(IDataBase* db) {
  std::vector<int32_t> counts;
  auto spreads = LayoutUtils::QuerySpreadList(db);
  for (int32_t i = 0; i < spreads->CountSpreads(); ++i)
    counts.push_back(Instantiate<ISpread>(db, spreads->GetNthSpread(i))->CountPages());
  return counts;
}

using DefaultLayoutTest = LayoutFixture;

TEST_F(DefaultLayoutTest, TheBuiltInDocumentHasItsMainStoryOnPageOnesMarginBox) {
  auto spreads = LayoutUtils::QuerySpreadList(db_);
  ASSERT_EQ(spreads->CountSpreads(), 1);
  ASSERT_EQ(spreads->CountMasterSpreads(), 1);
  EXPECT_EQ(Utf8FromWide(Instantiate<IMasterSpread>(db_, Spread(1))->GetFullName()), "A-Master");
  auto page = Instantiate<IPage>(db_, Page(0));
  EXPECT_EQ(page->GetWidth(), 612);
  EXPECT_EQ(page->GetHeight(), 792);
  EXPECT_EQ(page->GetMasterSpread(), Spread(1));
  EXPECT_EQ(LayoutUtils::MasterPageOf(db_, Page(0)), Page(1));
  UID frame = MainFrame();
  ASSERT_TRUE(LayoutUtils::IsTextFrame(db_, frame));
  EXPECT_EQ(Instantiate<IPageItem>(db_, frame)->GetBounds(), (PMRect{36, 36, 576, 756}));
  EXPECT_EQ(LayoutUtils::StoryOfFrame(db_, frame), MainStory());
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, frame), Page(0));
  EXPECT_EQ(LayoutUtils::FrameIndex(db_, frame), 0);
  auto layers = LayoutUtils::QueryLayerList(db_);
  ASSERT_EQ(layers->CountLayers(), 1);
  EXPECT_EQ(layers->GetActiveLayer(), layers->GetNthLayer(0));
  EXPECT_EQ(LayoutUtils::SpreadLayerOfItem(db_, frame),
            LayoutUtils::SpreadLayerFor(db_, Spread(0), layers->GetNthLayer(0)));
  EXPECT_FALSE(db_->CanUndo());
  EXPECT_FALSE(db_->IsModified());
}

TEST_F(DefaultLayoutTest, PagesFillSpreadsAsTheSetupSays) {
  const struct {
    int32_t pages, perSpread;
    bool facing;
    std::vector<int32_t> spreads;
  } rows[] = {
      {1, 1, false, {1}},      {5, 1, false, {1, 1, 1, 1, 1}}, {5, 2, true, {1, 2, 2}},
      {4, 2, true, {1, 2, 1}}, {7, 3, false, {3, 3, 1}},       {2, 2, false, {2}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.pages) + " pages, " + std::to_string(row.perSpread) +
                 (row.facing ? " facing" : ""));
    Open(Options(row.pages, row.perSpread, row.facing));
    EXPECT_EQ(PagesPerSpread(db_), row.spreads);
    EXPECT_EQ(LayoutUtils::CountPages(db_), row.pages);
    // A master has as many pages as a spread holds.
    EXPECT_EQ(
        Instantiate<ISpread>(db_, LayoutUtils::QuerySpreadList(db_)->GetNthMasterSpread(0))->CountPages(),
        row.perSpread);
  }
}

TEST_F(DefaultLayoutTest, IndexSpacesListDocumentPagesAndSpreadsBeforeMasters) {
  NewLayoutOptions o = Options(3, 2, true);
  o.masters = {{u"A", u"Master", {}}, {u"B", u"Body", u"A"}};
  Open(o);
  ASSERT_EQ(LayoutUtils::CountPages(db_), 3);
  for (int32_t i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    UID page = Page(i);
    ASSERT_TRUE(page.IsValid());
    EXPECT_EQ(LayoutUtils::PageIndexOf(db_, page), i);
    EXPECT_EQ(LayoutUtils::IsMasterSpread(db_, Instantiate<IPage>(db_, page)->GetSpread()), i >= 3);
  }
  EXPECT_FALSE(Page(7).IsValid());
  EXPECT_FALSE(Page(-1).IsValid());
  for (int32_t i = 0; i < 4; ++i)
    EXPECT_EQ(LayoutUtils::SpreadIndexOf(db_, Spread(i)), i);
  EXPECT_FALSE(Spread(4).IsValid());
  EXPECT_EQ(LayoutUtils::PageIndexOf(db_, MainFrame()), -1);
  EXPECT_EQ(LayoutUtils::SpreadIndexOf(db_, Page(0)), -1);
}

TEST_F(DefaultLayoutTest, SpreadsPutPagesSideBySide) {
  Open(Options(3, 2, true));
  EXPECT_EQ(LayoutUtils::PageBoundsInSpread(db_, Page(1)), (PMRect{0, 0, 612, 792}));
  EXPECT_EQ(LayoutUtils::PageBoundsInSpread(db_, Page(2)), (PMRect{612, 0, 1224, 792}));
  EXPECT_EQ(LayoutUtils::SpreadBounds(db_, Spread(1)), (PMRect{0, 0, 1224, 792}));
  EXPECT_EQ(LayoutUtils::MarginBoxInSpread(db_, Page(2)), (PMRect{648, 36, 1188, 756}));
  PMRect onPage{10, 20, 30, 40};
  PMRect inSpread = LayoutUtils::PageToSpread(db_, onPage, Page(2));
  EXPECT_EQ(inSpread, (PMRect{622, 20, 642, 40}));
  EXPECT_EQ(LayoutUtils::SpreadToPage(db_, inSpread, Page(2)), onPage);
  EXPECT_EQ(LayoutUtils::PageToSpread(db_, onPage, kInvalidUID), onPage);
}

TEST_F(DefaultLayoutTest, AnItemLiesOnThePageHoldingTheCentreOfItsBounds) {
  Open(Options(3, 2, true));
  const struct {
    PMRect bounds;
    int32_t page;  // -1: the pasteboard
  } rows[] = {
      {{100, 100, 200, 200}, 1},    {{500, 100, 800, 200}, 2}, {{400, 100, 800, 200}, 1},
      {{-300, 100, -100, 200}, -1}, {{1300, 0, 1400, 10}, -1}, {{600, 800, 700, 900}, -1},
  };
  for (const auto& row : rows) {
    UID frame = Frame(Spread(1), row.bounds);
    EXPECT_EQ(LayoutUtils::PageOfItem(db_, frame), row.page < 0 ? kInvalidUID : Page(row.page));
    EXPECT_EQ(LayoutUtils::SpreadOfItem(db_, frame), Spread(1));
  }
  // Inside a group, the group's place decides.
  UID left = Frame(Spread(1), {100, 100, 200, 200});
  UID right = Frame(Spread(1), {700, 100, 1200, 200});
  std::vector<UID> group;
  ASSERT_EQ(Run(kGroupItemsCmdBoss, {left, right}, {}, &group), kSuccess);
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, group[0]), Page(2));
  EXPECT_EQ(LayoutUtils::PageOfItem(db_, left), Page(2));
  EXPECT_EQ(LayoutUtils::SpreadOfItem(db_, left), Spread(1));
  EXPECT_EQ(LayoutUtils::ItemsOnPage(db_, Page(2)).back(), group[0]);
}

TEST_F(DefaultLayoutTest, MastersAreFoundByEitherNameAndChainUpward) {
  NewLayoutOptions o = Options(2, 2, false);
  o.masters = {{u"A", u"Master", {}}, {u"B", u"Body", u"A-master"}, {u"C", u"Single", u"b"}};
  o.masterPages = 1;
  Open(o);
  UID a = LayoutUtils::QuerySpreadList(db_)->GetNthMasterSpread(0);
  UID b = LayoutUtils::QuerySpreadList(db_)->GetNthMasterSpread(1);
  UID c = LayoutUtils::QuerySpreadList(db_)->GetNthMasterSpread(2);
  const struct {
    const char16_t* name;
    UID expected;
  } rows[] = {{u"A", a},      {u"a-MASTER", a},       {u"b", b},
              {u"B-Body", b}, {u"Body", kInvalidUID}, {u"D", kInvalidUID}};
  for (const auto& row : rows)
    EXPECT_EQ(LayoutUtils::FindMasterSpread(db_, row.name), row.expected) << Utf8FromWide(row.name);
  EXPECT_EQ(LayoutUtils::BasedOnOf(db_, c), b);
  // Page 2 is at position 1 of its spread; its master has one page, so it shows that last page.
  ASSERT_EQ(Run(kApplyMasterCmdBoss, {Page(1)}, {.target = c}), kSuccess);
  UID cPage = Instantiate<ISpread>(db_, c)->GetNthPage(0);
  UID bPage = Instantiate<ISpread>(db_, b)->GetNthPage(0);
  UID aPage = Instantiate<ISpread>(db_, a)->GetNthPage(0);
  EXPECT_EQ(LayoutUtils::MasterChain(db_, Page(1)), (std::vector<UID>{cPage, bPage, aPage}));
  EXPECT_EQ(LayoutUtils::PagesBasedOn(db_, c), (std::vector<UID>{Page(1)}));
  EXPECT_EQ(LayoutUtils::PagesBasedOn(db_, b), (std::vector<UID>{cPage}));
  // Master items show from the far end of the chain to the near one.
  UID onA = Frame(a, {100, 100, 200, 200});
  UID onC = Frame(c, {100, 100, 200, 200});
  UID onB = Frame(b, {100, 100, 200, 200});
  EXPECT_EQ(LayoutUtils::MasterItemsShownOnPage(db_, Page(1)), (std::vector<UID>{onA, onB, onC}));
}

TEST_F(DefaultLayoutTest, PageNumbersCountWithinSections) {
  NewLayoutOptions o = Options(6, 1, false);
  o.sections = {{1, u""}, {4, u"Back"}};
  Open(o);
  const int32_t numbers[] = {1, 2, 3, 1, 2, 3};
  for (int32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(LayoutUtils::PageNumber(db_, Page(i)), numbers[i]);
    EXPECT_EQ(LayoutUtils::SectionIndexOfPage(db_, Page(i)), i < 3 ? 0 : 1);
  }
  EXPECT_EQ(LayoutUtils::PageNumber(db_, Page(6)), 0);  // a master page is in no section
}

TEST_F(DefaultLayoutTest, OptionsThatMakeNoDocumentAreRefused) {
  const struct {
    const char* what;
    void (*change)(NewLayoutOptions&);
  } rows[] = {
      {"no pages", [](NewLayoutOptions& o) { o.pages = 0; }},
      {"too many per spread", [](NewLayoutOptions& o) { o.setup.pagesPerSpread = kMaxPagesPerSpread + 1; }},
      {"margins wider than the page", [](NewLayoutOptions& o) { o.setup.margins.left = 600; }},
      {"a page beyond the largest coordinate",
       [](NewLayoutOptions& o) { o.setup.pageWidth = kMaxCoordinate * 2; }},
      {"no columns", [](NewLayoutOptions& o) { o.setup.columns = 0; }},
      {"two prefixes alike",
       [](NewLayoutOptions& o) {
         o.masters = {{u"A", u"X", {}}, {u"a", u"Y", {}}};
       }},
      {"based on a later master",
       [](NewLayoutOptions& o) {
         o.masters = {{u"A", u"X", u"B"}, {u"B", u"Y", {}}};
       }},
      {"a section beyond the pages",
       [](NewLayoutOptions& o) {
         o.sections = {{2, u""}};
       }},
      {"no layers", [](NewLayoutOptions& o) { o.layers.clear(); }},
  };
  for (const auto& row : rows) {
    NewLayoutOptions o;
    row.change(o);
    EXPECT_FALSE(o.Fault().empty()) << row.what;
    EXPECT_EQ(DefaultDocument::SetNewLayoutOptions(o), kInvalidParameterError) << row.what;
  }
}

}  // namespace
}  // namespace layout_test
