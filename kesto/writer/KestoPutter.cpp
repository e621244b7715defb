// The Kesto writer's header, tag routines, story walk and text escapes.
#include "kesto/writer/KestoPutter.h"

#include <algorithm>
#include <map>

#include "host/text/AttributeClasses.h"
#include "host/text/StyleUtils.h"
#include "kesto/writer/EncodingRepertoire.h"
#include "kesto/writer/NumberFormat.h"
#include "kesto/writer/StoryTextWalk.h"

namespace kesto {

namespace {

// The header's encoding number for a stream encoding.
int32_t HeaderEncodingNumber(StreamEncoding encoding) {
  switch (encoding) {
    case StreamEncoding::kAscii:
      return 2;
    case StreamEncoding::kWindowsLatin:
      return 1;
    case StreamEncoding::kMacRoman:
      return 0;
    case StreamEncoding::kUtf8:
      return 9;
    default:
      return 8;
  }
}

// Characters written as a tag of their own: the tag's name (after "<\"), or nullptr.
const char* SpecialCharacterTag(char32_t c) {
  switch (c) {
    case 0x0003:
      return "\\r";
    case 0x0007:
      return "\\i";
    case 0x0008:
      return "\\t";
    case 0x000A:
      return "\\n";
    case u'<':
      return "\\<";
    case u'>':
      return "\\>";
    case u'@':
      return "\\@";
    case u'\\':
      return "\\\\";
    case 0x00A0:
      return "\\!s";
    case 0x00AD:
      return "\\h";
    case 0x2002:
      return "\\e";
    case 0x2003:
      return "\\m";
    case 0x2004:
      return "\\5";
    case 0x2005:
      return "\\$";
    case 0x2006:
      return "\\^";
    case 0x2007:
      return "\\8";
    case 0x2008:
      return "\\p";
    case 0x2009:
      return "\\[";
    case 0x200A:
      return "\\{";
    case 0x200B:
      return "\\z";
    case 0x2011:
      return "\\!-";
    case 0x2014:
      return "\\_";
    case 0x2060:
      return "\\j";
    case 0x0019:
      return "\\1";
    default:
      return nullptr;
  }
}

// Characters the host uses for objects and markers, which have no text of their own to write.
bool IsIgnorable(char32_t c) {
  return c == 0xFEFF || c == 0xFFFC || c == 0xFFFE || c == 0xFFFF || (c >= 0xD800 && c <= 0xDFFF) ||
         c == 0x16 || c == 0x17;
}

// Plain characters need no look-up: printable ASCII other than the four the language reserves.
constexpr std::u16string_view kReservedUnits = u"<>@\\";

}  // namespace

// ---- The walk over one story range, with the managers it keeps.
class KestoPutter::StoryWalk {
 public:
  StoryWalk(KestoPutter& putter, const VyBaseStory& story)
      : putter_(putter),
        db_(story.GetDocument()),
        model_(*story.GetModel()),
        paragraphs_{{db_, StyleKind::kParagraph}, {db_, StyleKind::kParagraph}},
        paraStyle_(db_, StyleKind::kParagraph),
        flatPara_(db_, StyleKind::kParagraph),
        runs_{{db_, StyleKind::kCharacter}, {db_, StyleKind::kCharacter}} {
    // The root character style holds nothing as a rule: runs of it are given no style at all, which spares
    // every look-up that misses the overrides a walk through the style tables. The tags map it back.
    UID root = StyleUtils::GetRootStyle(db_, StyleKind::kCharacter);
    InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db_, root, StyleKind::kCharacter);
    if (info && info->GetAttributes().IsEmpty()) emptyRoot_ = root;
    for (Slot& slot : runs_)
      slot.emptyRoot = emptyRoot_;
  }

  void Run(int32_t start, int32_t end) {
    WalkStoryRuns(
        model_, start, end, [this](const VyPAttrRun& p) { Paragraph(p); },
        [this](const VyCAttrRun& r) { Run(r); }, [this] { havePrevious_ = true; },
        [this] { return putter_.GetError() != 0; });
  }

 private:
  // A manager bound to an agent of its own. Taking over another slot's role keeps the manager's caches,
  // which hold for the same attributes.
  struct Slot {
    Slot(IDataBase* db, StyleKind kind) : manager(db, kind) { manager.Bind(&agent); }
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;
    void Load(UID style, AttrListRef list) {
      agent.Load(style == emptyRoot ? UID() : style, std::move(list));
      manager.ClearCaches();
    }
    void Load(const K2TextRunAttrAgent& from) {
      agent = from;
      if (agent.GetStyle() == emptyRoot) agent.SetStyle(UID());
      manager.ClearCaches();
    }
    K2TextRunAttrAgent agent;
    K2AttributeSetMgr manager;
    UID emptyRoot;
  };

  K2AttributeSetMgr& Para() { return para_->manager; }
  K2AttributeSetMgr& PrevPara() { return prevPara_->manager; }
  K2AttributeSetMgr& RunMgr() { return run_->manager; }
  K2AttributeSetMgr& State() { return state_->manager; }

  void Paragraph(const VyPAttrRun& p) {
    std::swap(para_, prevPara_);
    para_->Load(p.attributes);
    flatPara_.Load(UID(), Flattened(p.attributes));
    // The reader's run attributes look different over another paragraph.
    state_->manager.ClearCaches();
    if (putter_.IsCollecting()) {
      putter_.RecordParagraphStyle(db_, Para().GetStyle());
      return;
    }
    if (ITagPutterAgent* agent = putter_.GetAgent()) putter_.Note(agent->BeginParagraph(Para()));
    if (putter_.GetError() != 0) return;
    if (!havePrevious_ && putter_.HasOption(kPutFirstParagraphInForce)) {
      prevPara_->Load(para_->agent);
      havePrevious_ = true;
      state_->Load(CharacterStyleAfterParagraphStyle(Para()), EmptyAttributeList());
      stateKnown_ = true;
    }
    const K2AttributeSetMgr* base = nullptr;
    if (havePrevious_ && Para().GetStyle() == PrevPara().GetStyle() &&
        !putter_.HasOption(kPutOneAttributePerTag)) {
      if (para_->agent.SameAs(prevPara_->agent)) return;
      base = &PrevPara();
    } else if (putter_.PutParagraphStyleTag(Para())) {
      paraStyle_.Load(Para().GetStyle(), EmptyAttributeList());
      state_->Load(CharacterStyleAfterParagraphStyle(Para()), EmptyAttributeList());
      stateKnown_ = true;
      base = &paraStyle_.manager;
    } else {
      // "@:" leaves the reader's attributes as overrides of what was in force: compare with the previous
      // paragraph, and spell the next run out in full.
      stateKnown_ = false;
      base = havePrevious_ ? &PrevPara() : nullptr;
    }
    putter_.BeginGroup();
    putter_.PutParagraphAttributes(Para(), base);
    putter_.EndGroup();
  }

  void Run(const VyCAttrRun& r) {
    run_->Load(r.attributes);
    if (putter_.IsCollecting()) {
      putter_.RecordCharacterStyle(db_, RunMgr().GetStyle());
      return;
    }
    if (ITagPutterAgent* agent = putter_.GetAgent()) putter_.Note(agent->BeginRun(RunMgr()));
    if (putter_.GetError() != 0) return;
    if (firstRun_ && putter_.HasOption(kPutFirstRunInForce)) {
      state_->Load(run_->agent);
      stateKnown_ = true;
    }
    firstRun_ = false;
    if (!stateKnown_ || !run_->agent.SameAs(state_->agent)) Tags();
    if (ITagPutterAgent* agent = putter_.GetAgent(); agent && agent->SkipRun(r)) return;
    // The state holds the run's attributes now (they were equal, or the tags made them so).
    if (!putter_.HasOption(kPutNoText))
      putter_.PutRunText(model_, r.start, r.end, flatPara_.manager, State());
  }

  void Tags() {
    if (!stateKnown_ || RunMgr().GetStyle() != State().GetStyle()) {
      if (putter_.PutCharacterStyleTag(Para(), RunMgr())) {
        state_->Load(RunMgr().GetStyle(), EmptyAttributeList());
        stateKnown_ = true;
      } else if (stateKnown_) {
        Dissolve();
      }
    }
    putter_.BeginGroup();
    putter_.PutCharacterAttributes(RunMgr(), stateKnown_ ? &State() : nullptr, &flatPara_.manager);
    putter_.EndGroup();
    // The reader now has the run's attributes: the run's slot becomes the state, caches and all.
    std::swap(run_, state_);
    stateKnown_ = true;
  }

  // The paragraph's attributes with those of its styles, down to the root style's defaults, as overrides of
  // no style: the runs' look-ups that fall through to the paragraph then find everything in one list. A
  // story has few different paragraph records, so each is made once.
  AttrListRef Flattened(const K2TextRunAttrAgent& paragraph) {
    auto key = std::make_pair(paragraph.GetStyle(), paragraph.GetOverrides());
    if (auto found = flattened_.find(key); found != flattened_.end()) return found->second.list;
    K2AttributeSetMgr style(db_, StyleKind::kParagraph);
    AttributeBossList list;
    UID root = StyleUtils::GetRootStyle(db_, StyleKind::kParagraph);
    if (InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db_, root, StyleKind::kParagraph))
      list = info->GetAttributes();
    list.ApplyAttributes(style.StyleAttributesAboveRoot(paragraph.GetStyle()));
    if (const AttributeBossList* own = paragraph.GetOverrides()) list.ApplyAttributes(*own);
    if (flattened_.size() >= kMaxFlattened) flattened_.clear();
    Flat& flat = flattened_[key];
    flat.keep = paragraph;
    flat.list = MakeAttrListRef(std::move(list));
    return flat.list;
  }

  // "<@>": the reader keeps the look of its character style as overrides on the root style.
  void Dissolve() {
    K2AttributeSetMgr dissolved(db_, StyleKind::kCharacter);
    dissolved.LoadFrom(State().GetStyle(), *state_->agent.GetOverrides());
    dissolved.DissolveStyle(nullptr, nullptr);
    state_->Load(dissolved.GetStyle(), MakeAttrListRef(*dissolved.GetAgent()->GetOverrides()));
  }

  KestoPutter& putter_;
  IDataBase* db_;
  const ITextModel& model_;
  Slot paragraphs_[2];
  Slot* para_ = &paragraphs_[0];
  Slot* prevPara_ = &paragraphs_[1];
  Slot paraStyle_;
  Slot flatPara_;  // the current paragraph, flattened
  struct Flat {
    K2TextRunAttrAgent keep;  // holds the key's override list alive
    AttrListRef list;
  };
  static constexpr size_t kMaxFlattened = 256;
  std::map<std::pair<UID, const AttributeBossList*>, Flat> flattened_;
  Slot runs_[2];
  Slot* run_ = &runs_[0];
  // What the reader's character attributes will be when the current run starts.
  Slot* state_ = &runs_[1];
  UID emptyRoot_;
  bool stateKnown_ = false;
  bool havePrevious_ = false;
  bool firstRun_ = true;
};

int32_t KestoPutter::PutStory(const VyBaseStory& story, int32_t start, int32_t end, ITagPutterAgent* agent) {
  // The header waits in the buffer until the base has set the agent.
  PutHeader();
  finalReturn_ = story.GetHostLength() - 1;
  int32_t result = CTaggedTextPutter::PutStory(story, start, end, agent);
  finalReturn_ = -1;
  return result;
}

int32_t KestoPutter::PutStoryRange(const VyBaseStory& story, int32_t start, int32_t end) {
  if (!story.GetModel()) return Note(kNoStrands);
  if (!IsCollecting()) {
    if (ITagPutterAgent* agent = GetAgent()) Note(agent->BeginStory());
  }
  // The story's own final return is not written: a reader's story has one already.
  if (finalReturn_ >= 0) end = std::min(end, finalReturn_);
  StoryWalk walk(*this, story);
  walk.Run(start, end);
  if (!IsCollecting()) {
    if (ITagPutterAgent* agent = GetAgent()) agent->EndStory();
  }
  return GetError();
}

void KestoPutter::PutHeader() {
  grouping_ = false;
  groupOpen_ = false;
  listPosition_ = 0;
  if (HasOption(kPutFragment) && !HasOption(kPutHeaderAlways) && !HasOption(kPutHeaderAlways2)) return;
  PutAscii("<v7.00><e");
  PutInteger(HeaderEncodingNumber(GetEncoding()));
  PutAscii(">\r");
}

void KestoPutter::OpenTag(std::string_view name) {
  if (!grouping_ || !groupOpen_) PutChar(u'<');
  groupOpen_ = true;
  PutAscii(name);
}

void KestoPutter::CloseTag() {
  if (!grouping_) PutChar(u'>');
}

void KestoPutter::PutTag(std::string_view name) {
  OpenTag(name);
  CloseTag();
}

void KestoPutter::PutBreakTag(std::string_view name) {
  OpenTag(name);
  PutAscii(":\r");
  CloseTag();
}

void KestoPutter::BeginGroup() {
  groupOpen_ = false;
  grouping_ = !HasOption(kPutOneAttributePerTag);
}

void KestoPutter::EndGroup() {
  if (grouping_ && groupOpen_) PutChar(u'>');
  grouping_ = false;
  groupOpen_ = false;
}

UID KestoPutter::CharacterStyleAfterParagraphStyle(const K2AttributeSetMgr& paragraph) {
  return paragraph.PairedCharacterStyle();
}

void KestoPutter::PutRunText(const ITextModel& story, int32_t start, int32_t end,
                             const K2AttributeSetMgr& paragraph, const K2AttributeSetMgr& run) {
  const bool unicode = GetEncoding() >= StreamEncoding::kUtf8;
  auto character = [&](char32_t c, int32_t index, char16_t next) -> int32_t {
    if (c == u'\r' && index == finalReturn_) return 0;
    if (c == 0x2002 || c == 0x2005 || c == 0x2008) {
      // The reader follows these tags with a zero-width space: only a pair is written as the tag.
      if (next == 0x200B) {
        PutSpecialCharacter(c, 0, paragraph, run);
        return 1;
      }
      if (unicode) {
        PutChar(c);
        return 0;
      }
    }
    if (c >= 0xA0 && unicode && c != 0xA0 && c != 0xAD && (c < 0x2002 || c > 0x2060) && !IsIgnorable(c)) {
      PutChar(c);
      return 0;
    }
    PutSpecialCharacter(c, next, paragraph, run);
    return 0;
  };
  WalkStoryText(
      story, start, end,
      [](const char16_t* units, int32_t count) { return PlainPrefix(units, count, kReservedUnits); },
      [&](const char16_t* units, int32_t count) { PutUnits(units, count); }, character, [] { return false; });
}

void KestoPutter::PutSpecialCharacter(char32_t c, char16_t next, const K2AttributeSetMgr& paragraph,
                                      const K2AttributeSetMgr& run) {
  if (c == u'\r') {
    int32_t kind = 0;
    if (!paragraph.GetEnum(kTextAttrBreakKind, kind)) kind = 0;
    static const char* const kBreakTags[] = {nullptr, "\\c", "\\0", "\\b", "\\7", "\\6"};
    if (kind >= 1 && kind <= 5)
      PutBreakTag(kBreakTags[kind]);
    else
      PutChar(u'\r');
    return;
  }
  if (c == u'\t') {
    PutChar(c);
    return;
  }
  if (c == 0x18) {
    int32_t kind = 0;
    if (!run.GetEnum(kTextAttrPageNumberKind, kind)) kind = 0;
    PutTag(kind == 1 ? "\\2" : kind == 2 ? "\\4" : "\\3");
    return;
  }
  if (const char* tag = SpecialCharacterTag(c)) {
    PutTag(tag);
    return;
  }
  if (c < 0x20 || c == 0x7F || IsIgnorable(c)) return;
  if (IsRepresentable(GetEncoding(), c) && !WouldReadAsUtf8(GetEncoding(), c, next)) {
    PutChar(c);
    return;
  }
  PutNumericCharacter(c);
}

void KestoPutter::PutNumericCharacter(char32_t c) {
  char digits[6];
  size_t n = FormatCodePoint(c, digits);
  OpenTag("\\#U");
  PutAscii(std::string_view(digits, n));
  CloseTag();
}

}  // namespace kesto
