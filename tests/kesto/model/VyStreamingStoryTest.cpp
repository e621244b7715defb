// The streaming story: text buffered a paragraph at a time, pending runs committed with as few host
// commands as the attribute changes need, the placeholder return, and range bookkeeping with pending text.
#include "kesto/model/VyStreamingStory.h"

#include <gtest/gtest.h>

#include <random>

#include "host/cmd/ErrorUtils.h"
#include "host/text/AttributeClasses.h"
#include "tests/kesto/model/StoryTestSupport.h"

namespace kesto {
namespace {

using kesto_test::CommandCount;

// A story opened as one opened through a frame is: imported text goes in front of a placeholder return.
class PlaceholderStory final : public VyStreamingStory {
 public:
  PlaceholderStory(IDataBase* db, UID story, int32_t at) : VyStreamingStory(db, story, at, at) {
    needsPlaceholder_ = true;
  }
  bool HasPlaceholder() const { return placeholderInserted_; }
};

class VyStreamingStoryTest : public kesto_test::StoryTest {
 protected:
  VyRef<VyStreamingStory> Open(int32_t start, int32_t end) {
    return MakeVyRef<VyStreamingStory>(db_, story_, start, end);
  }
  static bool Insert(VyStory& story, std::u16string_view text) {
    return story.InsertText(text.data(), static_cast<int32_t>(text.size()));
  }
  static std::pair<int32_t, int32_t> Range(VyStory& story) {
    int32_t start = 0, end = 0;
    story.GetRange(start, end);
    return {start, end};
  }
  ::testing::AssertionResult PendingSound(const VyStreamingStory& story) {
    std::string fault = story.GetPendingRuns().Check();
    if (fault.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << fault;
  }
};

// Paragraphs wait in the buffer, each return with the paragraph attributes in force when it came, and go in
// together with one host command.
TEST_F(VyStreamingStoryTest, ParagraphsWaitForAFlushAndKeepTheirOwnAttributes) {
  UID body = Named(StyleKind::kParagraph, "Body");
  UID quote = Named(StyleKind::kParagraph, "Quote");
  VyRef<VyStreamingStory> story = Open(0, 0);
  ASSERT_TRUE(story->Paragraph().SetStyle(body));
  CommandCount count;
  ASSERT_TRUE(Insert(*story, u"A\rB"));
  ASSERT_TRUE(story->Paragraph().SetStyle(quote));
  ASSERT_TRUE(Insert(*story, u"C\rD"));
  EXPECT_EQ(count.Inserts(), 0u);
  EXPECT_EQ(Text(), "/");
  EXPECT_EQ(story->GetPendingText(), u"A\rBC\rD");
  // The range counts the pending text, which goes into the host for it, with the attributes taken so far.
  EXPECT_EQ(Range(*story), std::make_pair(6, 6));
  EXPECT_EQ(Text(), "A/BC/D/");
  EXPECT_EQ(ParagraphRuns(), "2:Body{} 3:Quote{} 2:Quote{}");
  EXPECT_EQ(story->GetPendingText(), u"");
  ASSERT_TRUE(story->Paragraph().SetStyle(body));
  story->Finish(0);
  EXPECT_EQ(ParagraphRuns(), "2:Body{} 3:Quote{} 2:Body{}");  // the open paragraph follows the agent
  EXPECT_EQ(count.Inserts(), 1u);
  EXPECT_TRUE(Sound());
}

TEST_F(VyStreamingStoryTest, RecordedRunsBecomeTheHostsCharacterRuns) {
  UID em = Named(StyleKind::kCharacter, "Em");
  VyRef<VyStreamingStory> story = Open(0, 0);
  K2AttributeSetMgr& character = story->Character();
  UID plain = character.GetAgent()->GetStyle();
  ASSERT_TRUE(Insert(*story, u"aa"));
  ASSERT_TRUE(character.SetReal(kTextAttrPointSize, 14.0));
  ASSERT_TRUE(Insert(*story, u"bb"));
  ASSERT_TRUE(character.SetStyle(em));
  ASSERT_TRUE(Insert(*story, u"cc"));
  ASSERT_TRUE(character.ClearOverride(kTextAttrPointSize));
  ASSERT_TRUE(Insert(*story, u"dd"));
  ASSERT_TRUE(character.SetStyle(plain));
  EXPECT_EQ(Text(), "/");  // nothing inserted before the paragraph ends
  EXPECT_TRUE(PendingSound(*story));
  ASSERT_TRUE(Insert(*story, u"e\r"));
  ASSERT_TRUE(story->Flush(false, true));
  EXPECT_EQ(Text(), "aabbccdde//");
  EXPECT_EQ(CharacterRuns(), "2:root{} 2:root{\"6915\":14} 2:Em{\"6915\":14} 2:Em{} 3:root{}");
  EXPECT_TRUE(story->GetPendingRuns().IsEmpty());
  EXPECT_TRUE(Sound());
}

// One host command for all the paragraphs, carrying their runs, whatever the amount of text and the number
// of attribute changes in it.
TEST_F(VyStreamingStoryTest, CommandsGrowWithParagraphsAndAttributeChangesNotText) {
  const struct {
    const char* name;
    int32_t paragraphs, runsPerParagraph, runLength;
    bool alternate;  // point size changes from run to run
  } rows[] = {
      {"plain short", 10, 8, 50, false},         {"plain long", 10, 8, 500, false},
      {"changes short", 10, 8, 50, true},        {"changes long", 10, 8, 500, true},
      {"twice the paragraphs", 20, 8, 50, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    VyRef<VyStreamingStory> story = Open(0, 0);
    std::u16string run(static_cast<size_t>(row.runLength), u'x');
    CommandCount count;
    for (int32_t p = 0; p < row.paragraphs; ++p) {
      for (int32_t r = 0; r < row.runsPerParagraph; ++r) {
        if (row.alternate && r % 2 == 1) {
          ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 14.0));
        } else {
          (void)story->Character().ClearOverride(kTextAttrPointSize);
        }
        ASSERT_TRUE(Insert(*story, r + 1 == row.runsPerParagraph ? run + u"\r" : run));
      }
    }
    story->Finish(0);
    EXPECT_EQ(count.Inserts(), 1u);
    EXPECT_EQ(count.AttributeCommands(), 0u);
    EXPECT_EQ(model_->CountCharacterRuns(), row.alternate ? row.paragraphs * row.runsPerParagraph + 1 : 1);
    EXPECT_TRUE(Sound());
    ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(db_, story_), 0, model_->TotalLength() - 1), kSuccess);
  }
}

// Buffering changes when text goes into the host, never what it ends up as: the same text, returns, breaks
// and attribute changes give a story that inserts at once and a buffered one the same text and runs.
TEST_F(VyStreamingStoryTest, EndsAsAStoryThatInsertsAtOnce) {
  UID quote = Named(StyleKind::kParagraph, "Quote");
  UID em = Named(StyleKind::kCharacter, "Em");
  UID other;
  ASSERT_EQ(TextCmdUtils::NewStory(db_, other), kSuccess);
  InterfacePtr<ITextModel> otherModel = Instantiate<ITextModel>(db_, other);
  auto play = [&](VyStory& story, uint32_t seed) {
    std::mt19937 random(seed);
    K2AttributeSetMgr& c = story.Character();
    K2AttributeSetMgr& p = story.Paragraph();
    for (int i = 0; i < 80; ++i) {
      switch (random() % 10) {
        case 0:
          (void)c.SetReal(kTextAttrPointSize, 9.0 + random() % 3);
          break;
        case 1:
          (void)c.ClearOverride(kTextAttrPointSize);
          break;
        case 2:
          (void)c.SetStyle(random() % 2 ? em : c.GetAgent()->GetStyle());
          break;
        case 3:
          (void)p.SetStyle(random() % 2 ? quote : Root(StyleKind::kParagraph));
          break;
        case 4:
          (void)p.SetEnum(kTextAttrAlignment, static_cast<int32_t>(random() % 3));
          break;
        case 5:
          (void)p.SetLeading(2.0 + random() % 2, random() % 2 == 0);
          break;
        case 6: {  // a break: its kind rides on the return it inserts, as the scanner does it
          (void)c.SetEnum(kTextAttrBreakKind, 1 + static_cast<int32_t>(random() % 3));
          ASSERT_TRUE(story.InsertText(u"\r", 1));
          (void)c.ClearOverride(kTextAttrBreakKind);
          break;
        }
        default: {
          std::u16string text = random() % 3 ? u"words " : u"end\r";
          ASSERT_TRUE(story.InsertText(text.data(), static_cast<int32_t>(text.size())));
        }
      }
    }
    ASSERT_TRUE(story.InsertText(u"\r", 1));
    story.Finish(0);
  };
  auto state = [&](InterfacePtr<ITextModel> model) {
    std::swap(model_, model);
    std::string out = Text() + " | " + ParagraphRuns() + " | " + CharacterRuns();
    std::swap(model_, model);
    return out;
  };
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    play(*MakeVyRef<VyStory>(db_, other, 0, 0), seed);
    play(*Open(0, 0), seed);
    EXPECT_EQ(state(model_), state(otherModel));
    EXPECT_TRUE(Sound());
    ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(db_, story_), 0, model_->TotalLength() - 1), kSuccess);
    ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(db_, other), 0, otherModel->TotalLength() - 1), kSuccess);
  }
}

TEST_F(VyStreamingStoryTest, PlaceholderKeepsTheParagraphAfterTheInsertionPoint) {
  UID quote = Named(StyleKind::kParagraph, "Quote");
  UID body = Named(StyleKind::kParagraph, "Body");
  const struct {
    bool placeholder;
    const char* paragraphs;
  } rows[] = {{true, "7:Body{} 8:Quote{}"}, {false, "7:Body{} 8:Body{}"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.placeholder ? "with placeholder" : "without");
    Seed(u"Hello World");
    ASSERT_EQ(TextCmdUtils::ApplyParagraphStyle(UIDRef(db_, story_), 0, 1, quote), kSuccess);
    VyRef<VyStreamingStory> story =
        row.placeholder ? VyRef<VyStreamingStory>(new PlaceholderStory(db_, story_, 5)) : Open(5, 5);
    ASSERT_TRUE(story->Paragraph().SetStyle(body));
    ASSERT_TRUE(Insert(*story, u"X\rY"));
    story->Finish(0);
    if (row.placeholder) {
      EXPECT_FALSE(static_cast<PlaceholderStory*>(story.get())->HasPlaceholder());
    }
    EXPECT_EQ(Text(), "HelloX/Y World/");
    EXPECT_EQ(ParagraphRuns(), row.paragraphs);
    EXPECT_EQ(Range(*story), std::make_pair(8, 8));
    EXPECT_TRUE(Sound());
    story = {};
    ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(db_, story_), 0, model_->TotalLength() - 1), kSuccess);
  }
}

TEST_F(VyStreamingStoryTest, PlaceholderGoesAfterAReplacedSelectionAndLeavesWithTheStory) {
  Seed(u"abcdef");
  {
    VyRef<VyStreamingStory> story(new PlaceholderStory(db_, story_, 0));
    story->SetRange(1, 4, false);
    ASSERT_TRUE(Insert(*story, u"XY"));
    EXPECT_TRUE(static_cast<PlaceholderStory*>(story.get())->HasPlaceholder());
  }
  EXPECT_EQ(Text(), "aXYef/");
  EXPECT_TRUE(Sound());
}

TEST_F(VyStreamingStoryTest, AttributeOverPendingAndInsertedTextReachesBoth) {
  VyRef<VyStreamingStory> story = Open(0, 0);
  ASSERT_TRUE(Insert(*story, u"ab\r"));
  ASSERT_TRUE(story->Flush(false, true));
  ASSERT_TRUE(Insert(*story, u"cd"));
  InterfacePtr<ITextAttribute> size = CreateTextAttribute(kTextAttrPointSize, 18.0);
  EXPECT_TRUE(story->ApplyAttributeToRange(1, 3, size.get()));  // "b", its return, and the pending "c"
  EXPECT_EQ(CharacterRuns(), "1:root{} 2:root{\"6915\":18} 1:root{}");
  EXPECT_TRUE(PendingSound(*story));
  story->Finish(0);
  EXPECT_EQ(CharacterRuns(), "1:root{} 3:root{\"6915\":18} 2:root{}");
  EXPECT_FALSE(story->ApplyAttributeToRange(2, 0, size.get()));
  EXPECT_FALSE(story->ApplyAttributeToRange(2, 1, nullptr));
}

TEST_F(VyStreamingStoryTest, HostChangesInsideThePendingSpanKeepTheRunsAligned) {
  VyRef<VyStreamingStory> story = Open(0, 0);
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 14.0));
  ASSERT_TRUE(Insert(*story, u"abcd"));
  EXPECT_EQ(Range(*story), std::make_pair(4, 4));  // in the host, attributes still pending
  // Someone else puts a character with its own attributes inside the span, and another one before it.
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), 2, u"Z"), kSuccess);
  ASSERT_EQ(TextCmdUtils::ApplyOverrides(UIDRef(db_, story_), TextStrand::kCharacter, 2, 3,
                                         kesto_test::Attrs({{kTextAttrBaselineShift, 3.0}})),
            kSuccess);
  story->NoteTextChange(2, 1);
  EXPECT_TRUE(story->DeleteText(0, 1));
  EXPECT_TRUE(PendingSound(*story));
  // The removal moved the range, so the caret's attributes came back from the host.
  EXPECT_FALSE(story->Character().HasOverride(kTextAttrPointSize));
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 14.0));
  EXPECT_EQ(story->GetPendingRuns().GetLength(), 4);
  ASSERT_TRUE(Insert(*story, u"e\r"));
  EXPECT_EQ(Text(), "bZcde//");
  EXPECT_EQ(CharacterRuns(), "1:root{\"6915\":14} 1:root{\"6928\":3} 4:root{\"6915\":14} 1:root{}");
  EXPECT_TRUE(Sound());
}

TEST_F(VyStreamingStoryTest, MovingTheRangeCommitsWhatWasPendingWhereItWas) {
  Seed(u"xyz");
  VyRef<VyStreamingStory> story = Open(0, 0);
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 14.0));
  ASSERT_TRUE(Insert(*story, u"ab"));
  EXPECT_EQ(Range(*story), std::make_pair(2, 2));
  story->SetRange(5, 5, false);
  ASSERT_TRUE(Insert(*story, u"Q"));
  story->Finish(0);
  EXPECT_EQ(Text(), "abxyzQ/");
  EXPECT_EQ(CharacterRuns(), "2:root{\"6915\":14} 5:root{}");
}

TEST_F(VyStreamingStoryTest, ReleasingTheStoryInsertsAndCommitsWhatIsPending) {
  {
    VyRef<VyStreamingStory> story = Open(0, 0);
    ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 14.0));
    ASSERT_TRUE(Insert(*story, u"ab"));
    EXPECT_EQ(Text(), "/");
  }
  EXPECT_EQ(Text(), "ab/");
  EXPECT_EQ(CharacterRuns(), "2:root{\"6915\":14} 1:root{}");
}

TEST_F(VyStreamingStoryTest, RefusedFlushDropsTheTextWithItsRuns) {
  VyRef<VyStreamingStory> story = Open(0, 0);
  ASSERT_TRUE(Insert(*story, u"ab"));
  ErrorUtils::PMSetGlobalErrorCode(kFailure);
  EXPECT_FALSE(story->Flush(false, false));
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
  EXPECT_TRUE(story->GetPendingText().empty());
  EXPECT_EQ(story->GetPendingRuns().GetLength(), 0);
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 14.0));
  ASSERT_TRUE(Insert(*story, u"cd\r"));
  ASSERT_TRUE(story->Flush(false, true));
  EXPECT_EQ(Text(), "cd//");
  EXPECT_EQ(CharacterRuns(), "3:root{\"6915\":14} 1:root{}");
}

TEST_F(VyStreamingStoryTest, FinishingTwiceProcessesNoFurtherCommand) {
  VyRef<VyStreamingStory> story = Open(0, 0);
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 14.0));
  ASSERT_TRUE(Insert(*story, u"ab"));
  ASSERT_TRUE(story->Character().SetStyle(Named(StyleKind::kCharacter, "Em")));
  ASSERT_TRUE(Insert(*story, u"cd"));
  story->Finish(0);
  CommandCount count;
  story->Finish(0);
  story->Finish(10);
  EXPECT_TRUE(story->Flush(false, true));
  EXPECT_EQ(count.AttributeCommands() + count.Inserts(), 0u);
}

}  // namespace
}  // namespace kesto
