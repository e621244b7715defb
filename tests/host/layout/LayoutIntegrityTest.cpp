// What the layout commands must not make (what the document's checks refuse, items moved where they do not
// belong), and the text they keep in place while merging and copying stories.
#include <functional>

#include "host/db/UndoRecord.h"
#include "host/layout/AnchorUtils.h"
#include "host/layout/LayoutCheck.h"
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

using LayoutIntegrityTest = SampleFixture;

// Anchors `item` on a new anchor character at the start of `story`.
ErrorCode AnchorAtStart(SampleFixture& t, UID item, UID story) {
  if (ErrorCode err = TextCmdUtils::InsertText(UIDRef(t.db_, story), 0, u"\uFFFC"); err != kSuccess)
    return err;
  return t.Run(kAnchorItemCmdBoss, {item}, {.target = story, .position = 0});
}

// `item` inside `levels` groups, each around the one before; the outermost group.
UID Nest(SampleFixture& t, UID item, int levels) {
  for (std::vector<UID> made; levels-- > 0; item = made.at(0))
    EXPECT_EQ(t.Run(kGroupItemsCmdBoss, {item}, {}, &made), kSuccess);
  return item;
}

TEST_F(LayoutIntegrityTest, CommandsRefuseWhatWouldBreakTheDocument) {
  // Each row prepares what it needs and answers the command that must be refused.
  const struct {
    const char* name;
    std::function<ErrorCode(SampleFixture&)> run;
  } rows[] = {
      {"an anchored item sent behind a page item",
       [](SampleFixture& t) {
         EXPECT_EQ(AnchorAtStart(t, t.rect_, t.FirstStory()), kSuccess);
         return t.Run(kSendBehindCmdBoss, {t.rect_}, {.target = t.first_});
       }},
      {"an item sent behind one of another spread",
       [](SampleFixture& t) { return t.Run(kSendBehindCmdBoss, {t.rect_}, {.target = t.first_}); }},
      {"an anchored frame linked",
       [](SampleFixture& t) {
         UID frame = t.Frame(t.Spread(2), {10, 10, 50, 50});
         EXPECT_EQ(AnchorAtStart(t, frame, t.FirstStory()), kSuccess);
         return t.Run(kTextLinkCmdBoss, {frame, t.first_});
       }},
      {"a group putting an item 33 levels deep",
       [](SampleFixture& t) { return t.Run(kGroupItemsCmdBoss, {Nest(t, t.rect_, 31)}); }},
      {"a group sent behind an item 32 levels deep",
       [](SampleFixture& t) {
         Nest(t, t.rect_, 31);
         return t.Run(kSendBehindCmdBoss, {Nest(t, t.Frame(t.Spread(2), {1, 1, 2, 2}), 1)},
                      {.target = t.rect_});
       }},
      {"the main frame anchored in the 33rd frame nested in its text",
       [](SampleFixture& t) {
         UID story = t.MainStory();
         for (int i = 0; i < 33; ++i) {
           UID frame = t.Frame(t.Spread(0), {1, 1, 20, 20});
           EXPECT_EQ(AnchorAtStart(t, frame, story), kSuccess);
           story = LayoutUtils::StoryOfFrame(t.db_, frame);
         }
         return AnchorAtStart(t, t.MainFrame(), story);
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SetUp();
    EXPECT_TRUE(Refused(row.run(*this)));
    EXPECT_EQ(LayoutCheck::FindFault(*db_), "");
  }
}

TEST_F(LayoutIntegrityTest, ALinkKeepsTheMainTextAndTheAnchoredItems) {
  UID lead = Frame(Spread(2), {10, 10, 50, 50});
  UID merged = LayoutUtils::StoryOfFrame(db_, lead);
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, merged), 0, u"Zero"), kSuccess);
  // The main story's text goes on being the main story.
  ASSERT_EQ(Run(kTextLinkCmdBoss, {lead, MainFrame()}), kSuccess);
  EXPECT_EQ(MainStory(), merged);
  ASSERT_EQ(AnchorAtStart(*this, rect_, FirstStory()), kSuccess);
  ASSERT_EQ(Run(kTextLinkCmdBoss, {lead, first_}), kSuccess);
  EXPECT_EQ(Text(merged), u"Zero\r\uFFFCOne\rTwo\rThree\r");
  EXPECT_EQ(AnchorUtils::QueryAnchors(db_, merged)->GetAnchors(),
            (std::vector<Anchor>{{5, rect_, AnchorKind::kInline}}));
}

TEST_F(LayoutIntegrityTest, OverriddenLinkedMasterFramesHoldTheTextTheyShow) {
  // Master A's frames: `left` shows "aaaa\r", the sample's master frame "b<item>bb\r"; the rest is overset.
  UID left = Frame(masterA_, {36, 36, 576, 756});
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, LayoutUtils::StoryOfFrame(db_, left)), 0, u"aaaa\rbbb\rcc"),
            kSuccess);
  ASSERT_EQ(Run(kTextLinkCmdBoss, {left, masterFrame_}), kSuccess);
  UID story = LayoutUtils::StoryOfFrame(db_, left);
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story), 6, u"\uFFFC"), kSuccess);
  ASSERT_EQ(Run(kAnchorItemCmdBoss, {rect_}, {.target = story, .position = 6}), kSuccess);
  {
    // What the composer would store for these frames.
    UntrackedChanges composed(db_);
    Instantiate<ITextFrame>(db_, left)->SetTextRange(0, 5);
    Instantiate<ITextFrame>(db_, masterFrame_)->SetTextRange(5, 5);
    Instantiate<IFrameList>(db_, LayoutUtils::FrameListOfStory(db_, story))->SetFirstDamagedFrame(-1);
  }
  const struct {
    const char* name;
    std::vector<UID> items, pages;
    std::u16string text;  // of the first local copy's story
    int32_t anchor;       // index of the copied anchored item; -1: none
  } rows[] = {
      {"the second frame alone", {masterFrame_}, {Page(2)}, u"b\uFFFCbb\r", 1},
      {"the first frame alone", {left}, {Page(1)}, u"aaaa\r", -1},
      {"both together", {left, masterFrame_}, {Page(1), Page(2)}, u"aaaa\rb\uFFFCbb\rcc\rRunning\r", 6},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<UID> local;
    ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, row.items, {.pages = row.pages}, &local), kSuccess);
    UID copy = LayoutUtils::StoryOfFrame(db_, local.at(0));
    EXPECT_EQ(Text(copy), row.text);
    auto anchors = AnchorUtils::QueryAnchors(db_, copy)->GetAnchors();
    EXPECT_EQ(anchors.empty() ? -1 : anchors[0].index, row.anchor);
    EXPECT_EQ(LayoutCheck::FindFault(*db_), "");
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  }
}

}  // namespace
}  // namespace layout_test
