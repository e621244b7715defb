// The builder's document handle on a document with facing pages (spreads [1] [2 3] [4], masters A and B):
// the index spaces, master look-up, bounds conversions, master application with the only-on-change
// memory, and the thread step after it.
#include "kesto/layout/VyDocument.h"

#include <gtest/gtest.h>

#include <map>

#include "host/cmd/CmdUtils.h"
#include "kesto/layout/MasterPageStep.h"
#include "kesto/model/KestoAttributes.h"
#include "tests/host/layout/LayoutFixture.h"

namespace kesto {
namespace {

class VyDocumentTest : public layout_test::SampleFixture {
 protected:
  void SetUp() override {
    SampleFixture::SetUp();
    ASSERT_EQ(RegisterKestoAttributes(), kSuccess);
    document_ = VyDocument::Make(db_);
  }
  UID MasterOf(int32_t pageIndex) const {
    return Instantiate<IPage>(db_, document_->PageAt(pageIndex))->GetMasterSpread();
  }
  VyRef<VyDocument> document_;
};

TEST_F(VyDocumentTest, IndexSpacesCoverDocumentPagesThenMasterPages) {
  EXPECT_FALSE(VyDocument::Make(nullptr));
  ASSERT_EQ(document_->PageCount(), 4);
  ASSERT_EQ(document_->MasterCount(), 2);
  for (int32_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    UID page = document_->PageAt(i);
    ASSERT_TRUE(page.IsValid());
    EXPECT_EQ(document_->PageIndexOf(page), i);
  }
  EXPECT_EQ(Instantiate<IPage>(db_, document_->PageAt(6))->GetSpread(), masterB_);
  for (int32_t i = 0; i < 5; ++i)
    EXPECT_EQ(document_->SpreadIndexOf(document_->SpreadAt(i)), i);
  EXPECT_EQ(document_->SpreadAt(3), masterA_);
  for (int32_t beyond : {-1, 8})
    EXPECT_FALSE(document_->PageAt(beyond).IsValid());
  EXPECT_FALSE(document_->SpreadAt(5).IsValid());
  EXPECT_EQ(document_->PageIndexOf(first_), -1);

  EXPECT_EQ(document_->PageIndexOfItem(first_), 1);
  EXPECT_EQ(document_->PageIndexOfItem(second_), 2);
  EXPECT_EQ(document_->PageIndexOfItem(masterFrame_), 5);
  EXPECT_EQ(document_->SpreadIndexOfItem(rect_), 2);
  UID pasteboard = Frame(Spread(0), {-400, 10, -300, 100});
  EXPECT_EQ(document_->PageIndexOfItem(pasteboard), -1);
  EXPECT_EQ(document_->SpreadIndexOfItem(pasteboard), 0);
}

TEST_F(VyDocumentTest, MastersAreFoundByPrefixOrFullNameTheLastFirst) {
  struct Row {
    std::u16string name;
    int32_t index;
  } rows[] = {{u"A", 0}, {u"b", 1}, {u"a-master", 0}, {u"B-BODY", 1}, {u"Body", -1}, {u"", -1}, {u"C", -1}};
  for (const Row& row : rows)
    EXPECT_EQ(document_->FindMaster(WideString(row.name)), row.index) << Utf8FromWide(WideString(row.name));
  LayoutParams p;
  p.prefix = u"C";
  p.name = u"A";
  ASSERT_EQ(Run(kNewMasterCmdBoss, {}, p), kSuccess);
  EXPECT_EQ(document_->FindMaster(u"a"), 0) << "prefix before a later full name";
  EXPECT_EQ(document_->FindMaster(u"c-a"), 2);
}

TEST_F(VyDocumentTest, BoundsConvertBetweenPageAndSpread) {
  PMRect spread = document_->SpreadBoundsAt(1);
  EXPECT_EQ(spread.left, 0);
  EXPECT_EQ(spread.Width(), 2 * Instantiate<IPage>(db_, Page(1))->GetWidth());
  PMRect box{10, 20, 110, 70};
  PMRect onRight = document_->PageToSpreadBounds(box, 2);
  EXPECT_EQ(onRight.left, 10 + spread.Width() / 2);
  EXPECT_EQ(onRight.top, 20);
  PMRect back = document_->SpreadToPageBounds(onRight, 2);
  EXPECT_EQ(back.left, box.left);
  EXPECT_EQ(back.bottom, box.bottom);
  EXPECT_EQ(document_->PageToSpreadBounds(box, 99).left, box.left) << "no page: unchanged";
  EXPECT_EQ(document_->SpreadBoundsAt(9).Width(), 0);
}

// Each step: ApplyMaster(page, master, page only, only on change) through one memory.
TEST_F(VyDocumentTest, OnlyOnChangeSkipsTheRememberedPageOrSpread) {
  struct Step {
    const char* what;
    int32_t page, master;
    bool pageOnly, onlyOnChange;
    int32_t result;
    uint64_t commands;
    std::vector<int32_t> onB;  // document pages based on B afterwards
  } steps[] = {
      {"the first tag always applies", 1, 1, false, true, 0, 1, {1, 2}},
      {"same spread, another master: nothing", 2, 0, false, true, 0, 0, {1, 2}},
      {"page only on page 2", 1, 0, true, false, 0, 1, {2}},
      {"page only again on page 2: nothing", 1, 1, true, true, 0, 0, {2}},
      {"page only on page 3 applies", 2, 0, true, true, 0, 1, {}},
      {"pages already on the master: no command", 2, 0, false, false, 0, 0, {}},
      {"a master page gets no master", 5, 1, false, false, VyDocument::kNoSuchPage, 0, {}},
      {"the memory moved to spread 2 without a command", 3, 1, false, true, 0, 1, {3}},
  };
  LastAppliedMaster memory{};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    uint64_t before = CmdUtils::CountProcessed(kApplyMasterCmdBoss);
    EXPECT_EQ(document_->ApplyMaster(step.page, step.master, step.pageOnly, step.onlyOnChange, &memory),
              step.result);
    EXPECT_EQ(CmdUtils::CountProcessed(kApplyMasterCmdBoss) - before, step.commands);
    std::vector<int32_t> onB;
    for (int32_t i = 0; i < 4; ++i)
      if (MasterOf(i) == masterB_) onB.push_back(i);
    EXPECT_EQ(onB, step.onB);
    EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
  }
  EXPECT_EQ(memory.spread, Spread(2));
}

// Threads as the thread plug-in would answer them: one thread, with its story on some pages.
class FakeThreads : public TextThreadQueries {
 public:
  UID ThreadOfStory(UID story) const override { return story == threaded ? UID(77) : kInvalidUID; }
  bool IsOrphanFrame(UID frame) const override { return frame == orphan; }
  UID ThreadStoryOnPage(UID page, UID) const override {
    auto found = onPage.find(page.Get());
    return found == onPage.end() ? kInvalidUID : found->second;
  }
  UID threaded, orphan;
  std::map<uint32_t, UID> onPage;
};

TEST_F(VyDocumentTest, AfterAMasterTheImportFollowsItsThread) {
  UID longer = LayoutUtils::StoryOfFrame(db_, Frame(Spread(1), {100, 400, 300, 500}));
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, longer), 0, u"0123456789"), kSuccess);
  UID shorter = LayoutUtils::StoryOfFrame(db_, Frame(Spread(1), {100, 550, 300, 600}));
  FakeThreads threads;
  threads.threaded = FirstStory();
  struct Row {
    const char* what;
    bool withThreads;
    UID onPage;
    UID orphan;
    int32_t result;
    UID storyAfter;
  } rows[] = {
      {"no thread plug-in: simply applied", false, kInvalidUID, kInvalidUID, 0, FirstStory()},
      {"no story of the thread on the page", true, kInvalidUID, kInvalidUID, kMasterNoThreadFlow,
       FirstStory()},
      {"an orphan frame stays", true, kInvalidUID, first_, 0, FirstStory()},
      {"the thread's story is this one", true, FirstStory(), kInvalidUID, 0, FirstStory()},
      {"a shorter story: the import stays", true, shorter, kInvalidUID, 0, FirstStory()},
      {"a longer story takes the import", true, longer, kInvalidUID, 0, longer},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    threads.onPage = {{Page(1).Get(), row.onPage}};
    threads.orphan = row.orphan;
    XStory story(db_, FirstStory(), 7, 7);
    EXPECT_EQ(ApplyMasterPage(story, *document_, row.withThreads ? &threads : nullptr, 1, true, false),
              row.result);
    EXPECT_EQ(story.GetStoryUID(), row.storyAfter);
    int32_t start = 0, end = 0;
    story.GetRange(start, end);
    EXPECT_EQ(start, 7);
    EXPECT_EQ(story.GetLastMasterPage(), Page(1));
  }
  XStory onPasteboard(db_, LayoutUtils::StoryOfFrame(db_, Frame(Spread(0), {-400, 10, -300, 100})), 0, 0);
  EXPECT_EQ(ApplyMasterPage(onPasteboard, *document_, nullptr, 1, false, false), kMasterNoPage);
  UID unshown;
  ASSERT_EQ(TextCmdUtils::NewStory(db_, unshown), kSuccess);
  XStory frameless(db_, unshown, 0, 0);
  EXPECT_EQ(ApplyMasterPage(frameless, *document_, nullptr, 1, false, false), kMasterNoFrame);
}

}  // namespace
}  // namespace kesto
