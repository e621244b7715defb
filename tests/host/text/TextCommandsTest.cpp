// The text commands: what each changes, undo and redo back to every earlier state, failures that change
// nothing, sequences, notifications, and stories saved and read back (also from damaged documents).
#include <functional>
#include <random>

#include "host/cmd/CmdUtils.h"
#include "host/core/CPMUnknown.h"
#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "host/db/DocumentFile.h"
#include "host/notify/IObserver.h"
#include "host/notify/ISubject.h"
#include "host/text/CharRunChunk.h"
#include "host/text/IStoryList.h"
#include "host/text/TabStopList.h"
#include "host/text/TextAttribute.h"
#include "tests/host/text/StoryReference.h"
#include "tests/host/text/TextFixture.h"

namespace text_test {
namespace {

class TextCommandsTest : public TextFixture {
 protected:
  void SetUp() override {
    TextFixture::SetUp();
    reference.Initialize(ParagraphDefault(), CharacterRoot());
  }
  void Insert(int32_t position, std::u16string_view text) {
    ASSERT_EQ(TextCmdUtils::InsertText(story_, position, WideString(text)), kSuccess);
    reference.Insert(position, text);
  }
  StoryReference reference;
};

TEST_F(TextCommandsTest, EachCommandIsOneUndoStep) {
  UID emphasis = MakeStyle(StyleKind::kCharacter, u"Emphasis");
  UID head = MakeStyle(StyleKind::kParagraph, u"Head");
  db_->ClearUndo();
  Insert(0, u"Heading\rSome body text");
  std::vector<StoryReference> states = {reference};
  auto step = [&](const char* what, ErrorCode result, auto change) {
    SCOPED_TRACE(what);
    ASSERT_EQ(result, kSuccess);
    change();
    states.push_back(reference);
    ASSERT_TRUE(Matches(*Story(), reference));
  };
  step("apply a paragraph style", TextCmdUtils::ApplyParagraphStyle(story_, 0, 3, head),
       [&] { reference.paragraphs[0].style = head; });
  step("apply a character style", TextCmdUtils::ApplyCharacterStyle(story_, 13, 17, emphasis),
       [&] { reference.ChangeCharacters(13, 17, [&](Attrs& a) { a.style = emphasis; }); });
  AttributeBossList bold = List({{kTextAttrFontStyle, WideString(u"Bold")}});
  step("apply overrides", TextCmdUtils::ApplyOverrides(story_, TextStrand::kCharacter, 0, 7, bold),
       [&] { reference.ChangeCharacters(0, 7, [&](Attrs& a) { a.overrides = MakeAttrListRef(bold); }); });
  step("clear overrides", TextCmdUtils::ClearOverrides(story_, TextStrand::kCharacter, 0, 3),
       [&] { reference.ChangeCharacters(0, 3, [](Attrs& a) { a.overrides = EmptyAttributeList(); }); });
  step("delete", TextCmdUtils::DeleteText(story_, 5, 10), [&] { reference.Delete(5, 10); });
  step("copy within the story", TextCmdUtils::CopyText(story_, 0, 4, story_, 8, 8), [&] {
    StoryReference before = reference;
    reference.text.insert(8, before.text.substr(0, 4));
    reference.characters.insert(reference.characters.begin() + 8, before.characters.begin(),
                                before.characters.begin() + 4);
  });
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_EQ(db_->Undo(), kSuccess);
    ASSERT_TRUE(Matches(*Story(), states[i - 1])) << "after undoing step " << i;
  }
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_EQ(db_->Redo(), kSuccess);
    ASSERT_TRUE(Matches(*Story(), states[i])) << "after redoing step " << i;
  }
}

// Random commands on a story that grows past many storage blocks; undoing them one by one gives back
// each earlier state, and redoing gives back each later one.
TEST_F(TextCommandsTest, UndoAndRedoRestoreEveryState) {
  std::vector<UID> styles = {CharacterRoot(), MakeStyle(StyleKind::kCharacter, u"A"),
                             MakeStyle(StyleKind::kCharacter, u"B"), MakeStyle(StyleKind::kCharacter, u"C")};
  db_->ClearUndo();
  std::mt19937 random(7);
  auto pick = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
  std::vector<StoryReference> states = {reference};
  // Within the undo history's depth, so that every step can be undone.
  while (states.size() <= DataBase::kMaxSteps - 10) {
    size_t step = states.size();
    int32_t length = reference.Length();
    int32_t a = pick(length);
    int32_t b = std::min(length - 1, a + pick(300));
    switch (pick(8)) {
      case 0:
      case 1: {
        std::u16string text(static_cast<size_t>(1 + pick(1500)), static_cast<char16_t>(u'a' + step % 26));
        text[static_cast<size_t>(pick(static_cast<int32_t>(text.size())))] = u'\r';
        Insert(a, text);
        break;
      }
      case 2:
        if (a == b) continue;  // a command that changes nothing makes no undo step
        ASSERT_EQ(TextCmdUtils::DeleteText(story_, a, b), kSuccess);
        reference.Delete(a, b);
        break;
      default: {
        UID style = styles[static_cast<size_t>(pick(4))];
        b = std::min(length - 1, a + pick(40));
        if (a == b) continue;
        ASSERT_EQ(TextCmdUtils::ApplyCharacterStyle(story_, a, b, style), kSuccess);
        reference.ChangeCharacters(a, b, [&](Attrs& x) { x.style = style; });
        if (Matches(*Story(), states.back())) continue;  // the range had that style already: no step
      }
    }
    states.push_back(reference);
  }
  ASSERT_TRUE(Matches(*Story(), reference));
  ASSERT_GT(reference.Length(), 20000) << "the story should span many text blocks";
  ASSERT_GT(Story()->CountCharacterRuns(), CharRunChunk::kMaxRuns) << "and more than one run block";
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_EQ(db_->Undo(), kSuccess);
    if (i % 10 == 1) {
      ASSERT_TRUE(Matches(*Story(), states[i - 1])) << "after undoing step " << i;
    }
  }
  ASSERT_FALSE(db_->CanUndo());
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_EQ(db_->Redo(), kSuccess);
    if (i % 10 == 0) {
      ASSERT_TRUE(Matches(*Story(), states[i])) << "after redoing step " << i;
    }
  }
  ASSERT_TRUE(Matches(*Story(), states.back()));
}

TEST_F(TextCommandsTest, RefusedCommandsChangeNothing) {
  Insert(0, u"some text");
  UID paragraphStyle = MakeStyle(StyleKind::kParagraph, u"Body");
  db_->ClearUndo();
  IDataBase* other = DocumentList::Get().NewDocument();
  UID otherStory;
  ASSERT_EQ(TextCmdUtils::NewStory(other, otherStory), kSuccess);
  UIDRef foreign(other, otherStory);
  UIDRef notAStory(db_, paragraphStyle);
  // Each runs alone: a failed command leaves the global error code set, which stops the commands after it.
  struct Row {
    const char* what;
    std::function<ErrorCode()> run;
  };
  const Row rows[] = {
      {"insert past the final return", [&] { return TextCmdUtils::InsertText(story_, 20, u"x"); }},
      {"delete the final return", [&] { return TextCmdUtils::DeleteText(story_, 5, 10); }},
      {"a paragraph style as character style",
       [&] { return TextCmdUtils::ApplyCharacterStyle(story_, 0, 2, paragraphStyle); }},
      {"a style that is no style",
       [&] { return TextCmdUtils::ApplyParagraphStyle(story_, 0, 2, story_.GetUID()); }},
      {"copy from another document", [&] { return TextCmdUtils::CopyText(foreign, 0, 1, story_, 0, 0); }},
      {"copy past the source's end", [&] { return TextCmdUtils::CopyText(story_, 0, 11, story_, 0, 0); }},
      {"an item that is no story", [&] { return TextCmdUtils::InsertText(notAStory, 0, u"x"); }},
      {"delete a style as a story", [&] { return TextCmdUtils::DeleteStory(notAStory); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_TRUE(Refused(row.run()));
  }
  EXPECT_TRUE(Matches(*Story(), reference));
  EXPECT_FALSE(db_->CanUndo()) << "failed commands leave no undo step";
  DocumentList::Get().CloseDocument(other);
}

TEST_F(TextCommandsTest, AnAbortedSequenceUndoesItsCommands) {
  Insert(0, u"kept");
  {
    CommandSequenceScope sequence("Import");
    ASSERT_EQ(TextCmdUtils::InsertText(story_, 4, u" and more\rtext"), kSuccess);
    ASSERT_EQ(TextCmdUtils::ApplyCharacterStyle(story_, 0, 6, MakeStyle(StyleKind::kCharacter, u"A")),
              kSuccess);
    sequence.Abort();
  }
  EXPECT_TRUE(Matches(*Story(), reference));
  EXPECT_FALSE(StyleUtils::FindStyle(db_, StyleKind::kCharacter, u"A").Found());
}

class Recorder final : public CPMUnknown<IObserver> {
 public:
  explicit Recorder(Boss* boss) : CPMUnknown(boss) {}
  void Update(ClassID change, ISubject*, PMIID protocol, void*) override {
    if (protocol == IID_ITEXTMODEL) changes.push_back(change);
  }
  std::vector<ClassID> changes;
};

TEST_F(TextCommandsTest, ObserversOfTheStoryHearEachChange) {
  constexpr ClassID kRecorderBoss = 0x205F0;
  constexpr ImplementationID kRecorderImpl = 0x205F0;
  Registry& r = Registry::Get();
  if (!r.IsClassRegistered(kRecorderBoss)) {
    (void)r.RegisterImplementation<Recorder>(kRecorderImpl);
    (void)r.RegisterClass(kRecorderBoss, kInvalidClass, "kRecorderBoss", {{IID_IOBSERVER, kRecorderImpl}});
  }
  InterfacePtr<IObserver> observer = CreateObject<IObserver>(kRecorderBoss);
  InterfacePtr<ISubject> subject = story_.Query<ISubject>();
  ASSERT_TRUE(subject);
  subject->AttachObserver(observer.get(), IID_ITEXTMODEL);
  ASSERT_EQ(TextCmdUtils::InsertText(story_, 0, u"x"), kSuccess);
  ASSERT_EQ(TextCmdUtils::DeleteText(story_, 0, 1), kSuccess);
  subject->DetachObserver(observer.get(), IID_ITEXTMODEL);
  EXPECT_EQ(static_cast<Recorder*>(observer.get())->changes,
            (std::vector<ClassID>{kInsertTextCmdBoss, kDeleteTextCmdBoss}));
}

TEST_F(TextCommandsTest, StoriesAreListedCreatedAndDeletedByCommand) {
  InterfacePtr<IStoryList> stories = Instantiate<IStoryList>(db_, db_->GetRootUID());
  ASSERT_TRUE(stories);
  EXPECT_TRUE(stories->ContainsStory(story_.GetUID()));
  Insert(0, u"text to lose");
  db_->ClearUndo();
  ASSERT_EQ(TextCmdUtils::DeleteStory(story_), kSuccess);
  EXPECT_FALSE(stories->ContainsStory(story_.GetUID()));
  EXPECT_FALSE(db_->IsValidUID(story_.GetUID()));
  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_TRUE(stories->ContainsStory(story_.GetUID()));
  EXPECT_TRUE(Matches(*Story(), reference));
}

class TextPersistenceTest : public TextCommandsTest {
 protected:
  // Saves the document to bytes and reads it back into `reopened_`.
  InterfacePtr<ITextModel> Reopen(std::vector<uint8_t>* bytes = nullptr) {
    std::vector<uint8_t> saved = DocumentFile::Serialize(*static_cast<DataBase*>(db_));
    if (bytes) *bytes = saved;
    DocumentFileResult r = DocumentFile::Deserialize(saved, reopened_);
    EXPECT_EQ(r.error, kSuccess) << r.message;
    return reopened_ ? Instantiate<ITextModel>(reopened_.get(), story_.GetUID()) : InterfacePtr<ITextModel>();
  }
  std::vector<UID> ObjectsOf(ClassID cls) const {
    std::vector<UID> found;
    for (UID uid : db_->GetAllUIDs()) {
      if (db_->GetClass(uid) == cls) found.push_back(uid);
    }
    return found;
  }
  std::unique_ptr<DataBase> reopened_;
};

TEST_F(TextPersistenceTest, AStoryReadsBackAsItWasSaved) {
  UID a = MakeStyle(StyleKind::kCharacter, u"A");
  for (int p = 0; p < 300; ++p)
    Insert(reference.Length() - 1, u"paragraph of some length with words\r");
  for (int32_t at = 0; at < reference.Length() - 40; at += 70) {
    ASSERT_EQ(TextCmdUtils::ApplyCharacterStyle(story_, at, at + 30, a), kSuccess);
    reference.ChangeCharacters(at, at + 30, [&](Attrs& x) { x.style = a; });
  }
  AttributeBossList tabs;
  auto stops = std::make_shared<TabStopList>();
  ASSERT_TRUE(stops->Add({72, TabAlignment::kRight, u'.', u"."}));
  ASSERT_EQ(tabs.ApplyValue(kTextAttrTabStops, ObjectRef(stops)), kSuccess);
  ASSERT_EQ(TextCmdUtils::ApplyOverrides(story_, TextStrand::kParagraph, 40, 41, tabs), kSuccess);
  reference.ChangeParagraphs(40, 41, [&](Attrs& x) { x.overrides = MakeAttrListRef(tabs); });
  InterfacePtr<ITextModel> reopened = Reopen();
  ASSERT_TRUE(reopened);
  EXPECT_TRUE(Matches(*reopened, reference));
}

// An attribute of a class no loaded plug-in describes is kept as it was read and written back unchanged.
TEST_F(TextPersistenceTest, AttributesOfUnknownClassesSurviveSaving) {
  Insert(0, u"marked text");
  AttributeBossList marked;
  InterfacePtr<ITextAttribute> unknown = TextAttribute::CreateOpaque(0xABCDE, {1, 2, 3, 4, 5});
  ASSERT_EQ(marked.ApplyAttribute(unknown.get()), kSuccess);
  ASSERT_EQ(TextCmdUtils::ApplyOverrides(story_, TextStrand::kCharacter, 0, 6, marked), kSuccess);
  std::vector<uint8_t> first;
  InterfacePtr<ITextModel> reopened = Reopen(&first);
  ASSERT_TRUE(reopened);
  const ITextAttribute* kept = reopened->GetRunAt(TextStrand::kCharacter, 2).overrides->GetByClass(0xABCDE);
  ASSERT_NE(kept, nullptr);
  EXPECT_TRUE(kept->Equals(*unknown));
  std::vector<uint8_t> second = DocumentFile::Serialize(*reopened_);
  EXPECT_EQ(first, second);
}

// A document whose story lost storage blocks (a damaged or hand-edited file) opens with a sound story:
// what the blocks held is gone, the rest keeps its attributes, and the story ends in its return again.
TEST_F(TextPersistenceTest, ADamagedStoryIsMadeSoundWhenRead) {
  for (int p = 0; p < 200; ++p)
    Insert(reference.Length() - 1, u"forty-nine characters of text in one paragraph.\r");
  std::vector<UID> styles;
  for (char16_t c = u'0'; c < u'7'; ++c)
    styles.push_back(MakeStyle(StyleKind::kCharacter, WideString(u"S") + c));
  for (int32_t at = 0; at + 25 < reference.Length(); at += 50)
    ASSERT_EQ(
        TextCmdUtils::ApplyCharacterStyle(story_, at, at + 25, styles[static_cast<size_t>(at / 50 % 7)]),
        kSuccess);
  std::vector<UID> textBlocks = ObjectsOf(kTextChunkBoss);
  std::vector<UID> runBlocks = ObjectsOf(kCharRunChunkBoss);
  ASSERT_GT(textBlocks.size(), 1u);
  ASSERT_GT(runBlocks.size(), 1u);
  int32_t length = Story()->TotalLength();
  // The story's last text block (with the final return) and its last run block go missing.
  db_->ClearUndo();
  ASSERT_EQ(db_->DeleteObject(textBlocks.back()), kSuccess);
  ASSERT_EQ(db_->DeleteObject(runBlocks.back()), kSuccess);
  InterfacePtr<ITextModel> reopened = Reopen();
  ASSERT_TRUE(reopened);
  EXPECT_EQ(reopened->Check(), "");
  EXPECT_LT(reopened->TotalLength(), length);
  EXPECT_EQ(reopened->GetChar(reopened->TotalLength() - 1), kParagraphReturn);
  EXPECT_EQ(reopened->GetText(0, 10), u"forty-nine");
}

}  // namespace
}  // namespace text_test
