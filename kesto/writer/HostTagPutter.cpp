// The host dialect's story walk, tags and escapes.
#include "kesto/writer/HostTagPutter.h"

#include <algorithm>

#include "host/text/AttributeClasses.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleUtils.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/writer/EncodingRepertoire.h"
#include "kesto/writer/NumberFormat.h"
#include "kesto/writer/StoryTextWalk.h"
#include "kesto/writer/TextRuns.h"

namespace kesto {
namespace {

// Characters that stand for objects, anchors and markers: the dialect gives them no text.
bool IsObjectCharacter(char32_t c) {
  return c == 0xFFFC || c == 0xFEFF || c == 0x16 || c == 0x17;
}

// Characters written as they are in every encoding: printable ASCII other than those the dialect reserves.
constexpr std::u16string_view kReservedUnits = u"<>\\";

}  // namespace

// ---- The walk over one story range: each paragraph's and each run's tags against the one before.
class HostTagPutter::StoryWalk {
 public:
  StoryWalk(HostTagPutter& putter, const VyBaseStory& story)
      : putter_(putter),
        db_(story.GetDocument()),
        model_(*story.GetModel()),
        finalReturn_(story.GetHostLength() - 1),
        paragraph_(db_, StyleKind::kParagraph),
        run_(db_, StyleKind::kCharacter) {
    paragraph_.Bind(&paragraphAgent_);
    run_.Bind(&runAgent_);
  }

  void Run(int32_t start, int32_t end) {
    WalkStoryRuns(
        model_, start, end, [this](const VyPAttrRun& p) { Paragraph(p); },
        [this](const VyCAttrRun& r) { CharacterRun(r); }, [] {}, [this] { return putter_.GetError() != 0; });
  }

 private:
  void Paragraph(const VyPAttrRun& p) {
    paragraphAgent_ = p.attributes;
    paragraph_.ClearCaches();
    if (ITagPutterAgent* agent = putter_.GetAgent()) putter_.Note(agent->BeginParagraph(paragraph_));
    if (putter_.GetError() != 0) return;
    if (!havePrevious_ && putter_.HasOption(kPutFirstParagraphInForce)) {
      previousParagraph_ = p.attributes;
      havePrevious_ = true;
    }
    UID style = Plain(p.attributes.GetStyle(), StyleKind::kParagraph);
    if (!havePrevious_ || style != Plain(previousParagraph_.GetStyle(), StyleKind::kParagraph) ||
        putter_.HasOption(kPutOneAttributePerTag))
      putter_.PutStyleTag(StyleKind::kParagraph, NameOf(style, StyleKind::kParagraph));
    putter_.PutOverrideChanges(db_, p.attributes.GetOverrides(),
                               havePrevious_ ? previousParagraph_.GetOverrides() : nullptr);
    previousParagraph_ = p.attributes;
    havePrevious_ = true;
  }

  void CharacterRun(const VyCAttrRun& r) {
    // The story's own final return is not written, and neither are tags that would only precede it.
    if (r.start >= finalReturn_) return;
    runAgent_ = r.attributes;
    run_.ClearCaches();
    if (ITagPutterAgent* agent = putter_.GetAgent()) putter_.Note(agent->BeginRun(run_));
    if (putter_.GetError() != 0) return;
    if (!havePreviousRun_ && putter_.HasOption(kPutFirstRunInForce)) {
      previousRun_ = r.attributes;
      havePreviousRun_ = true;
    }
    UID style = Plain(r.attributes.GetStyle(), StyleKind::kCharacter);
    if (!havePreviousRun_ || style != Plain(previousRun_.GetStyle(), StyleKind::kCharacter))
      putter_.PutStyleTag(StyleKind::kCharacter, NameOf(style, StyleKind::kCharacter));
    putter_.PutOverrideChanges(db_, r.attributes.GetOverrides(),
                               havePreviousRun_ ? previousRun_.GetOverrides() : nullptr);
    previousRun_ = r.attributes;
    havePreviousRun_ = true;
    if (ITagPutterAgent* agent = putter_.GetAgent(); agent && agent->SkipRun(r)) return;
    if (!putter_.HasOption(kPutNoText)) putter_.PutRunText(model_, r.start, r.end, finalReturn_);
  }

  // The root style and no style are written alike, so they count as one.
  UID Plain(UID style, StyleKind kind) {
    UID& root = roots_[kind == StyleKind::kCharacter];
    if (!root.IsValid()) root = StyleUtils::GetRootStyle(db_, kind);
    return style == root ? UID() : style;
  }

  WideString NameOf(UID style, StyleKind kind) const {
    if (!style.IsValid()) return {};
    InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db_, style, kind);
    return info ? info->GetName() : WideString();
  }

  HostTagPutter& putter_;
  IDataBase* db_;
  const ITextModel& model_;
  int32_t finalReturn_;
  K2TextRunAttrAgent paragraphAgent_, runAgent_;
  K2AttributeSetMgr paragraph_, run_;  // what the agent is shown
  K2TextRunAttrAgent previousParagraph_, previousRun_;
  bool havePrevious_ = false;
  bool havePreviousRun_ = false;
  UID roots_[2];
};

HostTagPutter::HostTagPutter()
    : CTaggedTextPutter(-1), xfer_(this), stream_(&xfer_, XferBytesStream::Mode::kWrite) {}

int32_t HostTagPutter::PutStoryRange(const VyBaseStory& story, int32_t start, int32_t end) {
  if (!story.GetModel()) return Note(kNoStrands);
  // The dialect defines no styles: the collecting pass has nothing to record.
  if (IsCollecting()) return GetError();
  if (ITagPutterAgent* agent = GetAgent()) Note(agent->BeginStory());
  if (GetError() == 0) {
    StoryWalk walk(*this, story);
    walk.Run(start, end);
  }
  if (ITagPutterAgent* agent = GetAgent()) agent->EndStory();
  return GetError();
}

void HostTagPutter::PutBytes(std::string_view bytes) {
  (void)stream_.XferBytes(reinterpret_cast<uint8_t*>(const_cast<char*>(bytes.data())), bytes.size());
}

void HostTagPutter::PutStyleTag(StyleKind kind, std::u16string_view name) {
  bool shortNames = HasOption(kPutShortTagNames);
  PutChar(u'<');
  if (kind == StyleKind::kParagraph)
    PutBytes(shortNames ? "pstyle" : "ParaStyle");
  else
    PutBytes(shortNames ? "cstyle" : "CharStyle");
  PutChar(u':');
  PutEscapedStyleName(name);
  PutChar(u'>');
}

void HostTagPutter::PutEscapedStyleName(std::u16string_view name) {
  // A colon of the name is three backslashes and a colon, which the readers take as one colon; the group
  // separator is a plain colon (a colon escaped once would read back as a colon of the name).
  for (char16_t c : name) {
    if (c < 0x20) continue;
    if (c == kStyleGroupSeparator) {
      PutChar(u':');
    } else if (c == u':') {
      PutAscii("\\\\\\:");
    } else {
      if (c == u'<' || c == u'>' || c == u'\\' || c == u'|') PutChar(u'\\');
      PutChar(c);
    }
  }
}

void HostTagPutter::PutAttributeTag(const IDataBase* db, ClassID cls, const ITextAttribute* attribute) {
  const AttributeClassInfo* info = AttributeClasses::Find(cls);
  if (!info || !info->IsTaggedTextCapable()) return;
  WideString value;
  if (attribute) {
    value = attribute->WriteTagValue(db);
    // An empty value would read as a removal.
    if (value.empty()) return;
  }
  const std::string& name =
      HasOption(kPutShortTagNames) && !info->shortTag.empty() ? info->shortTag : info->longTag;
  PutChar(u'<');
  PutBytes(name);
  PutChar(u':');
  for (char16_t c : value) {
    if (c < 0x20) continue;
    if (c == u'<' || c == u'>' || c == u'\\') PutChar(u'\\');
    PutChar(c);
  }
  PutChar(u'>');
}

void HostTagPutter::PutOverrideChanges(const IDataBase* db, const AttributeBossList* current,
                                       const AttributeBossList* base) {
  int32_t currentCount = current ? current->CountBosses() : 0;
  int32_t baseCount = base ? base->CountBosses() : 0;
  for (int32_t i = 0; i < baseCount; ++i) {
    ClassID cls = base->GetClassN(i);
    if (!current || !current->ContainsClass(cls)) PutAttributeTag(db, cls, nullptr);
  }
  for (int32_t i = 0; i < currentCount; ++i) {
    const ITextAttribute* attribute = current->GetNth(i);
    const ITextAttribute* held = base ? base->GetByClass(current->GetClassN(i)) : nullptr;
    if (held == attribute || (held && attribute && held->Equals(*attribute))) continue;
    PutAttributeTag(db, current->GetClassN(i), attribute);
  }
}

void HostTagPutter::PutTextCharacter(char32_t c) {
  if (c == u'<' || c == u'>' || c == u'\\') {
    PutChar(u'\\');
    PutChar(c);
    return;
  }
  if (c == u'\t' || c == u'\r' || (c >= 0x20 && c <= 0x7E)) {
    PutChar(c);
    return;
  }
  StreamEncoding encoding = GetEncoding();
  bool eightBitOnly = encoding == StreamEncoding::kAscii || encoding == StreamEncoding::kUnspecified;
  if (c > 0x7E && !eightBitOnly && IsRepresentable(encoding, c)) {
    PutChar(c);
    return;
  }
  PutNumericCharacter(c);
}

void HostTagPutter::PutNumericCharacter(char32_t c) {
  char digits[6];
  size_t n = FormatCodePoint(c, digits);
  PutAscii("<0x");
  PutAscii(std::string_view(digits, n));
  PutChar(u'>');
}

void HostTagPutter::PutRunText(const ITextModel& story, int32_t start, int32_t end, int32_t finalReturn) {
  WalkStoryText(
      story, start, end,
      [](const char16_t* units, int32_t count) { return PlainPrefix(units, count, kReservedUnits); },
      [&](const char16_t* units, int32_t count) { PutUnits(units, count); },
      [&](char32_t c, int32_t index, char16_t) {
        if (!IsObjectCharacter(c) && !(c == u'\r' && index == finalReturn)) PutTextCharacter(c);
        return 0;
      },
      [&] { return GetError() != 0; });
}

}  // namespace kesto
