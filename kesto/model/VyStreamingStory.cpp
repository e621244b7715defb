// Buffered insertion, a paragraph at a time.
#include "kesto/model/VyStreamingStory.h"

#include <algorithm>

#include "host/cmd/ErrorUtils.h"
#include "host/text/AttributeClasses.h"
#include "host/text/IStyleTable.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"

namespace kesto {
namespace {

// A refused host command must not leave the global error set: the import goes on without that step.
bool Succeeded(ErrorCode result) {
  if (result == kSuccess) return true;
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return false;
}

}  // namespace

VyStreamingStory::VyStreamingStory(IDataBase* document, UID uid, int32_t start, int32_t end)
    : VyStory(document, uid, start, end) {
  pending_.SetStart(start_);
}

VyStreamingStory::~VyStreamingStory() {
  (void)Flush(false, true);
  RemovePlaceholder();
}

void VyStreamingStory::GetRange(int32_t& start, int32_t& end) {
  Finish(20);
  VyStory::GetRange(start, end);
}

void VyStreamingStory::SetRange(int32_t start, int32_t end, bool select) {
  (void)Flush(false, true);
  VyStory::SetRange(start, end, select);
  pending_.SetStart(start_);
}

void VyStreamingStory::Append(std::u16string_view text) {
  if (text.empty()) return;
  // The pending span always ends at the caret: text not yet in the host goes where the caret is.
  if (pending_.IsEmpty()) pending_.SetStart(start_);
  pendingText_.append(text);
  const AttributeBossList* overrides = characters_.GetOverrides();
  pending_.Record(pending_.GetLength(), static_cast<int32_t>(text.size()), characters_.GetStyle(),
                  overrides ? *overrides : AttributeBossList());
  committed_ = false;
}

void VyStreamingStory::InsertPlaceholder() {
  if (!needsPlaceholder_ || placeholderInserted_) return;
  // The range stays in front of the return, so that all imported text lands before it.
  if (!HostInsert(start_, u"\r")) return;
  UID root = StyleUtils::GetRootStyle(GetDocument(), StyleKind::kParagraph);
  if (TextCmdUtils::ApplyParagraphStyle(GetStoryRef(), HostIndex(start_), HostIndex(start_ + 1), root,
                                        true) != kSuccess) {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  placeholderInserted_ = true;
}

bool VyStreamingStory::InsertText(const char16_t* text, int32_t count) {
  if (!IsValid() || !text || count <= 0) return IsValid();
  if (start_ < end_) {
    // The selection goes before the placeholder is put at its start; the new text keeps the managers'
    // attributes.
    if (!Flush(false, true)) return false;
    if (!DeleteRange(start_, end_, false)) return false;
    pending_.SetStart(start_);
  }
  InsertPlaceholder();
  std::u16string_view all(text, static_cast<size_t>(count));
  size_t cut = all.find_last_of(kParagraphReturn);
  if (cut != std::u16string_view::npos) {
    Append(all.substr(0, cut + 1));
    if (!Flush(false, true)) return false;
    all.remove_prefix(cut + 1);
  }
  Append(all);
  return true;
}

bool VyStreamingStory::Flush(bool textOnly, bool reset) {
  if (pending_.IsEmpty() && pendingText_.empty()) return true;
  if (!textOnly && !committed_ && inserted_ == 0 && CanInsertStyled()) return InsertStyled(reset);
  bool ok = true;
  if (!pendingText_.empty()) {
    int32_t at = pending_.GetStart() + inserted_;
    int32_t length = static_cast<int32_t>(pendingText_.size());
    if (HostInsert(at, pendingText_)) {
      VyStory::NoteTextChange(at, length);
      inserted_ += length;
    } else {
      // The refused text is gone; its runs must go too, or later runs would land on the wrong characters.
      pending_.Cut(inserted_, length);
      ok = false;
    }
    pendingText_.clear();
  }
  if (!textOnly && !committed_) CommitPending();
  if (reset) {
    pending_.Reset();
    inserted_ = 0;
    committed_ = false;
  }
  return ok;
}

// The paragraph side over the whole span, then the character styles and overrides run by run, then
// leading and language over whole paragraphs.
void VyStreamingStory::CommitPending() {
  int32_t start = pending_.GetStart();
  int32_t end = start + std::min(inserted_, pending_.GetLength());
  committed_ = true;
  if (end <= start) return;
  ParagraphScopeSnapshot snapshot = Paragraph().TakeParagraphScope();
  (void)ApplyAgent(paragraphs_, TextStrand::kParagraph, start, end);
  int32_t position = start;
  for (const auto& run : pending_.StyleRuns()) {
    int32_t runEnd = std::min(position + run.length, end);
    if (position < runEnd && run.style.IsValid() &&
        StyleDiffers(TextStrand::kCharacter, position, runEnd, run.style) &&
        TextCmdUtils::ApplyCharacterStyle(GetStoryRef(), HostIndex(position), HostIndex(runEnd), run.style) !=
            kSuccess) {
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    }
    position += run.length;
  }
  position = start;
  for (const auto& run : pending_.OverrideRuns()) {
    int32_t runEnd = std::min(position + run.length, end);
    if (position < runEnd)
      (void)ApplyOverridesMinimal(TextStrand::kCharacter, position, runEnd, *run.overrides);
    position += run.length;
  }
  (void)WriteParagraphScope(snapshot, start, end);
  Paragraph().RestoreParagraphScope(snapshot);
}

// The pending span can go in with its attributes in one host command when none of its override lists holds
// a paragraph attribute (the host would send those on to whole paragraphs).
bool VyStreamingStory::CanInsertStyled() const {
  if (pendingText_.empty() || pending_.GetLength() != static_cast<int32_t>(pendingText_.size())) return false;
  const AttributeBossList* checked = nullptr;
  for (const auto& run : pending_.OverrideRuns()) {
    if (run.overrides.get() == checked) continue;
    checked = run.overrides.get();
    for (int32_t i = 0; i < checked->CountBosses(); ++i) {
      if (AttributeClasses::IsParagraphAttribute(checked->GetClassN(i))) return false;
    }
  }
  return true;
}

// The pending text with the runs it would end up with after an insert and a commit: the style of each
// style run (the one the host would extend where the run has none) and exactly the overrides of each
// override run; each paragraph return the paragraph agent's style (or the record the host would copy) and
// overrides.
StyledText VyStreamingStory::PendingStyledText(int32_t hostPosition) {
  ITextModel* model = GetModel().get();
  bool paragraphStart = hostPosition == 0 || model->GetChar(hostPosition - 1) == kParagraphReturn;
  UID extended =
      model->GetRunAt(TextStrand::kCharacter, paragraphStart ? hostPosition : hostPosition - 1).style;
  StyledText styled;
  styled.text = std::move(pendingText_);
  pendingText_.clear();
  const auto& styles = pending_.StyleRuns();
  const auto& overrides = pending_.OverrideRuns();
  size_t s = 0, o = 0;
  int32_t styleLeft = styles.empty() ? 0 : styles[0].length;
  int32_t overrideLeft = overrides.empty() ? 0 : overrides[0].length;
  while (s < styles.size() && o < overrides.size()) {
    int32_t length = std::min(styleLeft, overrideLeft);
    UID style = styles[s].style.IsValid() ? styles[s].style : extended;
    if (!styled.runs.empty() && styled.runs.back().attributes.style == style &&
        styled.runs.back().attributes.overrides == overrides[o].overrides) {
      styled.runs.back().length += length;
    } else {
      styled.runs.push_back({length, {style, overrides[o].overrides}});
    }
    if ((styleLeft -= length) == 0 && ++s < styles.size()) styleLeft = styles[s].length;
    if ((overrideLeft -= length) == 0 && ++o < overrides.size()) overrideLeft = overrides[o].length;
  }
  TextRun paragraph = model->GetRunAt(TextStrand::kParagraph, hostPosition);
  UID paragraphStyle = paragraphs_.GetStyle().IsValid() ? paragraphs_.GetStyle() : paragraph.style;
  const AttributeBossList* paragraphOverrides = paragraphs_.GetOverrides();
  AttrListRef list = paragraphOverrides ? MakeAttrListRef(*paragraphOverrides) : EmptyAttributeList();
  auto returns = std::count(styled.text.begin(), styled.text.end(), kParagraphReturn);
  styled.paragraphs.assign(static_cast<size_t>(returns), {paragraphStyle, list});
  return styled;
}

// One host command for the text and its attributes. Only the paragraphs that began before the span or go on
// after it still need the paragraph agent applied, and leading and language go over whole paragraphs.
bool VyStreamingStory::InsertStyled(bool reset) {
  int32_t start = pending_.GetStart();
  int32_t length = static_cast<int32_t>(pendingText_.size());
  bool endsParagraph = pendingText_.back() == kParagraphReturn;
  ParagraphScopeSnapshot snapshot = Paragraph().TakeParagraphScope();
  int32_t host = HostIndex(start);
  bool startsParagraph = host == 0 || GetModel()->GetChar(host - 1) == kParagraphReturn;
  bool ok = Succeeded(TextCmdUtils::InsertStyledText(GetStoryRef(), host, PendingStyledText(host)));
  if (ok) {
    VyStory::NoteTextChange(start, length);
    inserted_ = length;
    committed_ = true;
    if (!startsParagraph || !endsParagraph)
      (void)ApplyAgent(paragraphs_, TextStrand::kParagraph, start, start + length);
    (void)WriteParagraphScope(snapshot, start, start + length);
  } else {
    pending_.Cut(0, length);
  }
  Paragraph().RestoreParagraphScope(snapshot);
  if (reset) {
    pending_.Reset();
    inserted_ = 0;
    committed_ = false;
  }
  return ok;
}

void VyStreamingStory::RemovePlaceholder() {
  if (!placeholderInserted_) return;
  if (TextCmdUtils::DeleteText(GetStoryRef(), HostIndex(start_), HostIndex(start_ + 1)) == kSuccess) {
    placeholderInserted_ = false;
  } else {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
}

void VyStreamingStory::Finish(int32_t level) {
  (void)Flush(level > 10, false);
  if (level < 20) RemovePlaceholder();
  VyStory::Finish(level);
}

void VyStreamingStory::NoteTextChange(int32_t position, int32_t delta) {
  VyStory::NoteTextChange(position, delta);
  if (delta == 0) return;
  int32_t start = pending_.GetStart();
  int32_t insertedEnd = start + inserted_;
  if (delta > 0) {
    if (position < start || (position == start && inserted_ == 0)) {
      pending_.SetStart(start + delta);
    } else if (position <= insertedEnd) {
      // Text inserted by someone else inside the span already in the host keeps the runs it has there.
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
  if (!attribute || length <= 0 || !IsValid()) return false;
  int32_t pendingStart = pending_.GetStart();
  int32_t pendingEnd = pendingStart + pending_.GetLength();
  int32_t from = std::max(start, pendingStart), to = std::min(start + length, pendingEnd);
  bool applied = false;
  if (from < to) {
    pending_.ApplyAttribute(from - pendingStart, to - from, attribute);
    committed_ = false;
    applied = true;
  }
  // What lies before the pending span is already in the host.
  int32_t before = std::min(start + length, pendingStart) - start;
  if (before > 0) applied |= VyStory::ApplyAttributeToRange(start, before, attribute);
  return applied;
}

}  // namespace kesto
