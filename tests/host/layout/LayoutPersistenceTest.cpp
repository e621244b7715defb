// Saving and reopening layouts, documents saved before they had one, and layouts that are inconsistent.
#include <functional>

#include "host/db/DocumentFile.h"
#include "host/layout/AnchorUtils.h"
#include "host/layout/LayoutEdits.h"
#include "host/layout/PictureUtils.h"
#include "tests/host/layout/LayoutFixture.h"
#include "tests/support/TempFolder.h"

namespace layout_test {
namespace {

class LayoutPersistenceTest : public SampleFixture {
 protected:
  // Saves the document and opens the file again; null when that failed (the message is in `message_`).
  IDataBase* Reopen() {
    auto path = dir_ / ("doc" + std::to_string(++saved_) + ".pgd");
    DocumentResult result = DocumentList::Get().SaveDocumentAs(db_, path);
    EXPECT_TRUE(result.ok()) << result.message;
    IDataBase* opened = nullptr;
    result = DocumentList::Get().OpenDocument(path, opened);
    message_ = result.message;
    if (opened) reopened_.push_back(opened);
    return opened;
  }
  void TearDown() override {
    for (IDataBase* db : reopened_)
      DocumentList::Get().CloseDocument(db);
    SampleFixture::TearDown();
  }

  testing_support::TempFolder dir_{"layout-files"};
  int saved_ = 0;
  std::vector<IDataBase*> reopened_;
  std::string message_;
};

TEST_F(LayoutPersistenceTest, ASavedLayoutReadsBackAsItWas) {
  std::vector<UID> local;
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {Page(2)}}, &local), kSuccess);
  ASSERT_EQ(Run(kNewLayerCmdBoss, {}, {.position = 0, .name = u"Art"}), kSuccess);
  ASSERT_EQ(Run(kGroupItemsCmdBoss, {first_, second_}), kSuccess);
  ASSERT_EQ(Run(kSetLabelCmdBoss, {rect_}, {.name = u"v", .key = u"k"}), kSuccess);
  ASSERT_EQ(Run(kTransformItemsCmdBoss, {rect_}, {.transform = {2, 1, 10, 45, true, false}}), kSuccess);
  ASSERT_EQ(Run(kNewSectionCmdBoss, {}, {.target = Page(2), .name = u"Two"}), kSuccess);
  ASSERT_EQ(
      Run(kSetFirstBaselineCmdBoss, {masterFrame_}, {.options = {.firstBaseline = FirstBaseline::kXHeight}}),
      kSuccess);
  ASSERT_EQ(Run(kSetPagePositionCmdBoss, {Spread(1)}, {.position = 1}), kSuccess);
  ASSERT_EQ(Run(kSetPrimaryTextFlowCmdBoss, {MainStory()}, {.flag = true}), kSuccess);
  IDataBase* again = Reopen();
  ASSERT_NE(again, nullptr) << message_;
  EXPECT_EQ(DumpLayout(again), DumpLayout(db_));
}

TEST_F(LayoutPersistenceTest, DocumentsSavedWithoutALayoutOpenWithTheBuiltInOne) {
  for (const char* file : {"format1-sample.pgd", "format1-empty.pgd"}) {
    SCOPED_TRACE(file);
    IDataBase* old = nullptr;
    DocumentResult opened =
        DocumentList::Get().OpenDocument(std::filesystem::path(PAGEHOST_TEST_DATA) / file, old);
    ASSERT_TRUE(opened.ok()) << opened.message;
    reopened_.push_back(old);
    ASSERT_EQ(LayoutUtils::CountPages(old), 1);
    UID main = DefaultDocument::GetMainStory(*old);
    auto list = Instantiate<IFrameList>(old, LayoutUtils::FrameListOfStory(old, main));
    ASSERT_TRUE(list);
    EXPECT_EQ(Instantiate<IPageItem>(old, list->GetNthFrame(0))->GetBounds(), (PMRect{36, 36, 576, 756}));
    EXPECT_FALSE(old->IsModified());
  }
}

// A proxy picture in a new graphic frame on the first spread.
UID PictureIn(SampleFixture& t) {
  std::vector<UID> frame;
  EXPECT_EQ(
      t.Run(kCreateGraphicFrameCmdBoss, {}, {.bounds = {10, 10, 50, 50}, .target = t.Spread(0)}, &frame),
      kSuccess);
  std::string message;
  UID image;
  EXPECT_EQ(PictureUtils::PlaceMissingPictureProxy(t.db_, frame.at(0), "gone.png", PictureFormat::kPng,
                                                   message, &image),
            kSuccess);
  return image;
}

TEST_F(LayoutPersistenceTest, InconsistentLayoutsAreNeitherSavedNorOpened) {
  // Each row damages the layout behind the commands' back; saving refuses the document, and written all the
  // same, it must not open.
  const struct {
    const char* what;
    std::function<void(SampleFixture&)> damage;
  } rows[] = {
      {"a page names another spread",
       [](SampleFixture& t) { Instantiate<IPage>(t.db_, t.Page(1))->SetSpread(t.Spread(0)); }},
      {"a spread lacks its layer",
       [](SampleFixture& t) {
         auto node = Instantiate<IHierarchy>(t.db_, t.Spread(2));
         node->RemoveChild(node->GetChildren()[0]);
       }},
      {"a frame left its frame list",
       [](SampleFixture& t) {
         Instantiate<IFrameList>(t.db_, LayoutUtils::FrameListOfFrame(t.db_, t.second_))
             ->RemoveFrame(t.second_);
       }},
      {"an item names the wrong parent",
       [](SampleFixture& t) { Instantiate<IHierarchy>(t.db_, t.rect_)->SetParent(t.Spread(0)); }},
      {"an override of nothing",
       [](SampleFixture& t) {
         Instantiate<IPage>(t.db_, t.Page(0))->SetOverrides({{t.rect_, UID(99999)}});
       }},
      {"a master that is no master",
       [](SampleFixture& t) { Instantiate<IPage>(t.db_, t.Page(0))->SetMasterSpread(t.Spread(1)); }},
      {"a picture outside a graphic frame",
       [](SampleFixture& t) { LayoutEdits::Reparent(t.db_, PictureIn(t), t.rect_, -1); }},
      {"a link list naming no link",
       [](SampleFixture& t) {
         PictureIn(t);
         Instantiate<ILinkList>(t.db_, t.db_->GetRootUID())->AddLink(t.rect_);
       }},
      {"a story shown inside its own text",
       [](SampleFixture& t) {
         ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(t.db_, t.FirstStory()), 0, u"\uFFFC"), kSuccess);
         LayoutEdits::Reparent(t.db_, t.second_, kInvalidUID, -1);
         AnchorUtils::QueryAnchors(t.db_, t.FirstStory())->AddAnchor({0, t.second_, AnchorKind::kInline});
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    {
      UntrackedChanges damaging(db_);
      row.damage(*this);
    }
    auto path = dir_ / (std::string(row.what) + ".pgd");
    DocumentResult saved = DocumentList::Get().SaveDocumentAs(db_, path);
    EXPECT_NE(saved.message.find("inconsistent"), std::string::npos) << saved.message;
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(DocumentFile::Save(*static_cast<DataBase*>(db_), path).ok());
    IDataBase* opened = nullptr;
    EXPECT_NE(DocumentList::Get().OpenDocument(path, opened).message.find("inconsistent"), std::string::npos);
    EXPECT_EQ(opened, nullptr);
  }
}

}  // namespace
}  // namespace layout_test
