// VyStreamingStory: a story that buffers text and its character runs until a paragraph ends, then inserts
// the whole paragraph with one host insert and commits its attributes with as few host commands as the
// attribute changes need. Imports use it.
#pragma once

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
  // Buffers `text`; everything up to its last paragraph return is inserted and committed at once, the
  // rest stays pending. False when the host refused the insertion or replacing the range.
  bool InsertText(const char16_t* text, int32_t count) override;
  void Finish(int32_t level) override;
  void NoteTextChange(int32_t position, int32_t delta) override;
  // The part of the range that is pending goes into the pending runs; the part before them to the host.
  bool ApplyAttributeToRange(int32_t start, int32_t length, const ITextAttribute* attribute) override;

  // Inserts the pending text (one host insert) and, unless `textOnly`, commits the pending span's
  // attributes; with `reset` the span is done with and the runs are emptied. Nothing happens when nothing
  // is pending. False when the host refused the text (it is dropped, with its runs).
  bool Flush(bool textOnly, bool reset);

  const PendingRuns& GetPendingRuns() const { return pending_; }
  const std::u16string& GetPendingText() const { return pendingText_; }

 protected:
  // Set for a story opened through a frame: imported text then goes in front of a placeholder return, so
  // that its paragraph attributes never touch the text after the insertion point.
  bool needsPlaceholder_ = false;
  bool placeholderInserted_ = false;

 private:
  void Append(std::u16string_view text);
  void CommitPending();
  bool CanInsertStyled() const;
  StyledText PendingStyledText(int32_t hostPosition);
  bool InsertStyled(bool reset);
  void InsertPlaceholder();
  void RemovePlaceholder();

  std::u16string pendingText_;
  // Characters of the pending span already in the host (a flush without reset inserts them).
  int32_t inserted_ = 0;
  PendingRuns pending_;
  // The pending span's attributes are on the host and nothing changed them since.
  bool committed_ = false;
};

}  // namespace kesto
