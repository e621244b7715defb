// TextStory: the host's ITextModel, on the story object (kTextStoryBoss). Its own persistent fields are
// only the lists of its storage blocks; the text, paragraph records and character runs live in the blocks,
// so that saving writes them in pieces. An edit is accepted only inside an undo step, and records for undo
// what it did (TextUndoRecords) rather than snapshots of the blocks it touched; the blocks themselves change
// untracked. The indexes over the blocks are rebuilt when the story is read from a file.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/text/CharacterStrand.h"
#include "host/text/ITextModel.h"
#include "host/text/StoryStorage.h"
#include "host/text/StoryText.h"

class TextStory final : public CPMUnknown<ITextModel>, private StoryStorage {
 public:
  explicit TextStory(Boss* boss) : CPMUnknown(boss), text_(*this), chars_(*this) {}

  int32_t TotalLength() const override;
  std::u16string GetText(int32_t start, int32_t end) const override;
  int32_t CopyText(int32_t start, char16_t* buffer, int32_t capacity) const override;
  char16_t GetChar(int32_t position) const override;
  int32_t CountParagraphs() const override;
  int32_t ParagraphIndexAt(int32_t position) const override;
  TextRun GetParagraphRun(int32_t index) const override;
  int32_t CountCharacterRuns() const override;
  int32_t CharacterRunIndexAt(int32_t position) const override;
  TextRun GetCharacterRun(int32_t index) const override;
  TextRun GetRunAt(TextStrand strand, int32_t position) const override;
  void VisitRuns(TextStrand strand, int32_t start, int32_t end,
                 const std::function<bool(const TextRun&)>& visit) const override;
  StyledText GetStyledText(int32_t start, int32_t end) const override;
  std::string Check() const override;

  ErrorCode Initialize(UID paragraphStyle, UID characterStyle) override;
  ErrorCode Insert(int32_t position, std::u16string_view text) override;
  ErrorCode InsertStyled(int32_t position, StyledText styled) override;
  ErrorCode Delete(int32_t start, int32_t end) override;
  ErrorCode ApplyStyle(TextStrand strand, int32_t start, int32_t end, UID style,
                       bool clearOverrides) override;
  ErrorCode ApplyOverrides(TextStrand strand, int32_t start, int32_t end,
                           const AttributeBossList& overrides) override;
  ErrorCode ClearOverrides(TextStrand strand, int32_t start, int32_t end,
                           std::span<const ClassID> classes) override;

  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

  // Rebuilds the indexes over the blocks and makes a story read from a damaged file sound again (a final
  // return, a character strand as long as the text).
  void DidRestore() override;

  // Deletes the story at `story` of `db` with its storage blocks (for DeleteStoryCmd);
  // kInvalidParameterError when there is no story there.
  static ErrorCode DeleteStory(IDataBase* db, UID story);
  // The story at `story` of `db`, or nullptr.
  static TextStory* Find(IDataBase& db, UID story);

  // The raw edits that undo records play back: no checks, nothing recorded. Ranges lie inside the story.
  StyledText TakeContent(int32_t start, int32_t end);
  void PutContent(int32_t position, StyledText content);
  // Exchanges the records of the paragraphs from `first` on with `records`.
  void SwapParagraphs(int32_t first, std::vector<RunAttributes>& records);
  // Exchanges the character runs from `start` on with `runs`.
  void SwapRuns(int32_t start, std::vector<CharRun>& runs);
  void PutInitialReturn(UID paragraphStyle, UID characterStyle);
  // Removes all text and blocks: the story is as never set up.
  void Clear();

 private:
  IDataBase* GetStorageDataBase() const override;
  UID GetStoryUID() const override { return GetBoss()->GetUID(); }
  // Story edits run in an UntrackedChanges scope (their undo is a record), where no change is refused.
  void NoteBlockListChange() override { (void)PreDirty(); }

  // Rebuilds the indexes when stale (a story just created).
  void EnsureIndex() const;
  void Repair();
  // kSuccess when the story may be edited now: it is in a database and a command's undo step is open.
  ErrorCode CheckEdit() const;
  // CheckEdit, and [start, end) lies in a story that has been set up.
  ErrorCode CheckAttributeRange(int32_t start, int32_t end) const;
  void Keep(std::unique_ptr<UndoRecord> record);
  // Applies `change` to the records of the paragraphs that [start, end) touches.
  void ChangeParagraphs(int32_t start, int32_t end, const std::function<void(RunAttributes&)>& change);
  void ChangeCharacters(int32_t start, int32_t end, const std::function<void(RunAttributes&)>& change);

  mutable StoryText text_;
  mutable CharacterStrand chars_;
  mutable bool indexValid_ = false;
};
