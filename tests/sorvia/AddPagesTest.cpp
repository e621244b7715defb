// Page adding for overset thread stories, driven by the document watcher: where pages go in each mode
// (one and two pages per spread, two sections), the bounds that keep a hopeless story from looping, the
// watcher's own commands starting no new work, and undo of an import with its pages as one step.
#include "host/compose/ComposeClasses.h"
#include "host/layout/ISpread.h"
#include "host/text/TextCmdUtils.h"
#include "sorvia/AddPages.h"
#include "sorvia/include/IAutoFlowPrefsData.h"
#include "tests/sorvia/ThreadFixture.h"

namespace sorvia_test {
namespace {

struct Shape {
  bool facing = false;
  int32_t pages = 1;
  std::vector<NewLayoutOptions::NewSection> sections;
};

// A document whose master pages carry default-thread frames on their margin boxes and whose main story
// (page 1) belongs to the default thread.
class AddPagesTest : public ThreadFixture {
 public:
  void SetUp() override { testing_support::EnsureHost(); }
  // `masterFrameHeight` 0: the master frames fill the margin boxes.
  void Make(const Shape& shape, AddPagesMode mode, double masterFrameHeight = 0) {
    SorviaPlugIn plugIn;
    ASSERT_EQ(kSuccess, plugIn.Register(Registry::Get()));
    NewLayoutOptions o{
        .pages = shape.pages, .masterFrames = masterFrameHeight == 0, .sections = shape.sections};
    o.setup.facing = shape.facing;
    o.setup.pagesPerSpread = shape.facing ? 2 : 1;
    ASSERT_EQ(kSuccess, DefaultDocument::SetNewLayoutOptions(o));
    db_ = DocumentList::Get().NewDocument();
    ASSERT_NE(nullptr, db_);
    UID thread = QueryThreadManager(db_)->GetDefaultThread();
    if (masterFrameHeight > 0)
      Frame(LayoutUtils::QuerySpreadList(db_)->GetNthMasterSpread(0), {36, 36, 300, 36 + masterFrameHeight});
    for (UID uid : db_->GetAllUIDs()) {
      if (Instantiate<ITextFrame>(db_, uid))
        ASSERT_EQ(kSuccess, SetStoryThread(db_, StoryOf(uid), thread, true));
    }
    Instantiate<IAutoFlowPrefsData>(db_, WorkspaceOf(db_))->SetAddPagesMode(static_cast<int16_t>(mode));
    ASSERT_EQ(kSuccess, ComposeUtils::RunIdleStep(db_));
  }
  // Fills the main story with `lines` one-line paragraphs and lets the host idle.
  void Fill(int32_t lines) {
    std::u16string text;
    for (int32_t i = 0; i < lines; ++i)
      text += u"Line of text\r";
    ASSERT_EQ(kSuccess, TextCmdUtils::InsertText(UIDRef(db_, Main()), 0, text));
    ASSERT_EQ(kSuccess, ComposeUtils::RunIdleStep(db_));
  }
  UID Main() const { return DefaultDocument::GetMainStory(*db_); }
  UID MainFrames() const { return LayoutUtils::FrameListOfStory(db_, Main()); }
  // The page index of each of the main story's frames.
  std::vector<int32_t> FramePages() const {
    std::vector<int32_t> out;
    auto frames = Instantiate<IFrameList>(db_, MainFrames());
    for (int32_t i = 0; i < frames->CountFrames(); ++i)
      out.push_back(LayoutUtils::PageIndexOf(db_, LayoutUtils::PageOfItem(db_, frames->GetNthFrame(i))));
    return out;
  }
  std::vector<int32_t> SpreadSizes() const {
    std::vector<int32_t> out;
    for (int32_t i = 0; i < LayoutUtils::QuerySpreadList(db_)->CountSpreads(); ++i)
      out.push_back(Instantiate<ISpread>(db_, LayoutUtils::SpreadAt(db_, i))->CountPages());
    return out;
  }
};

TEST_F(AddPagesTest, EachModePutsThePagesWhereItSays) {
  struct Case {
    const char* name;
    Shape shape;
    AddPagesMode mode;
    std::vector<int32_t> framePages;  // of the main story, after 120 lines (three frames' worth)
  };
  const Case cases[] = {
      {"off", {}, AddPagesMode::kOff, {0}},
      {"one per spread", {}, AddPagesMode::kAfterStoryPage, {0, 1, 2}},
      {"after the page", {.pages = 4, .sections = {{1}, {3}}}, AddPagesMode::kAfterStoryPage, {0, 1, 2}},
      {"end of section", {.pages = 4, .sections = {{1}, {3}}}, AddPagesMode::kEndOfSection, {0, 2, 3}},
      {"end of document", {.pages = 4, .sections = {{1}, {3}}}, AddPagesMode::kEndOfDocument, {0, 4, 5}},
      {"facing", {.facing = true, .pages = 3}, AddPagesMode::kEndOfDocument, {0, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make(c.shape, c.mode);
    Fill(120);
    EXPECT_EQ(c.framePages, FramePages());
    EXPECT_EQ(c.mode == AddPagesMode::kOff, IsOversetThreadStory(db_, MainFrames()));
    EXPECT_EQ(0u, CmdUtils::CountScheduledCmds());
    if (c.shape.facing) EXPECT_EQ((std::vector<int32_t>{1, 2, 2}), SpreadSizes());
    if (c.name == std::string("one per spread")) EXPECT_EQ(std::vector<int32_t>(3, 1), SpreadSizes());
    TearDown();
    db_ = nullptr;
  }
}

TEST_F(AddPagesTest, AMasterFrameTooSmallForALineAddsOnePageOnlyOnce) {
  Make({}, AddPagesMode::kAfterStoryPage, 4);
  Fill(150);
  EXPECT_EQ(2, LayoutUtils::CountPages(db_));
  EXPECT_TRUE(IsOversetThreadStory(db_, MainFrames()));
  // The story now ends in an empty frame on a page of its own: more text adds nothing.
  Fill(10);
  EXPECT_EQ(2, LayoutUtils::CountPages(db_));
}

TEST_F(AddPagesTest, UndoTakesBackTheTextWithItsPagesInOneStep) {
  Make({}, AddPagesMode::kAfterStoryPage);
  db_->ClearUndo();
  ICommandSequence* sequence = CmdUtils::BeginCommandSequence();
  Fill(300);
  ASSERT_EQ(kSuccess, CmdUtils::EndCommandSequence(sequence));
  std::string done = Dump();
  int32_t pages = LayoutUtils::CountPages(db_);
  ASSERT_GT(pages, 5);
  ASSERT_EQ(kSuccess, CmdUtils::Undo(db_));
  EXPECT_EQ(1, LayoutUtils::CountPages(db_));
  EXPECT_FALSE(db_->CanUndo());
  ASSERT_EQ(kSuccess, CmdUtils::Redo(db_));
  EXPECT_EQ(pages, LayoutUtils::CountPages(db_));
  EXPECT_EQ(done, Dump());
}

}  // namespace
}  // namespace sorvia_test
