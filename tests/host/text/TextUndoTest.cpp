// Undo of text edits: undo and redo restore text and runs exactly, a failing command leaves the story as it
// was, edits outside a command are refused, and observers hear what changed and what undo restored.
#include <random>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/Command.h"
#include "host/cmd/UndoRedoChange.h"
#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "host/notify/IObserver.h"
#include "host/notify/ISubject.h"
#include "host/text/TextChange.h"
#include "host/text/TextIDs.h"
#include "tests/host/text/TextFixture.h"
#include "tests/support/SameStyledText.h"

namespace text_test {
namespace {

// Logs each message it hears with the data it carried.
class Listener final : public CPMUnknown<IObserver> {
 public:
  explicit Listener(Boss* boss) : CPMUnknown(boss) {}
  void Update(ClassID change, ISubject*, PMIID protocol, void* changedBy) override {
    messages.push_back(change);
    if (change == kBeforeUndoRedoMessageBoss || change == kAfterUndoRedoMessageBoss)
      undoObjects = static_cast<UndoRedoChange*>(changedBy)->objects;
    if (protocol == IID_ITEXTMODEL && change != kBeforeDoMessageBoss && change != kAfterDoMessageBoss)
      textChanges.push_back(*static_cast<TextChange*>(changedBy));
    if (change == kAfterDoMessageBoss && protocol == IID_ICOMMANDMGR)
      afterStates.push_back(static_cast<ICommand*>(changedBy)->GetCommandState());
    if (onUpdate) onUpdate(change);
  }
  std::vector<ClassID> messages;
  std::vector<UID> undoObjects;
  std::vector<TextChange> textChanges;
  std::vector<ICommand::State> afterStates;
  std::function<void(ClassID)> onUpdate;
};

// Inserts its text, then applies a size override, then fails: the processor must take both back.
class InsertThenFailCmd final : public Command {
 public:
  explicit InsertThenFailCmd(Boss* boss) : Command(boss) {}
  void Do() override {
    InterfacePtr<ITextModel> story = Instantiate<ITextModel>(GetItemList().GetDataBase(), GetItemList()[0]);
    (void)story->Insert(0, u"half done\r");
    (void)story->ApplyOverrides(TextStrand::kCharacter, 0, 4, List({{kTextAttrPointSize, 30.0}}));
    ErrorUtils::PMSetGlobalErrorCode(kFailure);
  }
};

constexpr ClassID kListenerBoss = 0x205E0;
constexpr ClassID kInsertThenFailCmdBoss = 0x205E1;

void RegisterOnce() {
  Registry& r = Registry::Get();
  if (r.IsClassRegistered(kListenerBoss)) return;
  (void)r.RegisterImplementation<Listener>(ImplementationID(0x205E0));
  (void)r.RegisterClass(kListenerBoss, kInvalidClass, "kListenerBoss",
                        {{IID_IOBSERVER, ImplementationID(0x205E0)}});
  (void)r.RegisterImplementation<InsertThenFailCmd>(ImplementationID(0x205E1));
  (void)r.RegisterClass(kInsertThenFailCmdBoss, kInvalidClass, "kInsertThenFailCmdBoss",
                        {{IID_ICOMMAND, ImplementationID(0x205E1)}});
}

class TextUndoTest : public TextFixture {
 protected:
  void SetUp() override {
    TextFixture::SetUp();
    RegisterOnce();
    listenerFace_ = CreateObject<IObserver>(kListenerBoss);
    listener_ = static_cast<Listener*>(listenerFace_.get());
    subject_ = Instantiate<ISubject>(db_, db_->GetRootUID());
    for (PMIID protocol : {IID_ITEXTMODEL, IID_ICOMMANDMGR})
      subject_->AttachObserver(listenerFace_.get(), protocol);
  }
  void TearDown() override {
    for (PMIID protocol : {IID_ITEXTMODEL, IID_ICOMMANDMGR})
      subject_->DetachObserver(listenerFace_.get(), protocol);
    TextFixture::TearDown();
  }
  StyledText Whole() const { return Story()->GetStyledText(0, Story()->TotalLength()); }

  // One random edit through a command; false when the command was refused (the error is reset).
  bool RandomEdit(std::mt19937& random, const std::vector<UID>& paragraphStyles,
                  const std::vector<UID>& charStyles) {
    int32_t length = Story()->TotalLength();
    auto pick = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
    int32_t a = pick(length), b = std::min(length - 1, a + pick(12));
    ErrorCode result = kSuccess;
    switch (pick(7)) {
      case 0:
      case 1:
        result = TextCmdUtils::InsertText(story_, a, pick(3) == 0 ? u"new\rpara" : u"words ");
        break;
      case 2:
        result = TextCmdUtils::DeleteText(story_, a, b);
        break;
      case 3:
        result = TextCmdUtils::ApplyParagraphStyle(story_, a, b, paragraphStyles[pick(2)]);
        break;
      case 4:
        result = TextCmdUtils::ApplyCharacterStyle(story_, a, b, charStyles[pick(2)]);
        break;
      case 5:
        result = TextCmdUtils::ApplyOverrides(story_, TextStrand::kCharacter, a, b,
                                              List({{kTextAttrPointSize, 8.0 + pick(3)}}));
        break;
      default:
        result = TextCmdUtils::CopyText(story_, a, b, story_, pick(length), pick(length) / 2);
        break;
    }
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    return result == kSuccess;
  }

  InterfacePtr<IObserver> listenerFace_;
  Listener* listener_ = nullptr;
  InterfacePtr<ISubject> subject_;
};

TEST_F(TextUndoTest, UndoAndRedoRestoreTextAndRunsExactly) {
  std::vector<UID> paragraphStyles{MakeStyle(StyleKind::kParagraph, u"P1"),
                                   MakeStyle(StyleKind::kParagraph, u"P2")};
  std::vector<UID> charStyles{MakeStyle(StyleKind::kCharacter, u"C1"),
                              MakeStyle(StyleKind::kCharacter, u"C2")};
  db_->ClearUndo();
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    std::vector<StyledText> states{Whole()};
    while (states.size() < 40) {
      // An edit that changes nothing makes no undo step.
      if (RandomEdit(random, paragraphStyles, charStyles) &&
          !testing_support::SameStyledText(Whole(), states.back()))
        states.push_back(Whole());
      ASSERT_EQ(Story()->Check(), "");
    }
    for (size_t i = states.size() - 1; i > 0; --i) {
      ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
      ASSERT_TRUE(testing_support::SameStyledText(Whole(), states[i - 1])) << "after undoing edit " << i;
      ASSERT_EQ(Story()->Check(), "");
    }
    for (size_t i = 1; i < states.size(); ++i) {
      ASSERT_EQ(CmdUtils::Redo(db_), kSuccess);
      ASSERT_TRUE(testing_support::SameStyledText(Whole(), states[i])) << "after redoing edit " << i;
    }
  }
}

TEST_F(TextUndoTest, AFailingCommandLeavesTheStoryAsItWas) {
  ASSERT_EQ(TextCmdUtils::InsertText(story_, 0, u"kept\r"), kSuccess);
  StyledText before = Whole();
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kInsertThenFailCmdBoss);
  cmd->SetItemList(UIDList(db_, {story_.GetUID()}));
  EXPECT_EQ(CmdUtils::ProcessCommand(cmd.get()), kFailure);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_TRUE(testing_support::SameStyledText(Whole(), before));
  EXPECT_EQ(Story()->Check(), "");
  EXPECT_EQ(db_->GetUndoName(), "Insert Text");
  // Exactly one after message, which tells that the command failed.
  EXPECT_EQ(listener_->afterStates.back(), ICommand::State::kFailed);
}

TEST_F(TextUndoTest, EditsOutsideACommandAreRefused) {
  StyledText before = Whole();
  EXPECT_EQ(Story()->Insert(0, u"raw"), kNotInCommandError);
  EXPECT_EQ(Story()->Delete(0, 0), kNotInCommandError);
  EXPECT_EQ(Story()->ApplyOverrides(TextStrand::kCharacter, 0, 1, List({{kTextAttrPointSize, 9.0}})),
            kNotInCommandError);
  EXPECT_TRUE(testing_support::SameStyledText(Whole(), before));
}

TEST_F(TextUndoTest, ObserversHearTheChangeAndWhatUndoRestored) {
  ASSERT_EQ(TextCmdUtils::InsertText(story_, 0, u"hello"), kSuccess);
  ASSERT_FALSE(listener_->textChanges.empty());
  const TextChange& change = listener_->textChanges.back();
  EXPECT_EQ(change.story, story_.GetUID());
  EXPECT_EQ(change.what, TextChange::What::kText);
  EXPECT_EQ(std::tuple(change.position, change.deleted, change.inserted), std::tuple(0, 0, 5));

  listener_->messages.clear();
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  ASSERT_EQ(CmdUtils::Redo(db_), kSuccess);
  EXPECT_EQ(listener_->messages,
            (std::vector<ClassID>{kBeforeUndoRedoMessageBoss, kAfterUndoRedoMessageBoss,
                                  kBeforeUndoRedoMessageBoss, kAfterUndoRedoMessageBoss}));
  EXPECT_EQ(listener_->undoObjects, std::vector<UID>{story_.GetUID()});
}

TEST_F(TextUndoTest, DeletingAStoryTellsTheDocumentWithAStoryChange) {
  ASSERT_EQ(TextCmdUtils::InsertText(story_, 0, u"hello"), kSuccess);
  int32_t length = Story()->TotalLength();
  ASSERT_EQ(TextCmdUtils::DeleteStory(story_), kSuccess);
  ASSERT_FALSE(listener_->textChanges.empty());
  const TextChange& change = listener_->textChanges.back();
  EXPECT_EQ(std::tuple(change.story, change.what, change.deleted, change.inserted),
            std::tuple(story_.GetUID(), TextChange::What::kStory, length, 0));
}

TEST_F(TextUndoTest, CommandsFromObserversNestInTheStepOfTheCommandObserved) {
  UID bold = MakeStyle(StyleKind::kCharacter, u"Bold");
  db_->ClearUndo();
  bool reacted = false;
  listener_->onUpdate = [&](ClassID change) {
    if (change != kInsertTextCmdBoss || reacted) return;
    reacted = true;
    EXPECT_EQ(TextCmdUtils::ApplyCharacterStyle(story_, 0, 3, bold), kSuccess);
  };
  listener_->afterStates.clear();
  ASSERT_EQ(TextCmdUtils::InsertText(story_, 0, u"abc"), kSuccess);
  listener_->onUpdate = nullptr;
  EXPECT_EQ(Story()->GetRunAt(TextStrand::kCharacter, 1).style, bold);
  // One after message per command, the nested one first.
  EXPECT_EQ(listener_->afterStates.size(), 2u);
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_EQ(Story()->GetText(0, Story()->TotalLength()), u"\r");
  EXPECT_FALSE(db_->CanUndo());
}

}  // namespace
}  // namespace text_test
