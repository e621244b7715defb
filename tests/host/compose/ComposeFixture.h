// ComposeFixture: a document with text frames whose story is set in Liberation Mono (every character
// 1229/2048 em wide), so that line breaks and baselines follow from simple arithmetic on its metrics; helpers
// to set attributes and frame options through the host's commands and to compose.
#pragma once

#include <string>
#include <vector>

#include "host/compose/StoryComposer.h"
#include "host/res/DocWorkspace.h"
#include "host/res/FontCatalog.h"
#include "host/res/IDocFontList.h"
#include "host/text/AttributeClasses.h"
#include "tests/host/layout/LayoutFixture.h"

namespace compose_test {

// Liberation Mono at 10 points: the advance of every character, the ascent and the descent.
inline constexpr double kCell = 1229 * 10 / 2048.0;
inline constexpr double kAscent = 1705 * 10 / 2048.0;
inline constexpr double kDescent = 615 * 10 / 2048.0;

inline const FontFace& MonoFace() {
  return *FontCatalog::Get().FindByFullName(u"Liberation Mono Regular");
}

class ComposeFixture : public layout_test::LayoutFixture {
 public:
  void SetUp() override {
    NewLayoutOptions o;
    o.mainFrame = false;
    o.pages = 3;
    Open(o);
    spread_ = Spread(0);
  }

  // A story in `frames` new frames (linked in order), each `width` x `height` points, holding `text` in
  // Liberation Mono Regular at `size` points.
  UID Story(const std::u16string& text, std::vector<PMRect> frames, double size = 10) {
    for (const PMRect& bounds : frames) {
      frames_.push_back(Frame(spread_, bounds));
      SetOptions(static_cast<int32_t>(frames_.size()) - 1, {});
      if (frames_.size() > 1) {
        EXPECT_EQ(Run(kTextLinkCmdBoss, {frames_[frames_.size() - 2], frames_.back()}), kSuccess);
      }
    }
    story_ = LayoutUtils::StoryOfFrame(db_, frames_[0]);
    EXPECT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 0, text), kSuccess);
    auto fonts = QueryDocWorkspace<IDocFontList>(db_);
    AttributeBossList attributes;
    EXPECT_TRUE(fonts);
    if (!fonts) return story_;
    EXPECT_EQ(attributes.ApplyValue(kTextAttrFontFamily, fonts->FindFamily(u"Liberation Mono")), kSuccess);
    EXPECT_EQ(attributes.ApplyValue(kTextAttrFontStyle, WideString(u"Regular")), kSuccess);
    EXPECT_EQ(attributes.ApplyValue(kTextAttrPointSize, size), kSuccess);
    Apply(TextStrand::kCharacter, 0, Length(), attributes);
    return story_;
  }
  int32_t Length() const { return Instantiate<ITextModel>(db_, story_)->TotalLength(); }
  void Apply(TextStrand strand, int32_t start, int32_t end, const AttributeBossList& attributes) {
    EXPECT_EQ(TextCmdUtils::ApplyOverrides(UIDRef(db_, story_), strand, start, end, attributes), kSuccess);
  }
  template <class T>
  void Set(ClassID cls, T value, int32_t start = 0, int32_t end = -1) {
    AttributeBossList attributes;
    EXPECT_EQ(attributes.ApplyValue(cls, value), kSuccess);
    bool paragraph = AttributeClasses::IsParagraphAttribute(cls);
    Apply(paragraph ? TextStrand::kParagraph : TextStrand::kCharacter, start, end < 0 ? Length() : end,
          attributes);
  }
  // Runs the frame option commands with `options` on frame `index`.
  void SetOptions(int32_t index, const FrameOptions& options) {
    for (ClassID cls : {kSetFrameColumnsCmdBoss, kSetFrameInsetsCmdBoss, kSetVerticalJustificationCmdBoss,
                        kSetFirstBaselineCmdBoss})
      EXPECT_EQ(Run(cls, {frames_[index]}, {.options = options}), kSuccess);
  }
  const StoryLayout& Compose() {
    EXPECT_EQ(StoryComposer::ComposeFully(db_, story_), kSuccess);
    return *StoryComposer::GetLayout(db_, story_);
  }
  // "start-end@x,baseline" per line of frame `index`.
  std::vector<std::string> Lines(int32_t index) {
    std::vector<std::string> out;
    for (const ComposedLine& line : Compose().frames.at(index).lines)
      out.push_back(std::to_string(line.start) + "-" + std::to_string(line.end) + "@" + JsonNumber(line.x) +
                    "," + JsonNumber(line.baseline));
    return out;
  }

  std::vector<UID> frames_;
  UID story_;
  UID spread_;  // where Story puts its next frame
};

}  // namespace compose_test
