// LayoutFixture: a new document with the built-in layout, one-call commands for the tests, a dump of the
// whole layout (to compare states before and after undo, or before and after saving), and a recorder of
// the document's notifications.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/compose/NotificationRecorder.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/IStoryList.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"
#include "tests/support/Refused.h"
#include "tests/support/TestHost.h"

namespace layout_test {

// Every fact of the layout and the stories' text, one per line, by UID.
std::string DumpLayout(IDataBase* db);

class LayoutFixture : public ::testing::Test {
 protected:
  void SetUp() override { Open(NewLayoutOptions()); }
  void TearDown() override {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    if (db_) DocumentList::Get().CloseDocument(db_);
    (void)DefaultDocument::SetNewLayoutOptions(NewLayoutOptions());
  }

 public:  // for the tables of operations
  // Replaces the document with a new one made with `options`.
  void Open(const NewLayoutOptions& options) {
    testing_support::EnsureHost();
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    if (db_) DocumentList::Get().CloseDocument(db_);
    ASSERT_EQ(DefaultDocument::SetNewLayoutOptions(options), kSuccess);
    db_ = DocumentList::Get().NewDocument();
    ASSERT_NE(db_, nullptr);
  }

  // Runs a command; `made` receives its item list afterwards.
  ErrorCode Run(ClassID cls, std::vector<UID> items, const LayoutParams& params = {},
                std::vector<UID>* made = nullptr) {
    return LayoutCmdUtils::Process(cls, db_, items, params, made);
  }
  // A text frame with `bounds` on the spread `spread`.
  UID Frame(UID spread, PMRect bounds) {
    LayoutParams p;
    p.target = spread;
    p.bounds = bounds;
    std::vector<UID> made;
    EXPECT_EQ(Run(kCreateTextFrameCmdBoss, {}, p, &made), kSuccess);
    return made.empty() ? kInvalidUID : made[0];
  }
  UID Spread(int32_t index) const { return LayoutUtils::SpreadAt(db_, index); }
  UID Page(int32_t index) const { return LayoutUtils::PageAt(db_, index); }
  UID MainStory() const { return DefaultDocument::GetMainStory(*db_); }
  UID MainFrame() const {
    auto list = Instantiate<IFrameList>(db_, LayoutUtils::FrameListOfStory(db_, MainStory()));
    return list ? list->GetNthFrame(0) : kInvalidUID;
  }
  std::u16string Text(UID story) const {
    auto model = Instantiate<ITextModel>(db_, story);
    return model ? model->GetText(0, model->TotalLength()) : u"";
  }
  int32_t CountStories() const { return Instantiate<IStoryList>(db_, db_->GetRootUID())->CountStories(); }
  // Checks a refused command's code and resets the global error code.
  static ::testing::AssertionResult Refused(ErrorCode result, ErrorCode expected = kInvalidParameterError) {
    return testing_support::Refused(result, expected);
  }

  IDataBase* db_ = nullptr;
};

// A document with facing pages: spreads [1] [2 3] [4], masters A and B (B based on A), two frames of one
// story on pages 2 and 3, a rectangle on page 4 and a master frame on A's right page.
class SampleFixture : public LayoutFixture {
 public:
  void SetUp() override {
    NewLayoutOptions o;
    o.pages = 4;
    o.setup.pagesPerSpread = 2;
    o.setup.facing = true;
    o.masters = {{u"A", u"Master", {}}, {u"B", u"Body", u"A"}};
    Open(o);
    masterA_ = Spread(3);
    masterB_ = Spread(4);
    first_ = Frame(Spread(1), {50, 50, 300, 300});
    second_ = Frame(Spread(1), {700, 50, 900, 300});
    ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, LayoutUtils::StoryOfFrame(db_, first_)), 0, u"One\rTwo"),
              kSuccess);
    ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, LayoutUtils::StoryOfFrame(db_, second_)), 0, u"Three"),
              kSuccess);
    ASSERT_EQ(Run(kTextLinkCmdBoss, {first_, second_}), kSuccess);
    std::vector<UID> made;
    ASSERT_EQ(Run(kCreateRectangleCmdBoss, {}, {.bounds = {100, 100, 200, 200}, .target = Spread(2)}, &made),
              kSuccess);
    rect_ = made[0];
    masterFrame_ = Frame(masterA_, {648, 36, 1188, 756});
    ASSERT_EQ(
        TextCmdUtils::InsertText(UIDRef(db_, LayoutUtils::StoryOfFrame(db_, masterFrame_)), 0, u"Running"),
        kSuccess);
    db_->ClearUndo();
  }
  UID FirstStory() const { return LayoutUtils::StoryOfFrame(db_, first_); }
  std::vector<UID> FramesOf(UID story) const {
    std::vector<UID> frames;
    auto list = Instantiate<IFrameList>(db_, LayoutUtils::FrameListOfStory(db_, story));
    for (int32_t i = 0; list && i < list->CountFrames(); ++i)
      frames.push_back(list->GetNthFrame(i));
    return frames;
  }

  UID masterA_, masterB_, first_, second_, rect_, masterFrame_;
};

}  // namespace layout_test
