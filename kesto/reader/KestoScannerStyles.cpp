// The scanner's style sheets: style lines that apply a paragraph style ("@name:") or define a style
// ("@name=…"), and the character style tag <@…>. Styles the document lacks are left to the agent to create.
#include <string>
#include <utility>

#include "host/text/StyleNames.h"
#include "kesto/model/DocumentStyles.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"

namespace kesto {

namespace {

constexpr int32_t kEnd = ScannerInput::kEnd;
constexpr int32_t kParagraphReturn = 0x0D;
// Longer style names are cut to this many units (error 41).
constexpr size_t kMaxStyleNameUnits = 100;
// Where a style name ends: at a paragraph start, and inside a paragraph (before version 7 only).
constexpr std::u32string_view kStopsAtParagraphStart = U":=\r";
constexpr std::u32string_view kStopsInParagraph = U":\r@<>";
constexpr std::u32string_view kCharacterStyleStops = U":>\r";
// "Normal" stands in for a default style the document lacks, so that the agent creates one.
constexpr std::u16string_view kNormal = u"Normal";
// Character style definitions arrived with version 2 of the language.
constexpr double kCharacterStylesVersion = 2;

bool IsQuote(int32_t c) {
  return c == '"' || c == 0x201C || c == 0x201D;
}

// Cuts `name` to the longest style name, setting error 41 when it was longer.
void LimitStyleName(KestoScanner& scanner, std::u16string& name) {
  if (name.size() <= kMaxStyleNameUnits) return;
  scanner.SetErrorIfNone(kScanStyleNameTooLong);
  name.resize(kMaxStyleNameUnits);
}

void CharacterStyleTag(KestoScanner& scanner, int32_t) {
  scanner.ReadCharacterStyleTag();
}

}  // namespace

void RegisterStyleTags(TagDispatchTable& table) {
  table.Register('@', &CharacterStyleTag);
}

// ---- Style lines

bool KestoScanner::ReadStyleLine() {
  lexMode_ = LexMode::kText;
  const bool atParagraphStart = lastChar_ == 0 || lastChar_ == kParagraphReturn;
  const bool snapshot = input_.TakeSnapshot();
  int32_t stop = params_.ReadRaw(atParagraphStart ? kStopsAtParagraphStart : kStopsInParagraph);
  std::u16string name = params_.GetMarkedText();
  if (stop == kEnd && !snapshot) {
    SetError(kScanUnexpectedEndOfInput);
    token_ = ScanToken::kEnd;
    return true;
  }
  bool accepted = false;
  if (stop == ':') {
    accepted = ApplyStyleLine(std::move(name), atParagraphStart);
  } else if (stop == '=') {
    ReadDefinition(std::move(name));
    accepted = true;
  }
  if (!accepted) {
    (void)input_.RestoreSnapshot();
    return false;
  }
  input_.DropSnapshot();
  if (error_ == 0) {
    tagName_.Clear();
    paramIndex_ = 0;
  }
  return true;
}

bool KestoScanner::ApplyStyleLine(std::u16string name, bool atParagraphStart) {
  tagName_.Set(u"@...:");
  // Inside a paragraph an overlong name more likely belongs to text with an "@" in it.
  if (name.size() > kMaxStyleNameUnits && !atParagraphStart) return false;
  LimitStyleName(*this, name);
  if (name.empty()) {
    VyTextAttributeMgr::DissolveStyles(P(), C());
    defaults_.TakeParagraphStyleOnly(P().DefaultParagraphStyle());
  } else {
    bool isDefault = name == u"$";
    bool applied =
        isDefault ? VyTextAttributeMgr::ApplyNormalStyles(P(), C()) : ApplyParagraphStyleNamed(name);
    if (!applied) {
      paragraphStyleInfo_.SetName(isDefault ? kNormal : std::u16string_view(name));
      token_ = ScanToken::kParagraphStyleMissing;
      return true;
    }
    TakeParagraphDefaults();
  }
  // A notice: the agent's answer does not decide whether the scan goes on.
  (void)agent_->ParagraphStyleApplied(TextAttributes());
  return true;
}

void KestoScanner::ApplyParagraphStyle(UID style) {
  (void)P().SetStyle(style);
  P().Reset();
  C().Reset();
  UID paired = P().PairedCharacterStyle();
  if (!paired.IsValid() || !C().SetStyle(paired)) C().DissolveStyle(nullptr, nullptr);
}

bool KestoScanner::ApplyParagraphStyleNamed(std::u16string_view name) {
  NamedStyle& last = lastNamedStyle_;
  if (last.name != name || last.document != GetDocument() || last.styleChanges != StyleChangeCount())
    last = {std::u16string(name), GetDocument(), StyleChangeCount(),
            LookupParagraphStyle(GetDocument(), name)};
  const StyleLookup& found = last.found;
  if (found.IsAmbiguous()) SetErrorIfNone(kScanStyleNameAmbiguous);
  if (found.matches == 0) return false;
  ApplyParagraphStyle(found.style);
  return true;
}

void KestoScanner::FinishMissingStyle() {
  IDataBase* db = GetDocument();
  if (token_ == ScanToken::kParagraphStyleMissing) {
    StyleLookup found = LookupParagraphStyle(db, paragraphStyleInfo_.GetName());
    ApplyParagraphStyle(found.matches > 0 ? found.style : RootParagraphStyle(db));
    TakeParagraphDefaults();
    // A notice: the agent's answer does not decide whether the scan goes on.
    (void)agent_->ParagraphStyleApplied(TextAttributes());
  } else {
    StyleLookup found = LookupCharacterStyle(db, characterStyleInfo_.GetName());
    (void)C().SetStyle(found.matches > 0 ? found.style : RootCharacterStyle(db));
    C().Reset();
    TakeCharacterDefaults();
    // A notice: the agent's answer does not decide whether the scan goes on.
    (void)agent_->CharacterStyleApplied(TextAttributes());
  }
}

// ---- Definition lines

void KestoScanner::ReadDefinition(std::u16string name) {
  tagName_.Set(u"@...=");
  LimitStyleName(*this, name);
  int32_t c = NextChar();
  if (c != '[') {
    if (c != kEnd) PushBack();
    if (version_ < kCharacterStylesVersion) {
      StartParagraphDefinition(name);
      // Without a prefix the style stands on its own: based on the root, followed by the root.
      paragraphStyleInfo_.RebaseOnRoot();
      paragraphStyleInfo_.SetNextStyle(RootParagraphStyle(GetDocument()));
    } else {
      StartCharacterDefinition(name, kInvalidUID);
    }
    return;
  }
  c = NextChar();
  if (c == 'S' || c == 's') {
    ReadParagraphDefinitionPrefix(name);
    return;
  }
  // Colour and H&J definitions are not kept; a prefix of no known kind is skipped the same way.
  defMode_ = c == 'H' || c == 'h' ? DefMode::kHJ : DefMode::kColor;
  if (c != 'C' && c != 'c' && c != 'H' && c != 'h') {
    if (c != kEnd) PushBack();
    SetErrorIfNone(kScanMalformedDefinitionPrefix);
    return;
  }
  ExpectDefinitionEnd();
}

void KestoScanner::ReadParagraphDefinitionPrefix(const std::u16string& name) {
  tagName_.Set(u"@...=[S]");
  IDataBase* db = GetDocument();
  int32_t c = NextChar();
  if (c != 'p' && c != 't' && c != kEnd) PushBack();

  // Element 1, the based-on style: without it the style starts as a copy of the default paragraph style;
  // one the document lacks (or an empty name) bases it on the root with the default style's look.
  paramIndex_ = 1;
  std::u16string element;
  c = PeekDefinitionChar();
  bool readable = c == ',' || c == ']' || ReadDefinitionElement(element);
  bool named = readable && c != ',' && c != ']';
  StyleLookup basedOn = named ? LookupParagraphStyle(db, element) : StyleLookup();
  if (basedOn.Found()) {
    paragraphStyleInfo_.BaseOn(basedOn.style);
  } else {
    if (named && !element.empty()) SetErrorIfNone(kScanNoSuchBasedOnStyle);
    StartParagraphDefinition(name);
    if (named) paragraphStyleInfo_.RebaseOnRoot();
  }
  paragraphStyleInfo_.SetName(name);
  paragraphStyleInfo_.SetCharacterStyle(kInvalidUID);
  paragraphStyleInfo_.SetNextStyle(kInvalidUID);
  defMode_ = DefMode::kParagraphStyle;

  const bool laterElements = version_ >= kCharacterStylesVersion;
  auto nextElement = [&](int32_t index) {
    if (!readable || PeekDefinitionChar() != ',') return false;
    (void)NextChar();
    paramIndex_ = index;
    readable = ReadDefinitionElement(element);
    return readable;
  };
  // Element 2, the next style: its own name means the style itself, an empty name the root. A name the
  // document lacks may be defined further on, so it is handed on by name for the agent to settle.
  if (nextElement(2) && element != name) {
    StyleLookup next =
        element.empty() ? StyleLookup{RootParagraphStyle(db), 1} : LookupParagraphStyle(db, element);
    if (next.matches > 0)
      paragraphStyleInfo_.SetNextStyle(next.style);
    else if (StyleNames::IsValid(element))
      paragraphStyleInfo_.SetNextStyleName(element);
    else
      SetErrorIfNone(kScanNoSuchNextStyle);
  }
  // Element 3, the character style that goes with the paragraph style.
  if (laterElements && nextElement(3) && !element.empty()) {
    StyleLookup paired = LookupCharacterStyle(db, element);
    if (paired.matches > 0)
      paragraphStyleInfo_.SetCharacterStyle(paired.style);
    else
      SetErrorIfNone(kScanNoSuchStyle);
  }
  // Element 4 turns the line into the definition of a character style based on the style it names.
  if (laterElements && nextElement(4)) {
    StyleLookup based = LookupCharacterStyle(db, element);
    if (based.matches == 0 && !element.empty()) SetErrorIfNone(kScanNoSuchStyle);
    StartCharacterDefinition(name, based.matches > 0 ? based.style : RootCharacterStyle(db));
  }
  ExpectDefinitionEnd();
}

int32_t KestoScanner::PeekDefinitionChar() {
  int32_t c = NextChar();
  while (c == ' ' || c == '\t')
    c = NextChar();
  if (c != kEnd) PushBack();
  return c;
}

bool KestoScanner::ReadDefinitionElement(std::u16string& text) {
  text.clear();
  if (!IsQuote(PeekDefinitionChar()) || params_.ReadString() != 0) {
    SetErrorIfNone(kScanMalformedDefinitionPrefix);
    return false;
  }
  text = params_.GetMarkedText();
  LimitStyleName(*this, text);
  return true;
}

void KestoScanner::StartParagraphDefinition(const std::u16string& name) {
  VyParagraphStyleInfo& info = paragraphStyleInfo_;
  info.LoadFromDefaultStyle();
  info.SetName(name);
  info.SetCharacterStyle(kInvalidUID);
  defMode_ = DefMode::kParagraphStyle;
}

void KestoScanner::StartCharacterDefinition(const std::u16string& name, UID basedOn) {
  VyCharacterStyleInfo& info = characterStyleInfo_;
  if (basedOn.IsValid()) {
    info.BaseOn(basedOn);
  } else {
    info.LoadFromDefaultStyle();
    info.RebaseOnRoot();
  }
  info.SetName(name);
  defMode_ = DefMode::kCharacterStyle;
}

void KestoScanner::ExpectDefinitionEnd() {
  (void)PeekDefinitionChar();
  int32_t c = NextChar();
  if (c == ']') return;
  if (c != kEnd) PushBack();
  SetErrorIfNone(kScanMalformedDefinitionPrefix);
}

bool KestoScanner::CompleteDefinitionAtEnd() {
  switch (std::exchange(defMode_, DefMode::kNormal)) {
    case DefMode::kParagraphStyle:
      token_ = ScanToken::kParagraphStyleDefined;
      return true;
    case DefMode::kCharacterStyle:
      token_ = ScanToken::kCharacterStyleDefined;
      return true;
    default:
      return false;
  }
}

// ---- The character style tag

void KestoScanner::ReadCharacterStyleTag() {
  tagName_.Set(u"@");
  lexMode_ = LexMode::kText;
  int32_t stop = params_.ReadRaw(kCharacterStyleStops);
  std::u16string name = params_.GetMarkedText();
  // The text after ":" is skipped up to the end of the tag.
  while (stop != '>' && stop != kParagraphReturn && stop != kEnd)
    stop = NextChar();
  if (stop == kEnd) {
    SetError(kScanUnexpectedEndOfInput);
    token_ = ScanToken::kEnd;
    return;
  }
  if (stop == kParagraphReturn) {
    SetError(kScanUnexpectedEndOfLine);
    PushBack();
    return;
  }
  LimitStyleName(*this, name);
  // Exported text spells it "$p".
  if (name == u"$P" || name == u"$p") {
    ApplyPairedCharacterStyle();
  } else if (name.empty()) {
    C().DissolveStyle(nullptr, nullptr);
    defaults_.TakeCharacterStyleOnly(C().DefaultCharacterStyle());
  } else {
    bool isDefault = name == u"$";
    bool applied = isDefault ? C().SetStyle(C().DefaultCharacterStyle()) : ApplyCharacterStyleNamed(name);
    if (!applied) {
      characterStyleInfo_.SetName(isDefault ? kNormal : std::u16string_view(name));
      token_ = ScanToken::kCharacterStyleMissing;
      return;
    }
    C().Reset();
    TakeCharacterDefaults();
  }
  // A notice: the agent's answer does not decide whether the scan goes on.
  (void)agent_->CharacterStyleApplied(TextAttributes());
}

bool KestoScanner::ApplyCharacterStyleNamed(std::u16string_view name) {
  StyleLookup found = LookupCharacterStyle(GetDocument(), name);
  if (found.IsAmbiguous()) SetErrorIfNone(kScanStyleNameAmbiguous);
  if (found.matches == 0) return false;
  (void)C().SetStyle(found.style);
  return true;
}

void KestoScanner::ApplyPairedCharacterStyle() {
  if (P().GetStyle() == RootParagraphStyle(GetDocument())) {
    C().DissolveStyle(nullptr, nullptr);
    defaults_.TakeCharacterStyleOnly(C().DefaultCharacterStyle());
    return;
  }
  (void)C().SetStyle(P().PairedCharacterStyle());
  C().Reset();
  TakeCharacterDefaults();
}

}  // namespace kesto
