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

  void GetRange(int32_t& start, int32_t& end) override;
  void SetRange(int32_t start, int32_t end, bool select) override;
  bool InsertText(const char16_t* text, int32_t count) override;
  void Finish(int32_t level) override;
  void NoteTextChange(int32_t position, int32_t delta) override;
  bool ApplyAttributeToRange(int32_t start, int32_t length, const ITextAttribute* attribute) override;

  // Inserts the pending text (one host insert) and, unless `textOnly`, commits the pending span's
  // attributes; with `reset` the span is done with and the runs are emptied. Nothing happens when nothing is
  // pending.
  void Flush(bool textOnly, bool reset);

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
  void RemovePlaceholder();

  std::u16string pendingText_;
  // Characters of the pending span already in the host (a flush without reset inserts them).
  int32_t inserted_ = 0;
  PendingRuns pending_;
  // Set while the story changes the host itself, so that NoteTextChange does not treat its own insert as
  // someone else's.
  bool ownChange_ = false;
};

}  // namespace kesto
