// Inserting text into a host story and committing attributes to it.
#include "kesto/model/VyStory.h"

#include <algorithm>
#include <optional>

#include "host/cmd/ErrorUtils.h"
#include "host/text/AttributeClasses.h"
#include "host/text/AttributeResolver.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/model/CharacterTranslation.h"

namespace kesto {
namespace {

// A refused host command must not leave the global error set: the host would show an alert for it, and
// the import goes on without that step.
bool Succeeded(ErrorCode result) {
  if (result == kSuccess) return true;
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return false;
}

// Whether every attribute class of `list` occurs in `wanted`.
bool ClassesWithin(const AttributeBossList& list, const AttributeBossList& wanted) {
  for (int32_t i = 0; i < list.CountBosses(); ++i) {
    if (!wanted.ContainsClass(list.GetClassN(i))) return false;
  }
  return true;
}

// Whether `list` holds every attribute of `wanted` with the same value.
bool HoldsAll(const AttributeBossList& list, const AttributeBossList& wanted) {
  for (int32_t i = 0; i < wanted.CountBosses(); ++i) {
    const ITextAttribute* held = list.GetByClass(wanted.GetClassN(i));
    if (!held || !held->Equals(*wanted.GetNth(i))) return false;
  }
  return true;
}

}  // namespace

VyStory::VyStory(IDataBase* document, UID uid, int32_t start, int32_t end)
    : VyBaseStory(document, uid), K2StoryAttributeMgr(document), start_(start), end_(end) {
  Clamp(start_, end_);
  paragraphs_.Bind(GetModel());
  characters_.Bind(GetModel());
  BindStrands(&paragraphs_, &characters_);
}

VyStory::~VyStory() { BindStrands(nullptr, nullptr); }

void VyStory::Clamp(int32_t& start, int32_t& end) const {
  int32_t last = std::max(0, GetHostLength() - 1 - base_);
  start = std::clamp(start, 0, last);
  end = std::clamp(end, start, last);
}

void VyStory::GetRange(int32_t& start, int32_t& end) {
  start = start_;
  end = end_;
}

void VyStory::SetRange(int32_t start, int32_t end, bool select) {
  Clamp(start, end);
  if (start == start_ && end == end_) return;
  start_ = start;
  end_ = end;
  // Selecting in the layout needs a frame showing the story; without one there is nothing to select.
  (void)select;
  ReloadAttributes(true);
}

bool VyStory::HostInsert(int32_t position, const std::u16string& text) {
  return Succeeded(TextCmdUtils::InsertText(GetStoryRef(), HostIndex(position), text));
}

bool VyStory::InsertText(const char16_t* text, int32_t count) {
  if (!IsValid() || count <= 0) return IsValid();
  if (start_ < end_ && !DeleteText(start_, end_)) return false;
  std::u16string_view rest(text, static_cast<size_t>(count));
  while (!rest.empty()) {
    // One chunk per call up to the last paragraph return: its paragraphs get their attributes at once.
    size_t cut = rest.find_last_of(kParagraphReturn);
    size_t length = cut == std::u16string_view::npos ? rest.size() : cut + 1;
    std::u16string chunk(rest.substr(0, length));
    int32_t position = start_;
    if (!HostInsert(position, chunk)) return false;
    bool endsParagraph = chunk.back() == kParagraphReturn;
    int32_t chunkEnd = position + static_cast<int32_t>(length);
    (void)CommitAttributes(position, chunkEnd, true, endsParagraph);
    NoteTextChange(position, static_cast<int32_t>(length));
    rest.remove_prefix(length);
  }
  return true;
}

bool VyStory::DeleteText(int32_t start, int32_t end) {
  if (end <= start) return true;
  if (!Succeeded(TextCmdUtils::DeleteText(GetStoryRef(), HostIndex(start), HostIndex(end)))) return false;
  NoteTextChange(start, start - end);
  return true;
}

void VyStory::ParagraphRangeAt(int32_t index, int32_t& start, int32_t& end) const {
  start = end = 0;
  if (!IsValid()) return;
  TextRun paragraph = GetModel()->GetRunAt(TextStrand::kParagraph, HostIndex(index));
  start = paragraph.start - base_;
  end = paragraph.end - base_;
}

int32_t VyStory::CaretIndex() const {
  if (start_ != end_ || start_ == 0 || !IsValid()) return start_;
  bool paragraphStart = GetModel()->GetChar(HostIndex(start_) - 1) == kParagraphReturn;
  return paragraphStart ? start_ : start_ - 1;
}

void VyStory::ShiftRange(int32_t position, int32_t delta) {
  if (delta > 0) {
    if (start_ >= position) start_ += delta;
    if (end_ >= position) end_ += delta;
    return;
  }
  int32_t gone = position - delta;  // end of the deleted span
  auto cut = [&](int32_t p) { return p <= position ? p : (p >= gone ? p + delta : position); };
  start_ = cut(start_);
  end_ = cut(end_);
}

void VyStory::NoteTextChange(int32_t position, int32_t delta) {
  if (delta == 0) return;
  int32_t oldStart = start_, oldEnd = end_;
  ShiftRange(position, delta);
  if (delta < 0 && (start_ != oldStart || end_ != oldEnd)) {
    paragraphs_.Load(HostIndex(CaretIndex()));
    characters_.Load(HostIndex(CaretIndex()));
  }
}

void VyStory::NoteReplace(int32_t position, int32_t oldLength, int32_t newLength, bool keep) {
  int32_t delta = newLength - oldLength;
  if (position + oldLength <= start_) {
    start_ += delta;
    end_ += delta;
  } else if (position < end_ && position + oldLength > start_) {
    if (!keep) {
      start_ = end_ = position + newLength;
      ReloadAttributes(true);
    }
  } else if (position < end_) {
    end_ += delta;
  }
  Clamp(start_, end_);
}

void VyStory::ReloadAttributes(bool reload) {
  if (!reload || !IsValid()) return;
  int32_t caret = HostIndex(CaretIndex());
  // The paragraph side first, so that the character side's default follows the paragraph style there.
  paragraphs_.Load(caret);
  ResetForCaret();
  paragraphs_.Load(caret);
  characters_.Load(caret);
}

bool VyStory::ApplyOverridesMinimal(TextStrand strand, int32_t start, int32_t end, const AttributeBossList& wanted) {
  bool ok = true, differs = false;
  std::vector<std::pair<int32_t, int32_t>> stale;  // run parts holding classes that `wanted` lacks
  std::vector<std::vector<ClassID>> staleClasses;
  GetModel()->VisitRuns(strand, HostIndex(start), HostIndex(end), [&](const TextRun& run) {
    const AttributeBossList& held = *run.overrides;
    if (!ClassesWithin(held, wanted)) {
      std::vector<ClassID> classes;
      for (int32_t i = 0; i < held.CountBosses(); ++i) {
        if (!wanted.ContainsClass(held.GetClassN(i))) classes.push_back(held.GetClassN(i));
      }
      stale.emplace_back(std::max(run.start, HostIndex(start)), std::min(run.end, HostIndex(end)));
      staleClasses.push_back(std::move(classes));
    }
    if (!differs) differs = !HoldsAll(held, wanted);
    return true;
  });
  for (size_t i = 0; i < stale.size(); ++i) {
    ok &= Succeeded(TextCmdUtils::ClearOverrides(GetStoryRef(), strand, stale[i].first, stale[i].second,
                                                 staleClasses[i]));
  }
  if (differs) {
    ok &= Succeeded(TextCmdUtils::ApplyOverrides(GetStoryRef(), strand, HostIndex(start), HostIndex(end), wanted));
  }
  return ok;
}

bool VyStory::ApplyAgent(const IK2AttributeAgent& agent, TextStrand strand, int32_t start, int32_t end) {
  bool ok = true;
  UID style = agent.GetStyle();
  if (style.IsValid()) {
    bool differs = false;
    GetModel()->VisitRuns(strand, HostIndex(start), HostIndex(end), [&](const TextRun& run) {
      differs = run.style != style;
      return !differs;
    });
    if (differs) {
      ErrorCode result = strand == TextStrand::kParagraph
                             ? TextCmdUtils::ApplyParagraphStyle(GetStoryRef(), HostIndex(start), HostIndex(end), style)
                             : TextCmdUtils::ApplyCharacterStyle(GetStoryRef(), HostIndex(start), HostIndex(end), style);
      ok &= Succeeded(result);
    }
  }
  const AttributeBossList* overrides = agent.GetOverrides();
  ok &= ApplyOverridesMinimal(strand, start, end, overrides ? *overrides : AttributeBossList());
  return ok;
}

bool VyStory::WriteParagraphScope(const ParagraphScopeSnapshot& snapshot, int32_t start, int32_t end) {
  if (snapshot.IsEmpty()) return true;
  int32_t from = 0, to = 0, ignored = 0;
  ParagraphRangeAt(start, from, ignored);
  ParagraphRangeAt(std::max(start, end - 1), ignored, to);
  bool ok = true;
  if (snapshot.leading) {
    // Relative leading follows the point size: one value per stretch of equal size.
    int32_t runStart = from;
    std::optional<double> runLeading;
    for (int32_t p = from; p <= to; ++p) {
      std::optional<double> leading;
      if (p < to) {
        auto size = AttributeResolver::Resolve(GetModel().get(), HostIndex(p), kTextAttrPointSize);
        double points = size ? std::get<double>(size->value) : 12.0;
        leading = K2AttributeSetMgr::ParagraphLeadingFor(snapshot, points);
      }
      if (p == to || leading != runLeading) {
        if (runLeading && p > runStart) {
          AttributeBossList list;
          (void)list.ApplyValue(kTextAttrLeading, *runLeading);
          ok &= Succeeded(TextCmdUtils::ApplyOverrides(GetStoryRef(), TextStrand::kCharacter, HostIndex(runStart),
                                                       HostIndex(p), list));
        }
        runStart = p;
        runLeading = leading;
      }
    }
  }
  if (snapshot.language) {
    AttributeBossList list;
    (void)list.ApplyAttribute(snapshot.language.get());
    ok &= Succeeded(
        TextCmdUtils::ApplyOverrides(GetStoryRef(), TextStrand::kCharacter, HostIndex(from), HostIndex(to), list));
  }
  return ok;
}

bool VyStory::CommitAttributes(int32_t start, int32_t end, bool character, bool paragraph) {
  if (!IsValid() || end <= start) return true;
  if (!paragraph) return character ? ApplyAgent(characters_, TextStrand::kCharacter, start, end) : true;
  ParagraphScopeSnapshot snapshot = Paragraph().TakeParagraphScope();
  bool ok = ApplyAgent(paragraphs_, TextStrand::kParagraph, start, end);
  if (character) ok &= ApplyAgent(characters_, TextStrand::kCharacter, start, end);
  ok &= WriteParagraphScope(snapshot, start, end);
  Paragraph().RestoreParagraphScope(snapshot);
  return ok;
}

bool VyStory::ApplyAttributeToRange(int32_t start, int32_t length, const ITextAttribute* attribute) {
  if (!attribute || length <= 0 || !IsValid()) return false;
  AttributeBossList list;
  if (list.ApplyAttribute(attribute) != kSuccess) return false;
  TextStrand strand =
      AttributeClasses::IsParagraphAttribute(attribute->GetAttributeClass()) ? TextStrand::kParagraph : TextStrand::kCharacter;
  return Succeeded(
      TextCmdUtils::ApplyOverrides(GetStoryRef(), strand, HostIndex(start), HostIndex(start + length), list));
}

int32_t VyStory::ReadText(int32_t start, int32_t end, char16_t* buffer, int32_t capacity) const {
  if (!IsValid() || !buffer || capacity <= 0 || end <= start) return 0;
  int32_t count = std::min(end - start, capacity);
  count = GetModel()->CopyText(HostIndex(start), buffer, count);
  CharacterTranslation translation(VyBaseStory::GetDocument(), GetModel().get());
  for (int32_t i = 0; i < count; ++i) {
    if (buffer[i] >= 0xE000 && buffer[i] <= 0xF8FF) buffer[i] = translation.Translate(HostIndex(start + i), buffer[i]);
  }
  if (count == capacity && count > 0 && buffer[count - 1] >= 0xD800 && buffer[count - 1] <= 0xDBFF) --count;
  return count;
}

bool VyStory::HasFrames() const {
  // Stories are shown in frames once the layout exists; until a story has a frame, composition, fitting
  // and selection steps have nothing to work on.
  return false;
}

void VyStory::Finish(int32_t level) {
  if (!IsValid()) return;
  if (level <= 10) anchored_.clear();
  if (!HasFrames()) return;
}

}  // namespace kesto
