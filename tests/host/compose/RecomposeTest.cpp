// Recomposing after an edit reuses the frames the edit leaves where they were; whatever it reuses must
// equal composing the story afresh.
#include <functional>

#include "tests/host/compose/ComposeFixture.h"

namespace compose_test {
namespace {

// Every frame's range and lines, and where the story runs out of frames.
std::string Everything(const StoryLayout& layout) {
  std::string out;
  for (const ComposedFrame& frame : layout.frames) {
    out += "[" + std::to_string(frame.start) + "+" + std::to_string(frame.span) + "]";
    for (const ComposedLine& line : frame.lines)
      out += std::to_string(line.start) + "-" + std::to_string(line.end) + "@" + JsonNumber(line.x) + "," +
             JsonNumber(line.baseline) + " ";
  }
  return out + "overset " + std::to_string(layout.oversetStart);
}

class RecomposeTest : public ComposeFixture {
 public:
  void SetUp() override {
    ComposeFixture::SetUp();
    // Two lines a frame (60 x 32), six frames, about fourteen lines of text.
    std::u16string text;
    for (int i = 0; i < 14; ++i)
      text += i % 5 == 4 ? u"ab cd efg\r" : u"abcd efgh ";
    std::vector<PMRect> frames;
    for (int i = 0; i < 6; ++i)
      frames.push_back({i * 100.0, 0, i * 100.0 + 60, 32});
    Story(text, frames);
    Compose();
  }
};

TEST_F(RecomposeTest, ReusedFramesEqualAFreshComposition) {
  const std::pair<const char*, std::function<void(RecomposeTest&)>> rows[] = {
      {"same length",
       [](RecomposeTest& t) {
         ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(t.db_, t.story_), 3, u"x"), kSuccess);
         ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(t.db_, t.story_), 5, 6), kSuccess);
       }},
      {"one more character",
       [](RecomposeTest& t) {
         ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(t.db_, t.story_), 22, u"x"), kSuccess);
       }},
      {"a word less",
       [](RecomposeTest& t) {
         ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(t.db_, t.story_), 40, 45), kSuccess);
       }},
      {"a new paragraph",
       [](RecomposeTest& t) {
         ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(t.db_, t.story_), 12, u"\r"), kSuccess);
       }},
      {"a larger size", [](RecomposeTest& t) { t.Set(kTextAttrPointSize, 14.0, 31, 33); }},
      {"an indent", [](RecomposeTest& t) { t.Set(kTextAttrLeftIndent, 12.0, 55, 56); }},
      {"edits far apart",
       [](RecomposeTest& t) {
         ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(t.db_, t.story_), 101, u"zz"), kSuccess);
         ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(t.db_, t.story_), 2, 3), kSuccess);
       }},
      {"a frame resized",
       [](RecomposeTest& t) {
         ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(t.db_, t.story_), 3, u"x"), kSuccess);
         ASSERT_EQ(t.Run(kSetFrameInsetsCmdBoss, {t.frames_[4]}, {.options = {.insets = {0, 12, 0, 0}}}),
                   kSuccess);
         ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(t.db_, t.story_), 3, 4), kSuccess);
       }},
  };
  for (const auto& [name, edit] : rows) {
    SCOPED_TRACE(name);
    edit(*this);
    std::string recomposed = Everything(Compose());
    Instantiate<IStoryComposition>(db_, story_)->Invalidate();
    EXPECT_EQ(recomposed, Everything(Compose()));
  }
}

}  // namespace
}  // namespace compose_test
