// Text flowing through linked frames in Liberation Mono 10 pt: spans, overset, break kinds, paragraphs kept
// whole, lines that fit nowhere.
#include "tests/host/compose/ComposeFixture.h"

namespace compose_test {
namespace {

// "start+span" per frame, then "overset N" (or "fits").
std::string Spans(const StoryLayout& layout) {
  std::string out;
  for (const ComposedFrame& frame : layout.frames)
    out += std::to_string(frame.start) + "+" + std::to_string(frame.span) + " ";
  return out + (layout.IsOverset() ? "overset " + std::to_string(layout.oversetStart) : "fits");
}

class FrameFlowTest : public ComposeFixture {
 public:
  // Frames of 60 x `height` on the document's pages 1, 2 and 3 in turn.
  void OnPages(const std::u16string& text, double height) {
    for (int32_t page = 0; page < 3; ++page) {
      spread_ = Spread(page);
      if (page == 0) {
        Story(text, {{0, 0, 60, height}});
      } else {
        frames_.push_back(Frame(spread_, {0, 0, 60, height}));
        SetOptions(page, {});
        EXPECT_EQ(Run(kTextLinkCmdBoss, {frames_[page - 1], frames_[page]}), kSuccess);
      }
    }
  }
};

TEST_F(FrameFlowTest, SpansAcrossLinkedFramesAndOverset) {
  // One line a frame: 20 points hold a baseline at 8.33 and its descent, not a second line at 20.33.
  Story(u"aaaa bbbb cccc dddd eeee", {{0, 0, 60, 20}, {100, 0, 160, 20}});
  EXPECT_EQ(Spans(Compose()), "0+10 10+10 overset 20");
  for (int32_t i = 0; i < 2; ++i) {
    auto frame = Instantiate<ITextFrame>(db_, frames_[i]);
    EXPECT_EQ(frame->GetTextStart(), 10 * i);
    EXPECT_EQ(frame->GetTextSpan(), 10);
  }
  EXPECT_DOUBLE_EQ(Compose().frames[0].textHeight, kAscent + kDescent);
}

TEST_F(FrameFlowTest, BreakKindsSendTheNextParagraphOn) {
  const std::pair<int32_t, const char*> rows[] = {
      {0, "0+6 6+0 6+0 fits"}, {2, "0+3 3+3 6+0 fits"}, {3, "0+3 3+3 6+0 fits"},
      {4, "0+3 3+0 3+3 fits"}, {5, "0+3 3+3 6+0 fits"},
  };
  for (auto [kind, spans] : rows) {
    SCOPED_TRACE(kind);
    SetUp();
    frames_.clear();
    OnPages(u"aa\rbb", 100);
    Set(kTextAttrBreakKind, kind, 0, 1);
    EXPECT_EQ(Spans(Compose()), spans);
  }
}

TEST_F(FrameFlowTest, KeepAllLinesMovesTheParagraphWhole) {
  // 40 points hold three lines; the second paragraph takes three.
  for (bool keep : {false, true}) {
    SCOPED_TRACE(keep);
    SetUp();
    frames_.clear();
    Story(u"aa\rbbbbbbbbbbccccccccccdddddddd", {{0, 0, 61, 40}, {100, 0, 161, 40}});
    Set(kTextAttrKeepAllLines, keep, 3, 4);
    EXPECT_EQ(Spans(Compose()), keep ? "0+3 3+29 fits" : "0+23 23+9 fits");
  }
}

TEST_F(FrameFlowTest, ALineTallerThanEveryColumnStaysOverset) {
  Story(u"aa bb", {{0, 0, 60, 20}, {100, 0, 160, 20}}, 40);
  EXPECT_EQ(Spans(Compose()), "0+0 0+0 overset 0");
  // A taller frame later in the list takes it.
  frames_.push_back(Frame(spread_, {200, 0, 260, 200}));
  SetOptions(2, {});
  ASSERT_EQ(Run(kTextLinkCmdBoss, {frames_[1], frames_[2]}), kSuccess);
  EXPECT_EQ(Spans(Compose()), "0+0 0+0 0+6 fits");
}

TEST_F(FrameFlowTest, PageNumberCharacterMeasuresAsItsPage) {
  // On page 1 the number is one digit: ten characters fit.
  Story(
      u"aaaaaaaaa\x18"
      u"bb",
      {{0, 0, 61, 100}});
  EXPECT_EQ(Lines(0), (std::vector<std::string>{"0-10@0,8.3251953125", "10-13@0,20.3251953125"}));
}

TEST_F(FrameFlowTest, AStoryWithoutFramesIsAllOverset) {
  Story(u"aa", {{0, 0, 60, 100}});
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {frames_[0]}), kSuccess);
  UID story;
  ASSERT_EQ(TextCmdUtils::NewStory(db_, story), kSuccess);
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story), 0, u"abc"), kSuccess);
  ASSERT_EQ(StoryComposer::ComposeFully(db_, story), kSuccess);
  EXPECT_EQ(Spans(*StoryComposer::GetLayout(db_, story)), "overset 0");
}

}  // namespace
}  // namespace compose_test
