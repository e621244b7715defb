// AutoFlowFixture: a document whose master pages carry default-thread frames and whose main story is in
// the default thread, with the document's add-pages mode set; text to fill it, and where its frames lie.
#pragma once

#include "host/compose/ComposeClasses.h"
#include "host/db/UndoRecord.h"
#include "host/layout/ISpread.h"
#include "host/text/TextCmdUtils.h"
#include "sorvia/AddPages.h"
#include "sorvia/include/IAutoFlowPrefsData.h"
#include "tests/sorvia/ThreadFixture.h"

namespace sorvia_test {

struct Shape {
  bool facing = false;
  int32_t pages = 1;
  std::vector<NewLayoutOptions::NewSection> sections;
};

// A document whose master pages carry default-thread frames on their margin boxes and whose main story
// (page 1) belongs to the default thread.
class AutoFlowFixture : public ThreadFixture {
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
      if (Instantiate<ITextFrame>(db_, uid)) {
        ASSERT_EQ(kSuccess, SetStoryThread(db_, StoryOf(uid), thread, true));
      }
    }
    {
      UntrackedChanges building(db_);  // part of making the document, as the new-document options are
      Instantiate<IAutoFlowPrefsData>(db_, WorkspaceOf(db_))->SetAddPagesMode(static_cast<int16_t>(mode));
    }
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

}  // namespace sorvia_test
