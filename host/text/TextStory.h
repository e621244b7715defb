// TextStory: the host's ITextModel, on the story object (kTextStoryBoss). Its own persistent fields are
// only the lists of its storage blocks; the text, paragraph records and character runs live in the blocks,
// so that a change snapshots for undo (and saving writes) the few blocks it touches, never the whole story.
// The indexes over the blocks are rebuilt whenever a block or the lists are read back (undo, redo, a failed
// command's rollback, opening a document).
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
  ErrorCode InsertStyled(int32_t position, const StyledText& styled) override;
  ErrorCode Delete(int32_t start, int32_t end) override;
  ErrorCode ApplyStyle(TextStrand strand, int32_t start, int32_t end, UID style,
                       bool clearOverrides) override;
  ErrorCode ApplyOverrides(TextStrand strand, int32_t start, int32_t end,
                           const AttributeBossList& overrides) override;
  ErrorCode ClearOverrides(TextStrand strand, int32_t start, int32_t end,
                           std::span<const ClassID> classes) override;

  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

  // Deletes the story at `story` of `db` with its storage blocks (for DeleteStoryCmd);
  // kInvalidParameterError when there is no story there.
  static ErrorCode DeleteStory(IDataBase* db, UID story);
  // A storage block of `story` was read back: the story's indexes are stale.
  static void NoteBlockRestored(const IPMUnknown* block, UID story);
  void InvalidateIndex() { indexValid_ = false; }

 private:
  IDataBase* GetStorageDataBase() const override;
  UID GetStoryUID() const override { return GetBoss()->GetUID(); }
  void NoteBlockListChange() override { PreDirty(); }

  // Rebuilds the indexes when stale, and makes a damaged story sound again (a final return, a character
  // strand as long as the text).
  void EnsureIndex() const;
  void Repair();
  bool CanChange() const;
  // Applies `change` to the records of the paragraphs that [start, end) touches.
  void ChangeParagraphs(int32_t start, int32_t end, const std::function<void(RunAttributes&)>& change);
  void ChangeCharacters(int32_t start, int32_t end, const std::function<void(RunAttributes&)>& change);

  mutable StoryText text_;
  mutable CharacterStrand chars_;
  mutable bool indexValid_ = false;
  mutable bool repairing_ = false;
};
