// The unbuffered story: its window on the host story, insertion in paragraph chunks, attribute commits with
// few host commands, range bookkeeping, the caret's attributes and reading text back.
#include "kesto/model/VyStory.h"

#include <gtest/gtest.h>

#include "host/cmd/ErrorUtils.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ICharacterTranslationService.h"
#include "tests/kesto/model/StoryTestSupport.h"

namespace kesto {
namespace {

using kesto_test::Attrs;
using kesto_test::CommandCount;
using kesto_test::Narrow;

class VyStoryTest : public kesto_test::StoryTest {
 protected:
  VyRef<VyStory> Open(int32_t start, int32_t end) { return MakeVyRef<VyStory>(db_, story_, start, end); }
  static bool Insert(VyStory& story, std::u16string_view text) {
    return story.InsertText(text.data(), static_cast<int32_t>(text.size()));
  }
  static std::pair<int32_t, int32_t> Range(VyStory& story) {
    int32_t start = 0, end = 0;
    story.GetRange(start, end);
    return {start, end};
  }
};

TEST_F(VyStoryTest, RangeIsClampedBeforeTheFinalReturn) {
  Seed(u"abc\rde");  // 7 units with the final return
  const struct {
    int32_t start, end, wantStart, wantEnd;
  } rows[] = {{0, 0, 0, 0},  {2, 4, 2, 4}, {0, 7, 0, 6}, {0, 100, 0, 6},
              {-5, 3, 0, 3}, {5, 2, 5, 5}, {9, 9, 6, 6}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.start << ".." << row.end);
    VyRef<VyStory> story = Open(row.start, row.end);
    EXPECT_EQ(Range(*story), std::make_pair(row.wantStart, row.wantEnd));
    story->SetRange(0, 0, false);
    story->SetRange(row.start, row.end, false);
    EXPECT_EQ(Range(*story), std::make_pair(row.wantStart, row.wantEnd)) << "SetRange";
  }
}

TEST_F(VyStoryTest, CountingDeletesTheStoryAtTheLastRelease) {
  VyStory* raw = new VyStory(db_, story_, 0, 0);
  EXPECT_EQ(raw->GetRefCount(), 1);
  {
    VyRef<VyStory> holder(raw);
    raw->AddRef();
    VyRef<VyStory> copy = holder;
    EXPECT_EQ(raw->GetRefCount(), 3);
  }
  EXPECT_EQ(raw->GetRefCount(), 1);
  raw->Release();  // the last reference: sanitizers report a leak or a double delete
}

TEST_F(VyStoryTest, TextWithoutReturnIsOneInsertAndCommitsOnlyCharacterAttributes) {
  Seed(u"ab");
  VyRef<VyStory> story = Open(1, 1);
  ASSERT_TRUE(story->Paragraph().SetReal(kTextAttrSpaceBefore, 6.0));
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 20.0));
  CommandCount count;
  ASSERT_TRUE(Insert(*story, u"XYZ"));
  EXPECT_EQ(count.Inserts(), 1u);
  EXPECT_EQ(Text(), "aXYZb/");
  EXPECT_EQ(Range(*story), std::make_pair(4, 4));
  EXPECT_EQ(ParagraphRuns(), "6:normal{}");
  EXPECT_EQ(CharacterRuns(), "1:root{} 3:root{\"6915\":20} 2:root{}");
  EXPECT_TRUE(Sound());
}

TEST_F(VyStoryTest, TextWithReturnsInsertsUpToTheLastReturnAtOnce) {
  UID body = Named(StyleKind::kParagraph, "Body");
  VyRef<VyStory> story = Open(0, 0);
  ASSERT_TRUE(story->Paragraph().SetStyle(body));
  CommandCount count;
  ASSERT_TRUE(Insert(*story, u"one\rtwo\rthr"));
  EXPECT_EQ(count.Inserts(), 2u);  // "one/two/" and "thr"
  EXPECT_EQ(Text(), "one/two/thr/");
  EXPECT_EQ(ParagraphRuns(), "4:Body{} 4:Body{} 4:normal{}");
  EXPECT_EQ(Range(*story), std::make_pair(11, 11));
  EXPECT_TRUE(Sound());
}

TEST_F(VyStoryTest, ReplacingASelectionGivesTheNewTextTheManagersAttributes) {
  Seed(u"abcdef");
  VyRef<VyStory> story = Open(1, 4);
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 9.0));
  ASSERT_TRUE(Insert(*story, u"XY"));
  EXPECT_EQ(Text(), "aXYef/");
  EXPECT_EQ(CharacterRuns(), "1:root{} 2:root{\"6915\":9} 3:root{}");
  EXPECT_EQ(Range(*story), std::make_pair(3, 3));
}

TEST_F(VyStoryTest, RefusedInsertResetsTheGlobalErrorAndReportsFalse) {
  VyRef<VyStory> story = Open(0, 0);
  ErrorUtils::PMSetGlobalErrorCode(kFailure);  // the host refuses every command while an error is set
  EXPECT_FALSE(Insert(*story, u"abc\rdef"));
  EXPECT_EQ(ErrorUtils::PMGetGlobalErrorCode(), kSuccess);
  EXPECT_EQ(Text(), "/");
  EXPECT_EQ(Range(*story), std::make_pair(0, 0));
}

TEST_F(VyStoryTest, CommittingWhatTheTextHoldsProcessesNoCommand) {
  Seed(u"abcdef");
  VyRef<VyStory> story = Open(0, 0);
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 9.0));
  ASSERT_TRUE(story->CommitAttributes(0, 6, true, true));
  CommandCount count;
  ASSERT_TRUE(story->CommitAttributes(0, 6, true, true));
  ASSERT_TRUE(story->CommitAttributes(2, 4, true, false));
  EXPECT_EQ(count.AttributeCommands(), 0u);
}

TEST_F(VyStoryTest, CommitClearsStaleOverridesAndAppliesTheWantedOnce) {
  Seed(u"abcdef");
  ASSERT_EQ(TextCmdUtils::ApplyOverrides(UIDRef(db_, story_), TextStrand::kCharacter, 0, 2,
                                         Attrs({{kTextAttrPointSize, 30.0}})),
            kSuccess);
  ASSERT_EQ(TextCmdUtils::ApplyOverrides(UIDRef(db_, story_), TextStrand::kCharacter, 4, 6,
                                         Attrs({{kTextAttrBaselineShift, 2.0}})),
            kSuccess);
  VyRef<VyStory> story = Open(0, 0);
  story->Character().Reset();
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 9.0));
  CommandCount count;
  ASSERT_TRUE(story->CommitAttributes(0, 6, true, false));
  EXPECT_EQ(CharacterRuns(), "6:root{\"6915\":9} 1:root{}");
  // One clear for the baseline shift run, one application over the span.
  EXPECT_EQ(count.Of(kClearOverridesCmdBoss), 1u);
  EXPECT_EQ(count.Of(kApplyOverridesCmdBoss), 1u);
}

TEST_F(VyStoryTest, LeadingAndLanguageGoOverWholeParagraphs) {
  Seed(u"aaaa\rbbbb\rcccc");
  ASSERT_EQ(TextCmdUtils::ApplyOverrides(UIDRef(db_, story_), TextStrand::kCharacter, 7, 9,
                                         Attrs({{kTextAttrPointSize, 20.0}})),
            kSuccess);
  const struct {
    const char* name;
    bool relative;
    double value;
    const char* runs;
  } rows[] = {
      {"absolute leading once over the paragraphs", false, 15,
       "5:root{} 2:root{\"6939\":15,\"6941\":7} 2:root{\"6915\":20,\"6939\":15,\"6941\":7} "
       "1:root{\"6939\":15,\"6941\":7} 5:root{}"},
      {"relative leading per stretch of equal point size", true, 2,
       "5:root{} 2:root{\"6939\":14,\"6941\":7} 2:root{\"6915\":20,\"6939\":22,\"6941\":7} "
       "1:root{\"6939\":14,\"6941\":7} 5:root{}"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    VyRef<VyStory> story = Open(0, 0);
    ASSERT_TRUE(story->Paragraph().SetLeading(row.value, row.relative));
    ASSERT_TRUE(story->Paragraph().SetUID(kTextAttrLanguage, UID(7)));
    // A range inside the middle paragraph reaches its whole paragraph.
    ASSERT_TRUE(story->CommitAttributes(6, 8, false, true));
    EXPECT_EQ(CharacterRuns(), row.runs);
    // The snapshot went back into the manager.
    EXPECT_TRUE(story->Paragraph().HasOverride(kTextAttrLeading));
    EXPECT_TRUE(story->Paragraph().HasOverride(kTextAttrLanguage));
    ASSERT_EQ(TextCmdUtils::ClearOverrides(UIDRef(db_, story_), TextStrand::kCharacter, 0, 15,
                                           {kTextAttrLeading, kTextAttrLanguage}),
              kSuccess);
  }
}

TEST_F(VyStoryTest, CaretTakesThePrecedingCharacterExceptAtAParagraphStart) {
  Seed(u"ab\rcd");
  ASSERT_EQ(TextCmdUtils::ApplyOverrides(UIDRef(db_, story_), TextStrand::kCharacter, 0, 1,
                                         Attrs({{kTextAttrPointSize, 10.0}})),
            kSuccess);
  ASSERT_EQ(TextCmdUtils::ApplyOverrides(UIDRef(db_, story_), TextStrand::kCharacter, 3, 4,
                                         Attrs({{kTextAttrPointSize, 30.0}})),
            kSuccess);
  const struct {
    int32_t start, end, caret;
    double size;  // 0: no point size override there
  } rows[] = {{0, 0, 0, 10}, {1, 1, 0, 10}, {2, 2, 1, 0}, {3, 3, 3, 30},
              {4, 4, 3, 30}, {5, 5, 4, 0},  {1, 4, 1, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.start << ".." << row.end);
    VyRef<VyStory> story = Open(row.start, row.end);
    EXPECT_EQ(story->CaretIndex(), row.caret);
    double size = 0;
    bool has = story->Character().HasOverride(kTextAttrPointSize) &&
               story->Character().GetReal(kTextAttrPointSize, size);
    EXPECT_EQ(has ? size : 0, row.size);
  }
}

TEST_F(VyStoryTest, ReloadReplacesTheManagersStateByTheCaretsAttributes) {
  UID heading = Named(StyleKind::kParagraph, "Heading");
  Seed(u"ab\rcd");
  ASSERT_EQ(TextCmdUtils::ApplyParagraphStyle(UIDRef(db_, story_), 3, 4, heading), kSuccess);
  VyRef<VyStory> story = Open(4, 4);
  ASSERT_TRUE(story->Character().SetReal(kTextAttrPointSize, 50.0));
  story->ReloadAttributes(false);
  EXPECT_TRUE(story->Character().HasOverride(kTextAttrPointSize));
  story->ReloadAttributes(true);
  EXPECT_FALSE(story->Character().HasOverride(kTextAttrPointSize));
  EXPECT_EQ(story->Paragraph().GetAgent()->GetStyle(), heading);
  story->SetRange(1, 1, false);
  EXPECT_EQ(StyleName(story->Paragraph().GetAgent()->GetStyle()), "normal");
}

TEST_F(VyStoryTest, ParagraphRangeAtAnswersTheParagraphWithItsReturn) {
  Seed(u"ab\rcde\r");
  const struct {
    int32_t index, start, end;
  } rows[] = {{0, 0, 3}, {2, 0, 3}, {3, 3, 7}, {6, 3, 7}, {7, 7, 8}, {50, 7, 8}};
  VyRef<VyStory> story = Open(0, 0);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.index);
    int32_t start = -1, end = -1;
    story->ParagraphRangeAt(row.index, start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(row.start, row.end));
  }
}

TEST_F(VyStoryTest, RangeFollowsTextChangesAndReplacements) {
  Seed(u"0123456789");
  const struct {
    const char* name;
    char op;  // 'c' NoteTextChange(a, b); 'r' NoteReplace(a, b, c, keep); 'd' DeleteText(a, b)
    int32_t a, b, c;
    bool keep;
    int32_t wantStart, wantEnd;
  } rows[] = {
      {"insert before", 'c', 1, 2, 0, false, 6, 8},
      {"insert at the start moves it", 'c', 4, 2, 0, false, 6, 8},
      {"insert inside grows it", 'c', 5, 2, 0, false, 4, 8},
      {"insert after leaves it", 'c', 7, 2, 0, false, 4, 6},
      {"removal before", 'c', 1, -2, 0, false, 2, 4},
      {"removal across the start", 'c', 2, -3, 0, false, 2, 3},
      {"removal of the whole range", 'c', 3, -5, 0, false, 3, 3},
      {"host delete inside", 'd', 4, 5, 0, false, 4, 5},
      {"replacement before", 'r', 0, 2, 5, false, 7, 9},
      {"replacement over the range", 'r', 3, 2, 4, false, 7, 7},
      {"replacement over the range, kept", 'r', 3, 2, 4, true, 4, 6},
      {"replacement after", 'r', 6, 2, 1, false, 4, 6},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    VyRef<VyStory> story = Open(4, 6);
    if (row.op == 'c') story->NoteTextChange(row.a, row.b);
    if (row.op == 'r') story->NoteReplace(row.a, row.b, row.c, row.keep);
    if (row.op == 'd') {
      ASSERT_TRUE(story->DeleteText(row.a, row.b));
      ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, story_), row.a, u"4"), kSuccess);
    }
    EXPECT_EQ(Range(*story), std::make_pair(row.wantStart, row.wantEnd));
  }
}

// Translates U+F041 ("A" in a symbol font) and nothing else.
class SymbolTranslation final : public CPMUnknown<ICharacterTranslationService> {
 public:
  explicit SymbolTranslation(Boss* boss) : CPMUnknown(boss) {}
  char16_t Translate(const IDataBase*, UID, char16_t ch) const override { return ch == 0xF041 ? u'A' : 0; }
};

void RegisterSymbolTranslation() {
  static const bool registered = [] {
    constexpr ClassID kProvider = 0x7F1000;
    constexpr ImplementationID kImpl = 0x7F1000;
    (void)Registry::Get().RegisterImplementation<SymbolTranslation>(kImpl);
    (void)Registry::Get().RegisterClass(kProvider, kInvalidClass, "SymbolTranslationTest",
                                        {{IID_ICHARACTERTRANSLATIONSERVICE, kImpl}});
    (void)ServiceRegistry::Get().Register(kCharacterTranslationService, kProvider);
    return true;
  }();
  (void)registered;
}

TEST_F(VyStoryTest, ReadTextTranslatesPrivateUseAndNeverSplitsASurrogatePair) {
  RegisterSymbolTranslation();
  Seed(u"a\U0001F600b\uF041\uF042");  // a, a surrogate pair, b, two private-use units
  VyRef<VyStory> story = Open(0, 0);
  const struct {
    int32_t start, end, capacity;
    std::u16string want;
  } rows[] = {
      {0, 6, 10, u"a\U0001F600bA\uF042"},
      {0, 6, 2, u"a"},  // the buffer would end between the halves of the
                        // pair
      {0, 6, 3, u"a\U0001F600"},
      {0, 2, 2, u"a"},  // a full buffer ending on a high surrogate
      {4, 99, 10, u"A\uF042\r"},
      {3, 3, 10, u""},
      {-2, 1, 10, u"a"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.start << ".." << row.end << " in " << row.capacity);
    char16_t buffer[16] = {};
    int32_t count = story->ReadText(row.start, row.end, buffer, row.capacity);
    EXPECT_EQ(Narrow(std::u16string(buffer, count)), Narrow(row.want));
    EXPECT_EQ(std::u16string(buffer, count), row.want);
  }
}

}  // namespace
}  // namespace kesto
