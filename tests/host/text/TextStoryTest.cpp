// The story model: insertion and deletion rules, paragraph and character strands, canonical runs, bounds,
// and random edits compared with a plain reference model.
#include <random>

#include "host/text/AttributeClasses.h"
#include "tests/host/text/StoryReference.h"
#include "tests/host/text/TextFixture.h"

namespace text_test {
namespace {

// The model's edits are open only inside an undo step: each test runs in one.
class TextStoryTest : public TextFixture {
 protected:
  void SetUp() override {
    TextFixture::SetUp();
    story = Story();
    reference.Initialize(ParagraphDefault(), CharacterRoot());
    db_->BeginStep("Edits");
  }
  void TearDown() override {
    db_->EndStep();
    TextFixture::TearDown();
  }
  void Insert(int32_t position, std::u16string_view text) {
    ASSERT_EQ(story->Insert(position, text), kSuccess);
    reference.Insert(position, text);
  }
  void ApplyCharacterStyle(int32_t start, int32_t end, UID style) {
    ASSERT_EQ(story->ApplyStyle(TextStrand::kCharacter, start, end, style, false), kSuccess);
    reference.ChangeCharacters(start, end, [&](Attrs& a) { a.style = style; });
  }

  InterfacePtr<ITextModel> story;
  StoryReference reference;
};

TEST_F(TextStoryTest, NewStoryIsOneParagraphReturnInTheDefaultStyles) {
  EXPECT_EQ(story->TotalLength(), 1);
  EXPECT_EQ(story->GetText(0, 1), u"\r");
  EXPECT_EQ(story->GetParagraphRun(0).style, ParagraphDefault());
  EXPECT_EQ(story->GetCharacterRun(0).style, CharacterRoot());
  EXPECT_TRUE(Matches(*story, reference));
  EXPECT_EQ(story->Initialize(ParagraphRoot(), CharacterRoot()), kInvalidParameterError);
}

TEST_F(TextStoryTest, InsertedTextTakesTheAttributesOfItsNeighbour) {
  UID a = MakeStyle(StyleKind::kCharacter, u"A");
  UID b = MakeStyle(StyleKind::kCharacter, u"B");
  Insert(0, u"xxxx\ryyyy");
  ApplyCharacterStyle(0, 2, a);
  ApplyCharacterStyle(5, 9, b);
  struct Row {
    const char* what;
    int32_t position;
    UID expected;
  };
  const Row rows[] = {
      {"inside a run", 1, a},
      {"after a run: the character before", 2, a},
      {"at a paragraph start: the character at it", 5, b},
      {"at the story start", 0, a},
      {"before the final return", 9, b},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    int32_t position = row.position;
    Insert(position, u"+");
    EXPECT_EQ(story->GetRunAt(TextStrand::kCharacter, position).style, row.expected);
    ASSERT_TRUE(Matches(*story, reference));
    ASSERT_EQ(story->Delete(position, position + 1), kSuccess);
    reference.Delete(position, position + 1);
  }
}

TEST_F(TextStoryTest, ReturnsSplitAndJoinParagraphs) {
  UID body = MakeStyle(StyleKind::kParagraph, u"Body");
  UID head = MakeStyle(StyleKind::kParagraph, u"Head");
  Insert(0, u"one\rtwo");
  ASSERT_EQ(story->ApplyStyle(TextStrand::kParagraph, 0, 0, head, false), kSuccess);
  ASSERT_EQ(story->ApplyStyle(TextStrand::kParagraph, 4, 4, body, false), kSuccess);
  // A return inserted into "two" makes two paragraphs, both with the attributes of the one split.
  ASSERT_EQ(story->Insert(5, u"\r"), kSuccess);
  EXPECT_EQ(story->CountParagraphs(), 3);
  EXPECT_EQ(story->GetParagraphRun(1).style, body);
  EXPECT_EQ(story->GetParagraphRun(2).style, body);
  // Deleting the first return joins "one" to the next paragraph, whose return (and attributes) remain.
  ASSERT_EQ(story->Delete(3, 4), kSuccess);
  EXPECT_EQ(story->GetText(0, story->TotalLength()), u"onet\rwo\r");
  EXPECT_EQ(story->GetParagraphRun(0).style, body);
  EXPECT_EQ(story->GetParagraphRun(0).end, 5);
  EXPECT_EQ(story->Check(), "");
}

TEST_F(TextStoryTest, RefusesRangesOutsideTheStoryAndChangesNothing) {
  Insert(0, u"abc\rdef");
  UID style = MakeStyle(StyleKind::kCharacter, u"S");
  int32_t length = story->TotalLength();
  struct Row {
    const char* what;
    ErrorCode result;
  };
  const Row rows[] = {
      {"insert before the start", story->Insert(-1, u"x")},
      {"insert after the final return", story->Insert(length, u"x")},
      {"insert nothing", story->Insert(0, u"")},
      {"delete the final return", story->Delete(0, length)},
      {"delete a reversed range", story->Delete(3, 2)},
      {"delete from before the start", story->Delete(-1, 2)},
      {"style past the end", story->ApplyStyle(TextStrand::kCharacter, 0, length + 1, style, false)},
      {"overrides past the end", story->ApplyOverrides(TextStrand::kParagraph, 2, length + 1, {})},
      {"clear from before the start", story->ClearOverrides(TextStrand::kCharacter, -2, 1, {})},
      {"styled text whose runs do not cover it", story->InsertStyled(0, StyledText{u"ab", {}, {{1, {}}}})},
      {"styled text without paragraph records", story->InsertStyled(0, StyledText{u"a\r", {}, {{2, {}}}})},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.result, kInvalidParameterError);
  }
  EXPECT_TRUE(Matches(*story, reference));
}

TEST_F(TextStoryTest, CharacterRunsStayCanonical) {
  UID a = MakeStyle(StyleKind::kCharacter, u"A");
  Insert(0, u"0123456789");
  ApplyCharacterStyle(2, 4, a);
  ApplyCharacterStyle(4, 6, a);
  EXPECT_EQ(story->CountCharacterRuns(), 3) << "neighbours of one style merge";
  AttributeBossList size = List({{kTextAttrPointSize, 14.0}});
  ASSERT_EQ(story->ApplyOverrides(TextStrand::kCharacter, 3, 8, size), kSuccess);
  EXPECT_EQ(story->CountCharacterRuns(), 5);
  ASSERT_EQ(story->ClearOverrides(TextStrand::kCharacter, 0, 11, {}), kSuccess);
  ApplyCharacterStyle(0, 11, CharacterRoot());
  EXPECT_EQ(story->CountCharacterRuns(), 1) << "clearing everything gives one run again";
  EXPECT_EQ(story->Check(), "");
}

TEST_F(TextStoryTest, ParagraphAttributesGivenForCharactersCoverWholeParagraphs) {
  Insert(0, u"first\rsecond\rthird");
  AttributeBossList mixed = List({{kTextAttrAlignment, int32_t{1}}, {kTextAttrPointSize, 20.0}});
  ASSERT_EQ(story->ApplyOverrides(TextStrand::kCharacter, 7, 8, mixed), kSuccess);
  EXPECT_FALSE(story->GetParagraphRun(0).overrides->ContainsClass(kTextAttrAlignment));
  EXPECT_TRUE(story->GetParagraphRun(1).overrides->ContainsClass(kTextAttrAlignment));
  EXPECT_FALSE(story->GetParagraphRun(1).overrides->ContainsClass(kTextAttrPointSize));
  TextRun sized = story->GetRunAt(TextStrand::kCharacter, 7);
  EXPECT_EQ(sized.start, 7);
  EXPECT_EQ(sized.end, 8);
  EXPECT_FALSE(sized.overrides->ContainsClass(kTextAttrAlignment));
  ClassID alignment[] = {kTextAttrAlignment};
  ASSERT_EQ(story->ClearOverrides(TextStrand::kCharacter, 6, 7, alignment), kSuccess);
  EXPECT_TRUE(story->GetParagraphRun(1).overrides->IsEmpty());
}

TEST_F(TextStoryTest, StyledTextCopiesKeepRunsAndParagraphRecords) {
  UID a = MakeStyle(StyleKind::kCharacter, u"A");
  UID head = MakeStyle(StyleKind::kParagraph, u"Head");
  Insert(0, u"Title\rbody text");
  ApplyCharacterStyle(1, 3, a);
  ASSERT_EQ(story->ApplyStyle(TextStrand::kParagraph, 0, 0, head, false), kSuccess);
  reference.paragraphs[0].style = head;
  StyledText copy = story->GetStyledText(0, 8);
  EXPECT_EQ(copy.text, u"Title\rbo");
  ASSERT_EQ(copy.paragraphs.Count(), 1);
  EXPECT_EQ(copy.paragraphs.At(0).style, head);
  ASSERT_EQ(story->InsertStyled(story->TotalLength() - 1, copy), kSuccess);
  int32_t at = reference.Length() - 1;
  reference.text.insert(static_cast<size_t>(at), copy.text);
  std::vector<Attrs> copied(reference.characters.begin(), reference.characters.begin() + 8);
  reference.characters.insert(reference.characters.begin() + at, copied.begin(), copied.end());
  reference.paragraphs.insert(reference.paragraphs.begin() + 1, copy.paragraphs.At(0));
  EXPECT_TRUE(Matches(*story, reference));
}

TEST_F(TextStoryTest, VisitsWholeRunsOverlappingARange) {
  UID a = MakeStyle(StyleKind::kCharacter, u"A");
  Insert(0, u"aaaa\rbbbb\rcccc");
  ApplyCharacterStyle(2, 7, a);
  std::vector<std::pair<int32_t, int32_t>> runs;
  story->VisitRuns(TextStrand::kCharacter, 3, 8, [&](const TextRun& r) {
    runs.emplace_back(r.start, r.end);
    return true;
  });
  EXPECT_EQ(runs, (std::vector<std::pair<int32_t, int32_t>>{{2, 7}, {7, 15}}));
  runs.clear();
  story->VisitRuns(TextStrand::kParagraph, 6, 6, [&](const TextRun& r) {
    runs.emplace_back(r.start, r.end);
    return true;
  });
  EXPECT_EQ(runs, (std::vector<std::pair<int32_t, int32_t>>{{5, 10}}));
}

// Random inserts, deletes and attribute changes on a story that grows past many storage blocks, compared
// with the reference after each step.
TEST_F(TextStoryTest, RandomEditsMatchTheReferenceModel) {
  std::vector<UID> characterStyles = {CharacterRoot(), MakeStyle(StyleKind::kCharacter, u"A"),
                                      MakeStyle(StyleKind::kCharacter, u"B")};
  std::vector<UID> paragraphStyles = {ParagraphDefault(), MakeStyle(StyleKind::kParagraph, u"P")};
  std::vector<AttributeBossList> lists = {List({{kTextAttrPointSize, 9.0}}), List({{kTextAttrTracking, 0.1}}),
                                          List({{kTextAttrSpaceBefore, 6.0}, {kTextAttrUnderline, true}})};
  for (uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    auto pick = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
    for (int step = 0; step < 700; ++step) {
      int32_t length = story->TotalLength();
      int32_t a = pick(length);
      int32_t b = std::min(length - 1, a + pick(300));
      switch (pick(7)) {
        case 0:
        case 1: {
          // Now and then more than a storage block holds, which takes another way into the blocks.
          size_t size = static_cast<size_t>(step % 50 == 7 ? 5000 + pick(9000) : 1 + pick(600));
          std::u16string text(size, u'a' + static_cast<char16_t>(step % 26));
          for (int r = pick(4) * (size > 600 ? 20 : 1); r > 0; --r)
            text[static_cast<size_t>(pick(static_cast<int32_t>(text.size())))] = u'\r';
          Insert(a, text);
          break;
        }
        case 2:
          ASSERT_EQ(story->Delete(a, b), kSuccess);
          reference.Delete(a, b);
          break;
        case 3: {
          UID style = characterStyles[static_cast<size_t>(pick(3))];
          ApplyCharacterStyle(a, std::min(a + pick(40), length), style);
          break;
        }
        case 4: {
          UID style = paragraphStyles[static_cast<size_t>(pick(2))];
          ASSERT_EQ(story->ApplyStyle(TextStrand::kParagraph, a, b, style, false), kSuccess);
          reference.ChangeParagraphs(a, b, [&](Attrs& p) { p.style = style; });
          break;
        }
        case 5: {
          const AttributeBossList& list = lists[static_cast<size_t>(pick(3))];
          auto add = [&](Attrs& x) {
            AttributeBossList merged = *x.overrides;
            merged.ApplyAttributes(list);
            x.overrides = MakeAttrListRef(merged);
          };
          TextStrand strand = pick(2) ? TextStrand::kCharacter : TextStrand::kParagraph;
          ASSERT_EQ(story->ApplyOverrides(strand, a, b, list), kSuccess);
          if (strand == TextStrand::kParagraph) {
            reference.ChangeParagraphs(a, b, add);
          } else {
            if (a < b && !list.FilterByScope(true).IsEmpty())
              reference.ChangeParagraphs(a, b, [&](Attrs& x) {
                AttributeBossList merged = *x.overrides;
                merged.ApplyAttributes(list.FilterByScope(true));
                x.overrides = MakeAttrListRef(merged);
              });
            reference.ChangeCharacters(a, b, [&](Attrs& x) {
              AttributeBossList merged = *x.overrides;
              merged.ApplyAttributes(list.FilterByScope(false));
              x.overrides = MakeAttrListRef(merged);
            });
          }
          break;
        }
        default:
          ASSERT_EQ(story->ClearOverrides(TextStrand::kCharacter, a, b, {}), kSuccess);
          reference.ChangeCharacters(a, b, [](Attrs& x) { x.overrides = EmptyAttributeList(); });
          break;
      }
      if (step % 25 == 0 || story->TotalLength() < 50) {
        ASSERT_TRUE(Matches(*story, reference)) << "after step " << step;
      } else {
        ASSERT_EQ(story->Check(), "") << "after step " << step;
      }
    }
    ASSERT_TRUE(Matches(*story, reference));
  }
}

// Lookups by position and by index on a story of many paragraphs and runs answer what its construction
// implies, wherever they look.
TEST_F(TextStoryTest, LookupsOnALargeStory) {
  UID a = MakeStyle(StyleKind::kCharacter, u"A");
  constexpr int32_t kParagraphs = 4001;  // the last text paragraph has style A; the final return does not
  std::u16string paragraph(49, u'x');
  paragraph += u'\r';
  for (int32_t p = 0; p < kParagraphs; ++p)
    ASSERT_EQ(story->Insert(story->TotalLength() - 1, paragraph), kSuccess);
  for (int32_t p = 0; p < kParagraphs; p += 2)
    ASSERT_EQ(story->ApplyStyle(TextStrand::kCharacter, p * 50, p * 50 + 50, a, false), kSuccess);
  ASSERT_EQ(story->Check(), "");
  ASSERT_EQ(story->CountParagraphs(), kParagraphs + 1);
  ASSERT_EQ(story->CountCharacterRuns(), kParagraphs + 1);
  for (int32_t position : {0, 49, 50, 99, 100, 123456, 150049, 199999, 200000, 200049, 200050}) {
    SCOPED_TRACE("position " + std::to_string(position));
    int32_t p = position / 50;
    EXPECT_EQ(story->ParagraphIndexAt(position), p);
    TextRun run = story->GetRunAt(TextStrand::kCharacter, position);
    EXPECT_EQ(run.start, p * 50);
    EXPECT_EQ(run.style, p % 2 == 0 && p < kParagraphs ? a : CharacterRoot());
    EXPECT_EQ(story->CharacterRunIndexAt(position), p);
    EXPECT_EQ(story->GetCharacterRun(p).start, p * 50);
    EXPECT_EQ(story->GetParagraphRun(p).start, p * 50);
  }
}

}  // namespace
}  // namespace text_test
