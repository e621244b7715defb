// Buffered insertion, a paragraph at a time.
#include "kesto/model/VyStreamingStory.h"

#include <algorithm>
#include <cassert>
#include <new>

#include "host/cmd/ErrorUtils.h"
#include "host/core/UnitSearch.h"
#include "host/text/AttributeClasses.h"
#include "host/text/IStyleTable.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"

namespace kesto {

VyStreamingStory::VyStreamingStory(IDataBase* document, UID uid, int32_t start, int32_t end)
    : VyStory(document, uid, start, end) {
  pending_.SetStart(start_);
}

VyStreamingStory::~VyStreamingStory() {
  if (IsGivenUp()) return;
  try {
    (void)Flush(false, true);
    RemovePlaceholder();
  } catch (const std::bad_alloc&) {
    // Nothing may leave a destructor; what was pending is lost with the memory that ran out.
  }
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
  static const AttributeBossList kNone;
  const AttributeBossList* overrides = characters_.GetOverrides();
  pending_.Record(pending_.GetLength(), static_cast<int32_t>(text.size()), characters_.GetStyle(),
                  overrides ? *overrides : kNone);
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
  size_t cut = FindLastUnit(all, kParagraphReturn);
  if (cut != std::u16string_view::npos) {
    std::u16string_view paragraphs = all.substr(0, cut + 1);
    Append(paragraphs);
    if (inserted_ > 0) {
      // Part of the span is in the host already (a text-only flush): it is committed as one paragraph.
      if (!Flush(false, true)) return false;
    } else {
      TakeReturns(paragraphs);
      bool full = pendingText_.size() >= kBatchUnits || pendingReturns_ >= kBatchParagraphs;
      if (full && !Flush(false, true)) return false;
    }
    all.remove_prefix(cut + 1);
  }
  Append(all);
  return true;
}

// Each return gets the paragraph attributes in force as it comes, as if its paragraph had gone in now.
void VyStreamingStory::TakeReturns(std::u16string_view text) {
  size_t returns = CountUnit(text, kParagraphReturn);
  if (returns == 0) return;
  pendingReturns_ += static_cast<int32_t>(returns);
  // Paragraph after paragraph usually takes the same attributes: they are copied when the paragraph
  // agent has not been changed since the last return.
  if (pendingParagraphs_.empty() || paragraphs_.GetChangeCount() != takenAtChange_) {
    pendingParagraphs_.push_back(TakenParagraph());
    takenAtChange_ = paragraphs_.GetChangeCount();
    --returns;
  }
  pendingParagraphs_.back().count += static_cast<int32_t>(returns);
}

VyStreamingStory::PendingParagraph VyStreamingStory::TakenParagraph() {
  static const AttributeBossList kNone;
  const AttributeBossList* held = paragraphs_.GetOverrides();
  ParagraphScopeSnapshot scope = Paragraph().PeekParagraphScope();
  AttrListRef taken;
  if (scope.IsEmpty()) {
    taken = takenLists_.Get(held ? *held : kNone);
  } else {
    AttributeBossList list = *held;
    (void)list.ClearOverride(kTextAttrLeading);
    (void)list.ClearOverride(kTextAttrLanguage);
    taken = takenLists_.Get(list);
  }
  return {paragraphs_.GetStyle(), std::move(taken), std::move(scope)};
}

bool VyStreamingStory::Flush(bool textOnly, bool reset) {
  if (pending_.IsEmpty() && pendingText_.empty()) return true;
  // Paragraphs taken with their own attributes must go in with them, also for a text-only flush.
  bool batched = !pendingParagraphs_.empty();
  if (inserted_ == 0 && (batched || (!textOnly && !committed_)) && CanInsertStyled())
    return InsertStyled(textOnly, reset);
  assert(!batched && "pending paragraphs go in with their attributes");
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
      (void)ApplyOverridesMinimal(TextStrand::kCharacter, position, runEnd, *pending_.List(run.list));
    position += run.length;
  }
  (void)WriteParagraphScope(snapshot, start, end);
  Paragraph().RestoreParagraphScope(snapshot);
}

bool VyStreamingStory::CanInsertStyled() const {
  return !pendingText_.empty() && pending_.GetLength() == static_cast<int32_t>(pendingText_.size());
}

// The pending text with the runs it would end up with after an insert and a commit: the style of each
// style run (the one the host would extend where the run has none) and the character part of each override
// run's list; the paragraph part of a list goes to the paragraphs the run touches (`parts`).
StyledText VyStreamingStory::PendingStyledText(int32_t hostPosition, std::vector<ParagraphPart>& parts) {
  ITextModel* model = GetModel().get();
  bool paragraphStart = hostPosition == 0 || model->GetChar(hostPosition - 1) == kParagraphReturn;
  UID extended =
      model->GetRunAt(TextStrand::kCharacter, paragraphStart ? hostPosition : hostPosition - 1).style;
  StyledText styled;
  styled.text = std::move(pendingText_);
  pendingText_.clear();
  const auto& styles = pending_.StyleRuns();
  const auto& overrides = pending_.OverrideRuns();
  // Each run boundary of either kind starts at most one run; the story joins the runs around the insertion
  // point to them, and room for those spares a copy of them all.
  constexpr size_t kJoinedRuns = 4;
  styled.runs.reserve(styles.size() + overrides.size() + kJoinedRuns);
  size_t s = 0, o = 0;
  int32_t styleLeft = styles.empty() ? 0 : styles[0].length;
  int32_t overrideLeft = overrides.empty() ? 0 : overrides[0].length;
  int32_t position = 0;
  // Each shared list split into its two parts once, when a run first refers to it.
  struct Split {
    AttrListRef characterPart, paragraphPart;
  };
  std::vector<Split> splits(pending_.CountLists());
  while (s < styles.size() && o < overrides.size()) {
    int32_t length = std::min(styleLeft, overrideLeft);
    UID style = styles[s].style.IsValid() ? styles[s].style : extended;
    Split& split = splits[overrides[o].list];
    if (!split.characterPart) {
      const AttrListRef& list = pending_.List(overrides[o].list);
      AttributeBossList paragraph = list->FilterByScope(true);
      split.characterPart = paragraph.IsEmpty() ? list : MakeAttrListRef(list->FilterByScope(false));
      if (!paragraph.IsEmpty()) split.paragraphPart = MakeAttrListRef(std::move(paragraph));
    }
    const AttrListRef& characterPart = split.characterPart;
    if (split.paragraphPart) parts.push_back({position, position + length, split.paragraphPart});
    if (!styled.runs.empty() && styled.runs.back().attributes.style == style &&
        SameAttributes(styled.runs.back().attributes.overrides, characterPart)) {
      styled.runs.back().length += length;
    } else {
      styled.runs.push_back({length, {style, characterPart}});
    }
    position += length;
    if ((styleLeft -= length) == 0 && ++s < styles.size()) styleLeft = styles[s].length;
    if ((overrideLeft -= length) == 0 && ++o < overrides.size()) overrideLeft = overrides[o].length;
  }
  AddParagraphRecords(styled, model->GetRunAt(TextStrand::kParagraph, hostPosition).style, parts);
  return styled;
}

// One record per return, as taken when it came (a return not taken gets the attributes in force now), with
// the paragraph parts of the character runs in its paragraph applied on top.
void VyStreamingStory::AddParagraphRecords(StyledText& styled, UID copied,
                                           const std::vector<ParagraphPart>& parts) {
  size_t part = 0;
  int32_t paragraphStart = 0;
  // The last merge: a paragraph with the same record and the same one part merges to the same list.
  const AttributeBossList* mergedBase = nullptr;
  const AttributeBossList* mergedPart = nullptr;
  size_t row = 0;
  int32_t usedInRow = 0;
  const std::u16string_view text = styled.text;
  size_t returns = CountUnit(text, kParagraphReturn);
  if (parts.empty()) return AddTakenRecords(styled, copied, returns);
  for (size_t i = FindUnit(text, kParagraphReturn); i != std::u16string_view::npos;
       i = FindUnit(text, kParagraphReturn, i + 1)) {
    if (row < pendingParagraphs_.size() && usedInRow == pendingParagraphs_[row].count) {
      ++row;
      usedInRow = 0;
    }
    if (row == pendingParagraphs_.size()) {
      TakeReturns(u"\r");
      row = pendingParagraphs_.size() - 1;
      usedInRow = pendingParagraphs_[row].count - 1;
    }
    const PendingParagraph& taken = pendingParagraphs_[row];
    ++usedInRow;
    auto end = static_cast<int32_t>(i + 1);
    while (part < parts.size() && parts[part].end <= paragraphStart)
      ++part;
    paragraphStart = end;
    const AttrListRef* overrides = &taken.overrides;
    // Where the paragraphs after this one stop taking its record (they stay in its row and meet the same
    // part, or none): the end of its one part, or the start of the next part; 0 when it meets several.
    size_t sameUntil = part < parts.size() ? static_cast<size_t>(parts[part].start) : text.size();
    if (part < parts.size() && parts[part].start < end) {
      bool onePart = part + 1 == parts.size() || parts[part + 1].start >= end;
      sameUntil = onePart ? static_cast<size_t>(parts[part].end) : 0;
      if (!onePart || taken.overrides.get() != mergedBase || parts[part].attributes.get() != mergedPart) {
        mergedBase = onePart ? taken.overrides.get() : nullptr;
        mergedPart = onePart ? parts[part].attributes.get() : nullptr;
        AttributeBossList list = *taken.overrides;
        for (size_t k = part; k < parts.size() && parts[k].start < end; ++k)
          list.ApplyAttributes(*parts[k].attributes);
        // Paragraphs that end up alike (one break after another) share one list.
        (void)mergedLists_.Get(list);
      }
      overrides = &mergedLists_.Last();
    }
    StyledText::Attributes record{taken.style.IsValid() ? taken.style : copied, *overrides};
    // A row of such paragraphs (breaks, empty paragraphs) is counted rather than walked.
    if (sameUntil > static_cast<size_t>(end)) {
      std::u16string_view after = text.substr(static_cast<size_t>(end), sameUntil - static_cast<size_t>(end));
      size_t alike = CountUnit(after, kParagraphReturn);
      if (alike > 0 && alike <= static_cast<size_t>(taken.count - usedInRow)) {
        styled.paragraphs.Append(std::move(record), static_cast<int32_t>(alike) + 1);
        usedInRow += static_cast<int32_t>(alike);
        i = static_cast<size_t>(end) + FindLastUnit(after, kParagraphReturn);
        paragraphStart = static_cast<int32_t>(i + 1);
        continue;
      }
    }
    styled.paragraphs.Append(std::move(record));
  }
}

// Without paragraph parts each return's record is the one it took: the rows give them without reading the
// text.
void VyStreamingStory::AddTakenRecords(StyledText& styled, UID copied, size_t returns) {
  size_t taken = 0;
  for (const PendingParagraph& row : pendingParagraphs_)
    taken += static_cast<size_t>(row.count);
  if (taken < returns) TakeReturns(std::u16string(returns - taken, kParagraphReturn));
  size_t left = returns;
  for (const PendingParagraph& row : pendingParagraphs_) {
    size_t n = std::min(static_cast<size_t>(row.count), left);
    if (n > 0)
      styled.paragraphs.Append({row.style.IsValid() ? row.style : copied, row.overrides},
                               static_cast<int32_t>(n));
    if ((left -= n) == 0) break;
  }
}

// Leading and language go over the characters of whole paragraphs: each stretch of pending paragraphs that
// took the same ones, then the paragraph the span ends in (when no return of the span ends it) with the
// ones in force now.
void VyStreamingStory::WriteScopes(int32_t start, const std::u16string_view text,
                                   const ParagraphScopeSnapshot& current) {
  auto same = [](const ParagraphScopeSnapshot& a, const ParagraphScopeSnapshot& b) {
    return a.leading == b.leading && a.language == b.language;
  };
  size_t stretchStart = 0, end = 0;
  for (size_t row = 0; row < pendingParagraphs_.size(); ++row) {
    for (int32_t n = 0; n < pendingParagraphs_[row].count; ++n)
      end = FindUnit(text, kParagraphReturn, end) + 1;
    const ParagraphScopeSnapshot& scope = pendingParagraphs_[row].scope;
    if (row + 1 < pendingParagraphs_.size() && same(scope, pendingParagraphs_[row + 1].scope)) continue;
    (void)WriteParagraphScope(scope, start + static_cast<int32_t>(stretchStart),
                              start + static_cast<int32_t>(end));
    stretchStart = end;
  }
  if (stretchStart < text.size())
    (void)WriteParagraphScope(current, start + static_cast<int32_t>(stretchStart),
                              start + static_cast<int32_t>(text.size()));
}

// The paragraph the span ends in, when no return of the span ends it, is the host's own: the paragraph
// agent and the paragraph parts of the runs over it are applied to it as a commit would.
void VyStreamingStory::ApplyTailParts(int32_t start, int32_t tailOffset, int32_t length,
                                      const std::vector<ParagraphPart>& parts) {
  (void)ApplyAgent(paragraphs_, TextStrand::kParagraph, start + tailOffset, start + length);
  for (const ParagraphPart& part : parts) {
    if (part.end <= tailOffset) continue;
    (void)Succeeded(TextCmdUtils::ApplyOverrides(GetStoryRef(), TextStrand::kParagraph,
                                                 HostIndex(start + std::max(part.start, tailOffset)),
                                                 HostIndex(start + part.end), *part.attributes));
  }
}

// One host command for the text and its attributes.
bool VyStreamingStory::InsertStyled(bool textOnly, bool reset) {
  int32_t start = pending_.GetStart();
  auto length = static_cast<int32_t>(pendingText_.size());
  auto lastReturn = static_cast<int32_t>(FindLastUnit(pendingText_, kParagraphReturn));  // -1 when none
  ParagraphScopeSnapshot current = Paragraph().TakeParagraphScope();
  // Leading and language are written after the insert, over the paragraphs' text: kept only when there are.
  bool scoped =
      !current.IsEmpty() || std::any_of(pendingParagraphs_.begin(), pendingParagraphs_.end(),
                                        [](const PendingParagraph& p) { return !p.scope.IsEmpty(); });
  std::u16string text = scoped ? pendingText_ : std::u16string();
  int32_t host = HostIndex(start);
  std::vector<ParagraphPart> parts;
  StyledText styled = PendingStyledText(host, parts);
  bool ok = Succeeded(TextCmdUtils::InsertStyledText(GetStoryRef(), host, std::move(styled)));
  if (ok) {
    VyStory::NoteTextChange(start, length);
    if (lastReturn + 1 < length) ApplyTailParts(start, lastReturn + 1, length, parts);
    if (scoped) WriteScopes(start, text, current);
  }
  Paragraph().RestoreParagraphScope(current);
  pendingParagraphs_.clear();
  pendingReturns_ = 0;
  if (!ok) {
    pending_.Cut(0, length);
    return false;
  }
  // The whole paragraphs are done with; a paragraph still open stays pending, already in the host. After a
  // text-only flush it is committed again when it ends, so that it takes the paragraph attributes in force
  // then.
  int32_t done = reset ? length : lastReturn + 1;
  pending_.Cut(0, done);
  pending_.SetStart(start + done);
  inserted_ = length - done;
  committed_ = !textOnly;
  return true;
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

void VyStreamingStory::SwitchToStory(UID uid, int32_t start, int32_t end) {
  (void)Flush(false, true);
  RemovePlaceholder();
  needsPlaceholder_ = false;
  VyStory::SwitchToStory(uid, start, end);
  pending_.SetStart(start_);
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
