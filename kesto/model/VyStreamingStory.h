// VyStreamingStory: a story that buffers text with its character runs and, for each paragraph return, the
// paragraph attributes in force when the return came, and inserts what it holds with one host command when
// it is flushed (or holds kBatchUnits). Imports use it: their cost then grows with the text, not with the
// number of paragraphs or attribute changes.
#pragma once

#include <exception>
#include <string>

#include "kesto/model/PendingRuns.h"
#include "kesto/model/VyStory.h"

namespace kesto {

class VyStreamingStory : public VyStory {
 public:
  VyStreamingStory(IDataBase* document, UID uid, int32_t start, int32_t end);
  // Inserts and commits what is still pending, and removes the placeholder return.
  ~VyStreamingStory() override;

  // The range with the pending text inserted (its attributes follow with the paragraph's end).
  void GetRange(int32_t& start, int32_t& end) override;
  // Inserts and commits what is pending first, so that it stays where it was meant to go.
  void SetRange(int32_t start, int32_t end, bool select) override;
  // Buffers `text`; its paragraph returns take the paragraph attributes in force now. False when the host
  // refused the insertion or replacing the range.
  bool InsertText(const char16_t* text, int32_t count) override;
  void Finish(int32_t level) override;
  // Inserts what is pending into the story it was meant for and takes the placeholder out first.
  void SwitchToStory(UID uid, int32_t start, int32_t end) override;
  void NoteTextChange(int32_t position, int32_t delta) override;
  // The part of the range that is pending goes into the pending runs; the part before them to the host.
  bool ApplyAttributeToRange(int32_t start, int32_t length, const ITextAttribute* attribute) override;

  // Inserts the pending text (one host insert) and, unless `textOnly`, commits the pending span's
  // attributes; with `reset` the span is done with and the runs are emptied. Nothing happens when nothing
  // is pending. False when the host refused the text (it is dropped, with its runs).
  bool Flush(bool textOnly, bool reset);

  // Whether an exception (running out of memory) is unwinding the code that made this story: the story is
  // then given up, not finished, since finishing would need what has just run out.
  bool IsGivenUp() const { return std::uncaught_exceptions() > uncaughtAtStart_; }

  // Pending text, and pending paragraphs, past which a flush happens by itself, to bound the buffers: a
  // paragraph goes to the host with a record of its own, many times the size of a short paragraph's text,
  // so rows of short paragraphs go in smaller batches, whose memory the next batch then uses again.
  static constexpr size_t kBatchUnits = size_t{1} << 16;
  static constexpr int32_t kBatchParagraphs = 4096;

  const PendingRuns& GetPendingRuns() const { return pending_; }
  const std::u16string& GetPendingText() const { return pendingText_; }

 protected:
  // Set for a story opened through a frame: imported text then goes in front of a placeholder return, so
  // that its paragraph attributes never touch the text after the insertion point.
  bool needsPlaceholder_ = false;
  bool placeholderInserted_ = false;

 private:
  // The paragraph attributes of pending returns in a row that took the same, when they were appended.
  struct PendingParagraph {
    UID style;  // invalid: the host's (the record an insert copies)
    AttrListRef overrides;
    ParagraphScopeSnapshot scope;  // leading and language, written over the paragraph's characters
    int32_t count = 1;             // returns that took these
  };
  // Paragraph attributes that character override runs carry (the host sends them on to the paragraphs
  // the run touches): [start, end) in the pending text, with the attributes.
  struct ParagraphPart {
    int32_t start, end;
    AttrListRef attributes;
  };

  void Append(std::u16string_view text);
  void TakeReturns(std::u16string_view text);
  // The paragraph attributes in force, as a return takes them.
  PendingParagraph TakenParagraph();
  void CommitPending();
  bool CanInsertStyled() const;
  StyledText PendingStyledText(int32_t hostPosition, std::vector<ParagraphPart>& parts);
  void AddParagraphRecords(StyledText& styled, UID copied, const std::vector<ParagraphPart>& parts);
  void AddTakenRecords(StyledText& styled, UID copied, size_t returns);
  bool InsertStyled(bool textOnly, bool reset);
  void WriteScopes(int32_t start, const std::u16string_view text, const ParagraphScopeSnapshot& current);
  void ApplyTailParts(int32_t start, int32_t tailOffset, int32_t length,
                      const std::vector<ParagraphPart>& parts);
  void InsertPlaceholder();
  void RemovePlaceholder();

  std::u16string pendingText_;
  std::vector<PendingParagraph> pendingParagraphs_;
  int32_t pendingReturns_ = 0;  // the paragraphs of pendingParagraphs_, counted
  // The paragraph agent's change count when the last pending paragraph was taken: returns that come while
  // it stays take the same attributes.
  uint64_t takenAtChange_ = 0;
  RecentLists takenLists_;   // lists returns took lately
  RecentLists mergedLists_;  // records that runs added paragraph attributes to lately
  // Characters of the pending span already in the host (a flush without reset inserts them).
  int32_t inserted_ = 0;
  PendingRuns pending_;
  // The pending span's attributes are on the host and nothing changed them since.
  bool committed_ = false;
  int uncaughtAtStart_ = std::uncaught_exceptions();
};

}  // namespace kesto
