// Buffered insertion, a paragraph at a time.
#include "kesto/model/VyStreamingStory.h"

#include "host/cmd/ErrorUtils.h"
#include "host/text/IStyleTable.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"

namespace kesto {

VyStreamingStory::VyStreamingStory(IDataBase* document, UID uid, int32_t start, int32_t end)
    : VyStory(document, uid, start, end) {
  pending_.SetStart(start_);
}

VyStreamingStory::~VyStreamingStory() {
  Flush(false, true);
  RemovePlaceholder();
}

void VyStreamingStory::GetRange(int32_t& start, int32_t& end) {
  Finish(20);
  VyStory::GetRange(start, end);
}

void VyStreamingStory::SetRange(int32_t start, int32_t end, bool select) {
  if (!pendingText_.empty()) Flush(false, true);
  VyStory::SetRange(start, end, select);
  if (pending_.IsEmpty()) pending_.SetStart(start_);
}

void VyStreamingStory::Append(std::u16string_view text) {
  if (text.empty()) return;
  if (pending_.IsEmpty()) pending_.SetStart(start_);
  pendingText_.append(text);
  const AttributeBossList* overrides = characters_.GetOverrides();
  pending_.Record(pending_.GetLength(), static_cast<int32_t>(text.size()), characters_.GetStyle(),
                  overrides ? *overrides : AttributeBossList());
}

bool VyStreamingStory::InsertText(const char16_t* text, int32_t count) {
  if (!IsValid() || count <= 0) return IsValid();
  if (needsPlaceholder_ && !placeholderInserted_) {
    ownChange_ = true;
    bool inserted = HostInsert(start_, u"\r");
    ownChange_ = false;
    if (inserted) {
      InterfacePtr<IStyleTable> table = StyleUtils::QueryStyleTable(VyBaseStory::GetDocument(), StyleKind::kParagraph);
      if (table) (void)TextCmdUtils::ApplyParagraphStyle(GetStoryRef(), HostIndex(start_), HostIndex(start_ + 1),
                                                         table->GetRootStyle(), true);
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
      placeholderInserted_ = true;
    }
  }
  if (start_ < end_) {
    Flush(false, true);
    if (!DeleteText(start_, end_)) return false;
    pending_.SetStart(start_);
  }
  std::u16string_view all(text, static_cast<size_t>(count));
  size_t cut = all.find_last_of(u'\r');
  if (cut != std::u16string_view::npos) {
    Append(all.substr(0, cut + 1));
    Flush(false, true);
    all.remove_prefix(cut + 1);
  }
  Append(all);
  return true;
}

void VyStreamingStory::Flush(bool textOnly, bool reset) {
  if (pending_.IsEmpty() && pendingText_.empty()) return;
  if (!pendingText_.empty()) {
    int32_t at = pending_.GetStart() + inserted_;
    ownChange_ = true;
    if (HostInsert(at, pendingText_)) {
      VyStory::NoteTextChange(at, static_cast<int32_t>(pendingText_.size()));
      inserted_ += static_cast<int32_t>(pendingText_.size());
    }
    ownChange_ = false;
    pendingText_.clear();
  }
  if (!textOnly) CommitPending();
  if (reset) {
    pending_.Reset();
    inserted_ = 0;
  }
}

// The paragraph side over the whole span, then the character styles and overrides run by run.
void VyStreamingStory::CommitPending() {
  int32_t start = pending_.GetStart();
  int32_t end = start + std::min(inserted_, pending_.GetLength());
  if (end <= start) return;
  ParagraphScopeSnapshot snapshot = Paragraph().TakeParagraphScope();
  (void)ApplyAgent(paragraphs_, TextStrand::kParagraph, start, end);
  int32_t position = start;
  for (const auto& run : pending_.StyleRuns()) {
    K2AttributeSet styleOnly(run.style, {});
    int32_t runEnd = std::min(position + run.length, end);
    if (position < runEnd && run.style.IsValid()) {
      bool differs = false;
      GetModel()->VisitRuns(TextStrand::kCharacter, HostIndex(position), HostIndex(runEnd), [&](const TextRun& r) {
        differs = r.style != run.style || r.end < HostIndex(runEnd);
        return !differs;
      });
      if (differs) {
        if (TextCmdUtils::ApplyCharacterStyle(GetStoryRef(), HostIndex(position), HostIndex(runEnd), run.style) !=
            kSuccess) {
          ErrorUtils::PMSetGlobalErrorCode(kSuccess);
        }
      }
    }
    position += run.length;
  }
  position = start;
  for (const auto& run : pending_.OverrideRuns()) {
    int32_t runEnd = std::min(position + run.length, end);
    if (position < runEnd) (void)ApplyOverridesMinimal(TextStrand::kCharacter, position, runEnd, *run.overrides);
    position += run.length;
  }
  (void)WriteParagraphScope(snapshot, start, end);
  Paragraph().RestoreParagraphScope(snapshot);
}

void VyStreamingStory::RemovePlaceholder() {
  if (!placeholderInserted_) return;
  ownChange_ = true;
  if (TextCmdUtils::DeleteText(GetStoryRef(), HostIndex(start_), HostIndex(start_ + 1)) == kSuccess) {
    placeholderInserted_ = false;
  } else {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  ownChange_ = false;
}

void VyStreamingStory::Finish(int32_t level) {
  Flush(level > 10, false);
  if (level < 20) RemovePlaceholder();
  VyStory::Finish(level);
}

void VyStreamingStory::NoteTextChange(int32_t position, int32_t delta) {
  VyStory::NoteTextChange(position, delta);
  if (ownChange_ || delta == 0) return;
  int32_t start = pending_.GetStart();
  int32_t insertedEnd = start + inserted_;
  if (delta > 0) {
    if (position < start || (position == start && inserted_ == 0)) {
      pending_.SetStart(start + delta);
    } else if (position <= insertedEnd) {
      // Someone inserted inside the span already in the host: its runs come from the host.
      TextRun run = GetModel()->GetRunAt(TextStrand::kCharacter, HostIndex(position));
      pending_.Record(position - start, delta, run.style, *run.overrides);
      inserted_ += delta;
    }
    return;
  }
  int32_t gone = -delta;
  int32_t cutFrom = std::max(position, start), cutTo = std::min(position + gone, insertedEnd);
  if (cutTo > cutFrom) {
    pending_.Cut(cutFrom - start, cutTo - cutFrom);
    inserted_ -= cutTo - cutFrom;
  }
  if (position < start) pending_.SetStart(start - std::min(gone, start - position));
}

bool VyStreamingStory::ApplyAttributeToRange(int32_t start, int32_t length, const ITextAttribute* attribute) {
  if (!attribute || length <= 0) return false;
  int32_t pendingStart = pending_.GetStart();
  int32_t pendingEnd = pendingStart + pending_.GetLength();
  int32_t from = std::max(start, pendingStart), to = std::min(start + length, pendingEnd);
  bool applied = false;
  if (from < to) {
    pending_.ApplyAttribute(from - pendingStart, to - from, attribute);
    applied = true;
  }
  // What lies before the pending span is already in the host.
  int32_t before = std::min(start + length, pendingStart) - start;
  if (before > 0) applied |= VyStory::ApplyAttributeToRange(start, before, attribute);
  return applied;
}

}  // namespace kesto
