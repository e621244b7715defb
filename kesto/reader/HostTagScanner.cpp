// Scanning the host's tagged-text dialect.
#include "kesto/reader/HostTagScanner.h"

#include "host/app/HostTaggedTextKeywords.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextAttribute.h"
#include "host/text/StyleNames.h"
#include "kesto/model/VyStyleInfo.h"
#include "kesto/reader/ControlCharacters.h"
#include "kesto/reader/HostTagKeywords.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/streams/VyTextStream.h"

namespace kesto {
namespace {

constexpr int32_t kEnd = VyTextStream::kEndOfText;
constexpr int32_t kReturn = 0x0D;
constexpr int32_t kEmDash = 0x2014;
// Table cells nest by recursion; deeper cells are read without it.
constexpr int32_t kMaxCellDepth = 32;
// Longer tag values are cut: no value the dialect writes comes near.
constexpr size_t kMaxValueUnits = 32768;

bool IsNameCharacter(int32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

bool IsWhitespace(int32_t c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) ||
         c == 0x3000;
}

// What the previous character says of a quote after it: it opens after nothing, space and openers.
bool QuoteOpensAfter(int32_t last) {
  return last == 0 || IsWhitespace(last) || last == '(' || last == '[' || last == '{' || last == 0x201C ||
         last == 0x2018;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

void AppendUnits(WideString& text, int32_t c) {
  if (c < 0x10000) {
    text += static_cast<char16_t>(c);
    return;
  }
  text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
  text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
}

}  // namespace

HostTagScanner::HostTagScanner() {
  HostTagKeywords::EnsureFilled();
}

int32_t HostTagScanner::Reset() {
  headerState_ = kNoHeader;
  firstTag_ = true;
  pendingError_ = 0;
  error_ = 0;
  value_.clear();
  return CTaggedTextScanner::Reset();
}

int32_t HostTagScanner::Scan(VyTextStream* source, ITagScannerAgent* agent) {
  if (int32_t reset = Reset(); reset != 0) return error_ = reset;
  source_ = source;
  agent_ = agent;
  error_ = agent_->BeginImport(TextAttributes());
  if (error_ == 0) ScanUntil(0, 0);
  if (error_ == 0) error_ = agent_->EndImport(TextAttributes());
  source_ = nullptr;
  agent_ = nullptr;
  return error_;
}

bool HostTagScanner::ScanUntil(int32_t awaited, int32_t depth) {
  while (error_ == 0) {
    int32_t c = source_->Read();
    if (c == kEnd) {
      Deliver();
      return false;
    }
    if (c == '<' && HasOption(kInterpretTags)) {
      if (ReadTag(awaited, depth)) return true;
      continue;
    }
    if (c < 0x20) {
      if (!HasOption(kKeepControlCharacters)) {
        ControlMapping mapping = MapControlCharacter(c);
        if (mapping.kind == ControlMapping::Kind::kDrop) continue;
        c = mapping.kind == ControlMapping::Kind::kBreak ? kReturn : mapping.value;
      }
    } else if (c == '\\') {
      c = source_->Read();
      if (c == kEnd) {
        Deliver();
        return false;
      }
    } else if (HasOption(kConvertQuotes)) {
      c = ConvertTypography(c);
    }
    if (!IsNonCharacter(c)) Append(c);
  }
  return false;
}

bool HostTagScanner::ReadTag(int32_t awaited, int32_t depth) {
  Tag tag;
  if (ReadName(tag)) {
    std::optional<int32_t> found = HostTagKeywords::Find(tag.name);
    if (tag.hasColon) {
      if (!found) HostTagKeywords::Add(tag.name, HostTagCode::kUnknown);
      tag.code = found.value_or(HostTagCode::kUnknown);
    } else {
      tag.code = tag.name.empty() ? HostTagCode::kCharacterCode : found.value_or(HostTagCode::kCharacterCode);
    }
    if (awaited != 0 && tag.code == awaited) {
      SkipContents(tag);
      Deliver();
      return true;
    }
    HandleTag(tag, depth);
  }
  firstTag_ = false;
  if (pendingError_ != 0) {
    // The report goes where the tag was, after the text before it.
    Deliver();
    if (error_ == 0) error_ = agent_->ReportError(pendingError_, tag.name, 0);
  }
  pendingError_ = 0;
  return false;
}

bool HostTagScanner::ReadName(Tag& tag) {
  for (;;) {
    int32_t c = source_->Read();
    if (c == ':' || c == '>') {
      tag.hasColon = c == ':';
      return true;
    }
    bool tooLong = tag.name.size() >= HostTaggedTextKeywords::kMaxTagName;
    if (c != kEnd && IsNameCharacter(c) && !tooLong) {
      tag.name += static_cast<char16_t>(c);
      continue;
    }
    // No tag: the "<" and the name so far are text, and what stopped the name is read again.
    NoteTagError(c == kEnd ? kScanUnexpectedEndOfInput : tooLong ? kScanNoSuchTag : kScanCharacterOutOfRange);
    if (c != kEnd) source_->PushBack();
    Append('<');
    for (char16_t unit : tag.name)
      Append(unit);
    return false;
  }
}

void HostTagScanner::HandleTag(const Tag& tag, int32_t depth) {
  using namespace HostTagCode;
  int32_t code = tag.code;
  if (code >= kAsciiHeader && code <= kSjisHeader) {
    HandleHeader(tag);
  } else if (code >= kVersion && code <= kLastHeaderDefinition) {
    SkipContents(tag);
    if (headerState_ != kBodyStarted) SkipLineEnds();
  } else if (code == kParaStyle || code == kCharStyle) {
    HandleStyle(tag);
  } else if (code >= kTableStart && code <= kCellEnd) {
    HandleTable(tag, depth);
  } else if (code == kCharacterCode) {
    HandleCharacterCode(tag);
  } else if (code > kLastKeyword) {
    HandleAttribute(tag);
  } else {
    if (code == kUnknown) NoteTagError(kScanNoSuchTag);
    SkipContents(tag);
  }
}

void HostTagScanner::HandleHeader(const Tag& tag) {
  bool empty = !tag.hasColon || TakeClosing();
  if (!firstTag_ || headerState_ != kNoHeader || !empty) {
    NoteTagError(kScanMalformedTag);
    if (!empty) SkipContents(tag);
    return;
  }
  headerState_ = kHeaderSeen;
  bool eightBit = tag.code == HostTagCode::kAsciiHeader || tag.code == HostTagCode::kAnsiHeader;
  if (eightBit && IsSingleByte(source_->GetEncoding()) && !source_->IsEncodingFixed()) {
    bool mac = std::u16string_view(tag.name).ends_with(u"-MAC");
    source_->SetEncoding(mac ? StreamEncoding::kMacRoman : StreamEncoding::kWindowsLatin, false);
  }
  SkipLineEnds();
}

void HostTagScanner::HandleStyle(const Tag& tag) {
  Deliver();
  headerState_ = kBodyStarted;
  value_.clear();
  if (tag.hasColon) ReadValue(true);
  bool paragraph = tag.code == HostTagCode::kParaStyle;
  K2AttributeSetMgr& side = paragraph ? static_cast<K2AttributeSetMgr&>(P()) : C();
  if (value_.empty()) {
    side.SetStyle(side.RootStyle());
  } else if (!ApplyStyleNamed(paragraph)) {
    // A style the document lacks is made (from the default of its kind, as a missing Kesto style is), so
    // that the text keeps the style it names; an agent that makes none leaves the style in force.
    if (int32_t result = DefineMissingStyle(paragraph)) {
      error_ = result;
      return;
    }
    (void)ApplyStyleNamed(paragraph);
  }
  // A notice: the agent's answer does not decide whether the scan goes on.
  if (paragraph)
    (void)agent_->ParagraphStyleApplied(TextAttributes());
  else
    (void)agent_->CharacterStyleApplied(TextAttributes());
}

bool HostTagScanner::ApplyStyleNamed(bool paragraph) {
  return paragraph ? P().SetParagraphStyleByName(value_) : C().SetCharacterStyleByName(value_);
}

int32_t HostTagScanner::DefineMissingStyle(bool paragraph) {
  if (paragraph) {
    VyParagraphStyleInfo info(GetDocument());
    info.SetName(value_);
    return agent_->DefineParagraphStyle(&info, true);
  }
  VyCharacterStyleInfo info(GetDocument());
  info.SetName(value_);
  return agent_->DefineCharacterStyle(&info, true);
}

void HostTagScanner::HandleTable(const Tag& tag, int32_t depth) {
  using namespace HostTagCode;
  if (tag.code == kTableStart || tag.code == kTableEnd) headerState_ = kBodyStarted;
  SkipContents(tag);
  Deliver();
  if (error_ != 0) return;
  switch (tag.code) {
    case kTableStart:
      error_ = agent_->TableStart();
      break;
    case kTableEnd:
      error_ = agent_->TableEnd();
      break;
    case kRowStart:
      error_ = agent_->RowStart();
      break;
    case kRowEnd:
      error_ = agent_->RowEnd();
      break;
    case kCellStart:
      error_ = agent_->CellStart();
      if (error_ == 0 && depth < kMaxCellDepth && ScanUntil(kCellEnd, depth + 1) && error_ == 0)
        error_ = agent_->CellEnd();
      break;
    default:
      error_ = agent_->CellEnd();
      break;
  }
}

// "0x" and at most eight hexadecimal digits. Scalar values that are text are appended; others are dropped.
void HostTagScanner::HandleCharacterCode(const Tag& tag) {
  std::u16string_view name = tag.name;
  if (!name.starts_with(u"0x")) {
    NoteTagError(kScanNoSuchTag);
    return;
  }
  std::u16string_view digits = name.substr(2);
  if (digits.empty() || digits.size() > 8) {
    NoteTagError(kScanMalformedTag);
    return;
  }
  uint32_t cp = 0;
  for (char16_t unit : digits) {
    int digit = HexDigit(unit);
    if (digit < 0) {
      NoteTagError(kScanMalformedTag);
      return;
    }
    cp = cp << 4 | static_cast<uint32_t>(digit);
  }
  bool scalar = cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
  bool text = cp >= 0x20 || HostTaggedTextKeywords::IsSpecialTextCharacter(cp);
  if (scalar && text && !IsNonCharacter(static_cast<int32_t>(cp))) Append(static_cast<int32_t>(cp));
}

void HostTagScanner::HandleAttribute(const Tag& tag) {
  Deliver();
  headerState_ = kBodyStarted;
  bool empty = !tag.hasColon || TakeClosing();
  value_.clear();
  if (!empty) ReadValue(false);
  ClassID cls(static_cast<uint32_t>(tag.code));
  K2AttributeSetMgr& side =
      AttributeClasses::IsParagraphAttribute(cls) ? static_cast<K2AttributeSetMgr&>(P()) : C();
  if (empty) {
    side.ClearOverride(cls);
  } else if (InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(cls); !attribute) {
    NoteTagError(kScanInternalError);
  } else if (int32_t parsed = attribute->ParseTagValue(GetDocument(), value_); parsed != kTagValueParsed) {
    bool outOfRange = parsed == kTagValueOutOfRange || parsed == kTagValueAboveRange;
    NoteTagError(outOfRange ? kScanValueOutOfRange : kScanMalformedTag);
  } else {
    side.SetAttribute(attribute.get());
  }
  // A notice: the agent's answer does not decide whether the scan goes on.
  (void)agent_->CharacterAttributesChanged(TextAttributes());
}

// A style name may also spell a colon as the writer does: three backslashes and a colon.
void HostTagScanner::ReadValue(bool styleName) {
  int32_t depth = 0;
  bool first = true;
  bool escapeNext = false;  // a backslash read ahead escapes the next character
  for (;;) {
    int32_t c = source_->Read();
    bool escaped = escapeNext || c == '\\';
    if (escaped && !escapeNext) c = source_->Read();
    escapeNext = false;
    if (styleName && escaped && c == '\\') {
      int32_t next = source_->Read();
      if (next == '\\') {
        int32_t third = source_->Read();
        if (third == ':') {
          c = ':';
        } else {
          if (third != kEnd) source_->PushBack();
          escapeNext = true;
        }
      } else if (next != kEnd) {
        source_->PushBack();
      }
    }
    if (c == kEnd) {
      NoteTagError(kScanUnexpectedEndOfInput);
      return;
    }
    if (!escaped && c == '<') ++depth;
    if (!escaped && c == '>' && depth-- == 0) return;
    if (styleName && !escaped && c == ':' && !first) c = kStyleGroupSeparator;
    if (value_.size() < kMaxValueUnits) AppendUnits(value_, c);
    first = false;
  }
}

void HostTagScanner::SkipContents(const Tag& tag) {
  if (!tag.hasColon) return;
  ReadValue(false);
  value_.clear();
}

bool HostTagScanner::TakeClosing() {
  int32_t c = source_->Read();
  if (c == '>') return true;
  if (c != kEnd) source_->PushBack();
  return false;
}

void HostTagScanner::SkipLineEnds() {
  int32_t c = source_->Read();
  while (c == '\r' || c == '\n')
    c = source_->Read();
  if (c != kEnd) source_->PushBack();
}

void HostTagScanner::Append(int32_t c) {
  headerState_ = kBodyStarted;
  firstTag_ = false;
  PushText(c);
  if (c == kReturn || textCount_ >= kFlushUnits) Deliver();
  if (c == kReturn && error_ == 0) error_ = agent_->EndOfParagraph(TextAttributes());
}

int32_t HostTagScanner::ConvertTypography(int32_t c) {
  if (c == '-') {
    int32_t next = source_->Read();
    if (next == '-') return kEmDash;
    if (next != kEnd) source_->PushBack();
    return c;
  }
  if (c != '\'' && c != '"') return c;
  return GetTextAttributes().QuoteCharacter(c == '"', !QuoteOpensAfter(lastChar_));
}

void HostTagScanner::Deliver() {
  if (textCount_ == 0 || error_ != 0) return;
  int32_t count = textCount_;
  textCount_ = 0;
  error_ = agent_->InsertText(textBuffer_.get(), count);
}

}  // namespace kesto
