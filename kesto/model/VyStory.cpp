// Inserting text into a host story and committing attributes to it.
#include "kesto/model/VyStory.h"

#include <algorithm>
#include <optional>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/compose/ComposeClasses.h"
#include "host/compose/ComposeIDs.h"
#include "host/compose/StoryComposer.h"
#include "host/compose/StoryQueries.h"
#include "host/layout/AnchorUtils.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/AttributeClasses.h"
#include "host/text/AttributeResolver.h"
#include "host/text/TextCmdUtils.h"
#include "host/ui/Selection.h"
#include "kesto/model/AttributeConversions.h"
#include "kesto/model/CharacterTranslation.h"

namespace kesto {
namespace {

// The classes of `held` that `wanted` lacks: overrides a run keeps that the wanted list would not give it.
std::vector<ClassID> StaleClasses(const AttributeBossList& held, const AttributeBossList& wanted) {
  std::vector<ClassID> stale;
  for (int32_t i = 0; i < held.CountBosses(); ++i) {
    if (!wanted.ContainsClass(held.GetClassN(i))) stale.push_back(held.GetClassN(i));
  }
  return stale;
}

// Whether `list` holds every attribute of `wanted` with the same value.
bool HoldsAll(const AttributeBossList& list, const AttributeBossList& wanted) {
  for (int32_t i = 0; i < wanted.CountBosses(); ++i) {
    const ITextAttribute* held = list.GetByClass(wanted.GetClassN(i));
    if (!held || !held->Equals(*wanted.GetNth(i))) return false;
  }
  return true;
}

// Compositions of one Finish at level 0.
constexpr int kFinishPasses = 2;

// Whether the last composition of a story placed the item anchored at `index` (without composing).
bool ComposedAt(IDataBase* db, UID story, int32_t index) {
  auto results = Instantiate<IStoryComposition>(db, story);
  if (!results || !results->IsComposed()) return false;
  for (const ComposedFrame& frame : results->GetLayout().frames) {
    for (const ComposedAnchor& anchor : frame.anchors) {
      if (anchor.index == index) return true;
    }
  }
  return false;
}
// Whether the text frame `frame` overflows, its text composed first when it needs it.
bool FrameOverset(IDataBase* db, UID frame) {
  if (!LayoutUtils::IsTextFrame(db, frame)) return false;
  const StoryLayout* layout = StoryComposer::GetLayout(db, LayoutUtils::StoryOfFrame(db, frame));
  return layout && layout->IsOverset();
}

bool IsPrivateUse(char16_t ch) {
  return ch >= 0xE000 && ch <= 0xF8FF;
}
bool IsHighSurrogate(char16_t ch) {
  return ch >= 0xD800 && ch <= 0xDBFF;
}

}  // namespace

// A refused host command must not leave the global error set: the host would show an alert for it, and
// the import goes on without that step.
bool VyStory::Succeeded(ErrorCode result) {
  if (result == kSuccess) return true;
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return false;
}

VyStory::VyStory(IDataBase* document, UID uid, int32_t start, int32_t end)
    : VyBaseStory(document, uid), K2StoryAttributeMgr(document), start_(start), end_(end) {
  Clamp(start_, end_);
  paragraphs_.Bind(GetModel());
  characters_.Bind(GetModel());
  BindStrands(&paragraphs_, &characters_);
  // Managers that start empty would clear the overrides of the text they are committed to.
  ReloadAttributes(true);
}

VyStory::VyStory(IDataBase* document, UID frame)
    : VyStory(document, LayoutUtils::StoryOfFrame(document, frame), 0, 0) {
  BaseAtFrame(frame);
}

void VyStory::BaseAtFrame(UID frame) {
  if (!IsValid()) return;
  // A frame's text start is only true once the story is composed through it.
  (void)StoryComposer::GetLayout(GetDocument(), GetStoryUID());
  auto text = Instantiate<ITextFrame>(GetDocument(), frame);
  base_ = text ? std::clamp(text->GetTextStart(), 0, std::max(0, GetHostLength() - 1)) : 0;
  start_ = end_ = 0;
  const Selection& selection = Selection::Get();
  if (text && selection.HasTextTarget() && selection.GetStory() == GetStoryRef()) {
    int32_t frameEnd = text->GetTextStart() + text->GetTextSpan();
    if (selection.GetStart() >= base_ && selection.GetEnd() <= frameEnd) {
      start_ = selection.GetStart() - base_;
      end_ = selection.GetEnd() - base_;
      Clamp(start_, end_);
    }
  }
  ReloadAttributes(true);
}

void VyStory::SwitchToStory(UID uid, int32_t start, int32_t end) {
  BindStrands(nullptr, nullptr);
  BindStory(uid);
  base_ = 0;
  start_ = start;
  end_ = end;
  Clamp(start_, end_);
  paragraphs_ = K2StrandAgent(TextStrand::kParagraph);
  characters_ = K2StrandAgent(TextStrand::kCharacter);
  paragraphs_.Bind(GetModel());
  characters_.Bind(GetModel());
  BindStrands(&paragraphs_, &characters_);
  ReloadAttributes(true);
}

VyStory::~VyStory() {
  BindStrands(nullptr, nullptr);
}

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
  bool changed = start != start_ || end != end_;
  start_ = start;
  end_ = end;
  // The selection follows when asked to (a story shown in no frame has nothing to select) and, when it
  // lies in this story already, whenever the range moves.
  Selection& selection = Selection::Get();
  bool selected = selection.HasTextTarget() && selection.GetStory() == GetStoryRef();
  if ((select && HasFrames()) || (changed && selected)) {
    selection.SelectText(GetStoryRef(), HostIndex(start_), HostIndex(end_));
    if (select) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  if (changed) ReloadAttributes(true);
}

bool VyStory::HostInsert(int32_t position, const std::u16string& text) {
  return Succeeded(TextCmdUtils::InsertText(GetStoryRef(), HostIndex(position), text));
}

bool VyStory::InsertText(const char16_t* text, int32_t count) {
  if (!IsValid() || !text || count <= 0) return IsValid();
  if (start_ < end_ && !DeleteRange(start_, end_, false)) return false;
  std::u16string_view rest(text, static_cast<size_t>(count));
  while (!rest.empty()) {
    // One chunk up to the last paragraph return, so that its paragraphs get their attributes at once.
    size_t cut = rest.find_last_of(kParagraphReturn);
    size_t length = cut == std::u16string_view::npos ? rest.size() : cut + 1;
    std::u16string chunk(rest.substr(0, length));
    int32_t position = start_;
    if (!HostInsert(position, chunk)) return false;
    int32_t chunkEnd = position + static_cast<int32_t>(length);
    (void)CommitAttributes(position, chunkEnd, true, chunk.back() == kParagraphReturn);
    NoteTextChange(position, static_cast<int32_t>(length));
    rest.remove_prefix(length);
  }
  return true;
}

bool VyStory::DeleteRange(int32_t start, int32_t end, bool reload) {
  if (end <= start) return true;
  if (!Succeeded(TextCmdUtils::DeleteText(GetStoryRef(), HostIndex(start), HostIndex(end)))) return false;
  bool saved = std::exchange(reloadOnDelete_, reload);
  NoteTextChange(start, start - end);
  reloadOnDelete_ = saved;
  return true;
}

bool VyStory::DeleteText(int32_t start, int32_t end) {
  return IsValid() && DeleteRange(start, end, true);
}

void VyStory::ParagraphRangeAt(int32_t index, int32_t& start, int32_t& end) const {
  start = end = 0;
  if (!IsValid()) return;
  TextRun paragraph = GetModel()->GetRunAt(TextStrand::kParagraph, HostIndex(index));
  start = paragraph.start - base_;
  end = paragraph.end - base_;
}

int32_t VyStory::CaretIndex() const {
  if (start_ != end_ || HostIndex(start_) == 0 || !IsValid()) return start_;
  bool paragraphStart = GetModel()->GetChar(HostIndex(start_) - 1) == kParagraphReturn;
  return paragraphStart ? start_ : start_ - 1;
}

void VyStory::ShiftRange(int32_t position, int32_t delta) {
  if (delta > 0) {
    if (start_ >= position) start_ += delta;
    if (end_ >= position) end_ += delta;
    return;
  }
  int32_t gone = position - delta;  // end of the removed span
  auto cut = [&](int32_t p) { return p <= position ? p : (p >= gone ? p + delta : position); };
  start_ = cut(start_);
  end_ = cut(end_);
}

void VyStory::LoadCaret() {
  int32_t caret = HostIndex(CaretIndex());
  paragraphs_.Load(caret);
  characters_.Load(caret);
  Paragraph().ClearCaches();
  Character().ClearCaches();
}

void VyStory::NoteTextChange(int32_t position, int32_t delta) {
  if (delta == 0) return;
  int32_t oldStart = start_, oldEnd = end_;
  ShiftRange(position, delta);
  if (delta < 0 && reloadOnDelete_ && (start_ != oldStart || end_ != oldEnd)) LoadCaret();
}

void VyStory::NoteReplace(int32_t position, int32_t oldLength, int32_t newLength, bool keep) {
  if (position + oldLength <= start_) {
    start_ += newLength - oldLength;
    end_ += newLength - oldLength;
  } else if (position < end_ || (position == start_ && start_ == end_)) {
    if (!keep) start_ = end_ = position + newLength;
    Clamp(start_, end_);
    ReloadAttributes(true);
  }
}

void VyStory::ReloadAttributes(bool reload) {
  if (!reload || !IsValid()) return;
  // The paragraph side first: the character side's default follows the paragraph style at the caret.
  paragraphs_.Load(HostIndex(CaretIndex()));
  Paragraph().ClearCaches();
  ResetForCaret();
  LoadCaret();
}

bool VyStory::ApplyOverridesMinimal(TextStrand strand, int32_t start, int32_t end,
                                    const AttributeBossList& wanted) {
  struct Stale {
    int32_t start, end;
    std::vector<ClassID> classes;
  };
  std::vector<Stale> stale;
  bool differs = false;
  int32_t from = HostIndex(start), to = HostIndex(end);
  GetModel()->VisitRuns(strand, from, to, [&](const TextRun& run) {
    const AttributeBossList& held = *run.overrides;
    std::vector<ClassID> classes = StaleClasses(held, wanted);
    if (!classes.empty())
      stale.push_back({std::max(run.start, from), std::min(run.end, to), std::move(classes)});
    if (!differs) differs = !HoldsAll(held, wanted);
    return true;
  });
  bool ok = true;
  for (const Stale& part : stale)
    ok &= Succeeded(TextCmdUtils::ClearOverrides(GetStoryRef(), strand, part.start, part.end, part.classes));
  if (differs) ok &= Succeeded(TextCmdUtils::ApplyOverrides(GetStoryRef(), strand, from, to, wanted));
  return ok;
}

bool VyStory::StyleDiffers(TextStrand strand, int32_t start, int32_t end, UID style) const {
  bool differs = false;
  GetModel()->VisitRuns(strand, HostIndex(start), HostIndex(end), [&](const TextRun& run) {
    differs = run.style != style;
    return !differs;
  });
  return differs;
}

bool VyStory::ApplyAgent(const IK2AttributeAgent& agent, TextStrand strand, int32_t start, int32_t end) {
  bool ok = true;
  UID style = agent.GetStyle();
  if (style.IsValid() && StyleDiffers(strand, start, end, style)) {
    ErrorCode result =
        strand == TextStrand::kParagraph
            ? TextCmdUtils::ApplyParagraphStyle(GetStoryRef(), HostIndex(start), HostIndex(end), style)
            : TextCmdUtils::ApplyCharacterStyle(GetStoryRef(), HostIndex(start), HostIndex(end), style);
    ok &= Succeeded(result);
  }
  const AttributeBossList* overrides = agent.GetOverrides();
  ok &= ApplyOverridesMinimal(strand, start, end, overrides ? *overrides : AttributeBossList());
  return ok;
}

// Relative leading follows the point size, so it is written once per stretch of equal point size;
// absolute leading once over the whole paragraphs.
bool VyStory::WriteLeading(const ITextAttribute* leading, int32_t from, int32_t to) {
  const double* stored = GetValueAs<double>(leading);
  if (!stored) return true;
  Leading decoded = DecodeLeading(*stored, true);
  struct Stretch {
    int32_t start, end;
    double value;
  };
  std::vector<Stretch> stretches;
  if (!decoded.relative) {
    stretches.push_back({HostIndex(from), HostIndex(to), EncodeLeading(decoded.value, false)});
  } else {
    GetModel()->VisitRuns(TextStrand::kCharacter, HostIndex(from), HostIndex(to), [&](const TextRun& run) {
      auto size = AttributeResolver::Resolve(GetModel().get(), run.start, kTextAttrPointSize);
      const double* points = size ? std::get_if<double>(&size->value) : nullptr;
      double value = (points ? *points : 12.0) + decoded.value;
      int32_t runStart = std::max(run.start, HostIndex(from)), runEnd = std::min(run.end, HostIndex(to));
      if (!stretches.empty() && stretches.back().value == value) {
        stretches.back().end = runEnd;
      } else {
        stretches.push_back({runStart, runEnd, value});
      }
      return true;
    });
  }
  bool ok = true;
  for (const Stretch& stretch : stretches) {
    AttributeBossList list;
    if (list.ApplyValue(kTextAttrLeading, stretch.value) != kSuccess) return false;
    ok &= Succeeded(TextCmdUtils::ApplyOverrides(GetStoryRef(), TextStrand::kCharacter, stretch.start,
                                                 stretch.end, list));
  }
  return ok;
}

bool VyStory::WriteParagraphScope(const ParagraphScopeSnapshot& snapshot, int32_t start, int32_t end) {
  if (snapshot.IsEmpty()) return true;
  int32_t from = 0, to = 0, ignored = 0;
  ParagraphRangeAt(start, from, ignored);
  ParagraphRangeAt(std::max(start, end - 1), ignored, to);
  bool ok = true;
  if (snapshot.leading) ok &= WriteLeading(snapshot.leading.get(), from, to);
  if (snapshot.language) {
    AttributeBossList list;
    ok &= list.ApplyAttribute(snapshot.language.get()) == kSuccess &&
          Succeeded(TextCmdUtils::ApplyOverrides(GetStoryRef(), TextStrand::kCharacter, HostIndex(from),
                                                 HostIndex(to), list));
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
  // The host sends paragraph attributes on to the paragraphs the range touches.
  return Succeeded(TextCmdUtils::ApplyOverrides(GetStoryRef(), TextStrand::kCharacter, HostIndex(start),
                                                HostIndex(start + length), list));
}

int32_t VyStory::ReadText(int32_t start, int32_t end, char16_t* buffer, int32_t capacity) const {
  if (!IsValid() || !buffer || capacity <= 0) return 0;
  start = std::max(start, 0);
  if (end <= start) return 0;
  int32_t count = GetModel()->CopyText(HostIndex(start), buffer, std::min(end - start, capacity));
  // The translation service is looked up only for text that has private-use characters.
  std::optional<CharacterTranslation> translation;
  for (int32_t i = 0; i < count; ++i) {
    if (!IsPrivateUse(buffer[i])) continue;
    if (!translation) translation.emplace(GetDocument(), GetModel().get());
    buffer[i] = translation->Translate(HostIndex(start + i), buffer[i]);
  }
  if (count == capacity && IsHighSurrogate(buffer[count - 1])) --count;
  return count;
}

bool VyStory::HasFrames() const {
  auto frames =
      Instantiate<IFrameList>(GetDocument(), LayoutUtils::FrameListOfStory(GetDocument(), GetStoryUID()));
  return frames && frames->CountFrames() > 0;
}

int32_t VyStory::QueryIndex(int32_t index) {
  // GetRange inserts pending text, so that the host holds every index the reader knows of.
  int32_t start = 0;
  int32_t end = 0;
  GetRange(start, end);
  return HostIndex(index == -1 ? start : index);
}

UID VyStory::FrameAt(int32_t index) {
  if (!IsValid()) return kInvalidUID;
  return StoryQueries::FrameAt(GetDocument(), GetStoryUID(), QueryIndex(index));
}

std::optional<PMPoint> VyStory::FrameSizeAt(int32_t index) {
  if (!IsValid()) return std::nullopt;
  return StoryQueries::FrameSizeAt(GetDocument(), GetStoryUID(), QueryIndex(index));
}

std::optional<VyStory::LinePosition> VyStory::BaselineAt(int32_t index) {
  if (!IsValid()) return std::nullopt;
  int32_t host = QueryIndex(index);
  std::optional<double> baseline = StoryQueries::BaselineAt(GetDocument(), GetStoryUID(), host);
  if (!baseline) return std::nullopt;
  return LinePosition{StoryQueries::FrameAt(GetDocument(), GetStoryUID(), host), *baseline};
}

UID VyStory::InlineItemAt(int32_t index) {
  if (!IsValid()) return kInvalidUID;
  return StoryQueries::InlineItemAt(GetDocument(), GetStoryUID(), QueryIndex(index));
}

bool VyStory::AnchorItemAt(int32_t index, UID item, AnchorKind kind) {
  if (!IsValid()) return false;
  LayoutParams params;
  params.target = GetStoryUID();
  params.position = QueryIndex(index);
  params.anchor = kind;
  if (!Succeeded(LayoutCmdUtils::Process(kAnchorItemCmdBoss, GetDocument(), {item}, params))) return false;
  anchored_.push_back(item);
  revisit_.push_back(item);
  return true;
}

void VyStory::RecheckOwners() {
  IDataBase* db = GetDocument();
  std::vector<UID> retained;
  for (const Anchor& anchor : StoryQueries::AnchoredItems(db, GetStoryUID())) {
    if (std::find(revisit_.begin(), revisit_.end(), anchor.item) == revisit_.end()) continue;
    if (!ComposedAt(db, GetStoryUID(), anchor.index) || FrameOverset(db, anchor.item))
      retained.push_back(anchor.item);
  }
  revisit_ = std::move(retained);
}

void VyStory::FitAnchoredFrames() {
  IDataBase* db = GetDocument();
  for (auto item = anchored_.rbegin(); item != anchored_.rend(); ++item) {
    if (!db->IsValidUID(*item) || !FrameOverset(db, *item)) continue;
    if (AnchorUtils::StoryOfItem(db, *item).IsValid() &&
        std::find(revisit_.begin(), revisit_.end(), *item) == revisit_.end())
      revisit_.push_back(*item);
  }
  anchored_.clear();
}

void VyStory::Finish(int32_t level) {
  if (!IsValid()) return;
  if (!revisit_.empty()) RecheckOwners();
  if (level <= 10) FitAnchoredFrames();
  if (!HasFrames()) return;
  if (level <= 0) {
    // Composition may add pages (a thread taking overset text); owners still waiting for a frame then get
    // a second pass. The host keeps no page destinations waiting for pages, so nothing else asks for one.
    for (int pass = 0; pass < kFinishPasses; ++pass) {
      int32_t pages = LayoutUtils::CountPages(GetDocument());
      ComposeFully();
      if (LayoutUtils::CountPages(GetDocument()) <= pages || revisit_.empty()) break;
      RecheckOwners();
    }
  } else if (level <= 10) {
    Recompose();
  }
}

void VyStory::ComposeFully() {
  // Composition stops early when something (an observer of the composed story, typically) scheduled a
  // command meanwhile; running it first lets the next round see its effect. An observer that schedules
  // on every round would keep this going, hence the cap.
  for (int round = 0; round < ComposeUtils::kMaxIdleRounds; ++round) {
    if (StoryComposer::ComposeStory(GetDocument(), GetStoryUID()) != kComposeStopped) break;
    if (!Succeeded(CmdUtils::ProcessScheduledCmds())) break;
  }
  (void)Succeeded(CmdUtils::ProcessScheduledCmds());
}

void VyStory::Recompose() {
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kRecomposeCmdBoss);
  if (!cmd) return;
  cmd->SetItemList(UIDList(GetDocument(), {GetStoryUID()}));
  (void)Succeeded(CmdUtils::ProcessCommand(cmd.get()));
}

}  // namespace kesto
