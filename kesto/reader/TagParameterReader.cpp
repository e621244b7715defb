// The parameter readers: strings, raw text, numbers and lists, with escapes and the marked text.
#include "kesto/reader/TagParameterReader.h"

#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ParameterEscape.h"
#include "kesto/reader/ScannerErrors.h"

namespace kesto {

namespace {

constexpr int32_t kEnd = ScannerInput::kEnd;
constexpr int32_t kParagraphReturn = 0x0D;
// What an unescaped "|" becomes in the marked text: the separator of style-group paths.
constexpr char16_t kPathSeparator = 0xE00B;

bool IsQuote(int32_t c) {
  return c == '"' || c == 0x201C || c == 0x201D;
}
bool IsBlank(int32_t c) {
  return c == ' ' || c == '\t';
}
bool IsNumberChar(int32_t c) {
  return (c >= '0' && c <= '9') || c == '.' || c == '-';
}

char16_t FoldCase(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 32);
  return c;
}

void AppendUnit(std::u16string& text, int32_t c) {
  if (c > 0xFFFF) {
    c -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    text.push_back(static_cast<char16_t>(c));
  }
}

}  // namespace

void TagParameterReader::Clear() {
  text_.clear();
  marked_.clear();
  quoted_ = false;
}

int32_t TagParameterReader::NextChar() {
  return scanner_.NextChar();
}

void TagParameterReader::PushBack() {
  scanner_.PushBack();
}

void TagParameterReader::EndTagGroup() {
  scanner_.SetLexMode(LexMode::kText);
}

int32_t TagParameterReader::SkipBlanks() {
  int32_t c = NextChar();
  while (IsBlank(c))
    c = NextChar();
  return c;
}

void TagParameterReader::Append(int32_t c, bool marking, int32_t limit, bool& tooLong) {
  if (static_cast<int32_t>(text_.size()) + (c > 0xFFFF ? 2 : 1) > limit) {
    tooLong = true;
    return;
  }
  AppendUnit(text_, c);
  if (marking && c == '|')
    marked_.push_back(kPathSeparator);
  else
    AppendUnit(marked_, c);
}

int32_t TagParameterReader::ReadQuotedBody(int32_t limit, bool& tooLong) {
  for (;;) {
    int32_t c = NextChar();
    if (c == kEnd) return kScanUnexpectedEndOfInput;
    if (IsQuote(c)) return 0;
    if (c == kParagraphReturn) {
      PushBack();
      EndTagGroup();
      return kScanUnexpectedEndOfLine;
    }
    if (c == '\\') {
      int32_t escaped = ReadEscape(scanner_.GetInput(), scanner_.GetNumericCodePlatform());
      if (escaped == kEnd) return kScanUnexpectedEndOfInput;
      if (escaped != kEscapeNothing) Append(escaped, false, limit, tooLong);
      continue;
    }
    if (c < 0x20) continue;
    Append(c, true, limit, tooLong);
  }
}

int32_t TagParameterReader::ReadString() {
  Clear();
  int32_t c = SkipBlanks();
  if (c == kParagraphReturn) {
    PushBack();
    EndTagGroup();
    return kScanUnexpectedEndOfLine;
  }
  if (c == kEnd) return kScanUnexpectedEndOfInput;
  if (c == '$') return kDefault;
  if (c == '>') {
    EndTagGroup();
    return 0;
  }
  bool tooLong = false;
  if (IsQuote(c)) {
    quoted_ = true;
    int32_t result = ReadQuotedBody(kMaxTextUnits, tooLong);
    if (result != 0) return result;
    return tooLong ? kScanStringTooLong : 0;
  }
  bool marking = true;
  if (c == '\\') {
    c = ReadEscape(scanner_.GetInput(), scanner_.GetNumericCodePlatform());
    if (c == kEnd) return kScanUnexpectedEndOfInput;
    if (c == kEscapeNothing) return 0;
    marking = false;
  }
  Append(c, marking, kMaxTextUnits, tooLong);
  return 0;
}

int32_t TagParameterReader::ReadRaw(std::u32string_view stops) {
  Clear();
  bool tooLong = false;
  for (;;) {
    int32_t c = NextChar();
    if (c == kEnd) return kEnd;
    if (stops.find(static_cast<char32_t>(c)) != std::u32string_view::npos) return c;
    if (c == '\\') {
      int32_t escaped = ReadEscape(scanner_.GetInput(), scanner_.GetNumericCodePlatform());
      if (escaped == kEnd) return kEnd;
      if (escaped != kEscapeNothing) Append(escaped, false, kMaxTextUnits, tooLong);
      continue;
    }
    if (c < 0x20) continue;
    Append(c, true, kMaxTextUnits, tooLong);
  }
}

int32_t TagParameterReader::ReadNumber(double& target, uint32_t flags, double minimum, double maximum) {
  Clear();
  bool tooLong = false;
  int32_t c = SkipBlanks();
  if (c == kParagraphReturn) {
    PushBack();
    EndTagGroup();
    return kScanUnexpectedEndOfLine;
  }
  if (c == kEnd) return kScanUnexpectedEndOfInput;
  if (c == '$') {
    text_.push_back(u'$');
  } else if (c == '>') {
    EndTagGroup();
  } else if (c == '(') {
    // Leading blanks dropped, runs of blanks collapsed, a trailing blank removed.
    bool pendingBlank = false;
    for (c = NextChar(); c != ')'; c = NextChar()) {
      if (c == kEnd) return kScanUnexpectedEndOfInput;
      if (c == kParagraphReturn) {
        PushBack();
        EndTagGroup();
        return kScanUnexpectedEndOfLine;
      }
      if (IsBlank(c)) {
        pendingBlank = !text_.empty();
        continue;
      }
      if (pendingBlank) Append(' ', false, kMaxNumberUnits, tooLong);
      pendingBlank = false;
      Append(c, false, kMaxNumberUnits, tooLong);
    }
  } else {
    // A leading "." may be followed by an operator (".*2" scales the value in force, ".+2" adds to it): a
    // number tag that allows relative values takes "+" and "-" there as its own, not as the tags they are
    // elsewhere.
    auto isOperator = [](char32_t op) { return op == '*' || op == '/' || op == '+' || op == '-'; };
    for (int32_t n = 0; (c >= '0' && c <= '9') || c == '.' || (c == '-' && n == 0) ||
                        (isOperator(c) && n == 1 && text_ == u"." && (flags & kNumberRelative));
         ++n) {
      Append(c, false, kMaxNumberUnits, tooLong);
      c = NextChar();
    }
    if (c != kEnd) PushBack();
  }
  if (tooLong) return kScanNumberTooLong;
  return ConvertNumber(target, flags, minimum, maximum);
}

int32_t TagParameterReader::ReadInteger(int32_t& target, uint32_t flags, int32_t minimum, int32_t maximum) {
  double value = target;
  int32_t result =
      ReadNumber(value, kNumberPlain | (flags & (kNumberRelative | kNumberDefaultAllowed)), minimum, maximum);
  if (result == 0) target = static_cast<int32_t>(value);
  return result;
}

int32_t TagParameterReader::ConvertNumber(double& target, uint32_t flags, double minimum,
                                          double maximum) const {
  return kesto::ConvertNumber(text_, target, flags, minimum, maximum);
}

int32_t TagParameterReader::ConvertInteger(int32_t& target, uint32_t flags, int32_t minimum,
                                           int32_t maximum) const {
  return kesto::ConvertInteger(text_, target, flags, minimum, maximum);
}

bool TagParameterReader::IsSingleLetter(char16_t letter, bool ignoreCase) const {
  if (text_.size() != 1) return false;
  return text_[0] == letter || (ignoreCase && FoldCase(text_[0]) == FoldCase(letter));
}

// --- Lists

bool TagParameterReader::ReadList(ListHandler& handler, const ListSyntax& syntax) {
  Clear();
  handler.Element(ListHandler::kBegin, ListHandler::kNoItem);
  int32_t c = SkipBlanks();
  if (c == kParagraphReturn) {
    PushBack();
    EndTagGroup();
    scanner_.SetErrorIfNone(kScanUnexpectedEndOfLine);
  } else if (c == kEnd) {
    scanner_.SetErrorIfNone(kScanUnexpectedEndOfInput);
  } else if (c == '>') {
    EndTagGroup();
    scanner_.SetErrorIfNone(kScanMalformedTag);
  } else if (c != syntax.open) {
    ReadSingleValue(handler, c);
  } else {
    for (int32_t element = 0;; ++element) {
      if (scanner_.GetError() == 0) scanner_.SetParamIndex(element + 1);
      Clear();
      bool rawElement = syntax.raw && element == syntax.rawElement;
      bool tooLong = false;
      PieceEnd end = ReadPiece(syntax, false, rawElement, true, tooLong);
      while (end == PieceEnd::kOpen) {
        if (!ReadSubList(handler, syntax, element)) {
          end = PieceEnd::kError;
          break;
        }
        end = ReadPiece(syntax, false, rawElement, false, tooLong);
      }
      if (end == PieceEnd::kError) break;
      if (tooLong)
        scanner_.SetErrorIfNone(kScanListElementTooLong);
      else if (!text_.empty() || quoted_ || syntax.raw)
        handler.Element(element, ListHandler::kNoItem);
      if (end == PieceEnd::kClose) break;
    }
  }
  handler.Element(ListHandler::kEnd, ListHandler::kNoItem);
  return scanner_.GetError() == 0;
}

void TagParameterReader::ReadSingleValue(ListHandler& handler, int32_t c) {
  bool tooLong = false;
  if (IsNumberChar(c)) {
    while (IsNumberChar(c)) {
      Append(c, false, kMaxNumberUnits, tooLong);
      c = NextChar();
    }
    if (c != kEnd) PushBack();
    if (tooLong) {
      scanner_.SetErrorIfNone(kScanNumberTooLong);
      return;
    }
  } else if (c == '\\') {
    c = ReadEscape(scanner_.GetInput(), scanner_.GetNumericCodePlatform());
    if (c == kEnd) {
      scanner_.SetErrorIfNone(kScanUnexpectedEndOfInput);
      return;
    }
    if (c == kEscapeNothing) return;
    Append(c, false, kMaxTextUnits, tooLong);
  } else {
    Append(c, true, kMaxTextUnits, tooLong);
  }
  handler.Element(ListHandler::kSingle, ListHandler::kNoItem);
}

bool TagParameterReader::ReadSubList(ListHandler& handler, const ListSyntax& syntax, int32_t element) {
  savedText_ = text_;
  savedMarked_ = marked_;
  bool savedQuoted = quoted_;
  bool ok = true;
  for (int32_t item = 0;; ++item) {
    Clear();
    bool tooLong = false;
    PieceEnd end = ReadPiece(syntax, true, false, true, tooLong);
    if (end == PieceEnd::kError) {
      ok = false;
      break;
    }
    if (tooLong)
      scanner_.SetErrorIfNone(kScanSubListElementTooLong);
    else if (!text_.empty() || quoted_ || syntax.raw)
      handler.Element(element, item);
    if (end == PieceEnd::kClose) break;
  }
  text_ = savedText_;
  marked_ = savedMarked_;
  quoted_ = savedQuoted;
  return ok;
}

TagParameterReader::PieceEnd TagParameterReader::ReadPiece(const ListSyntax& syntax, bool subList,
                                                           bool rawElement, bool allowQuote, bool& tooLong) {
  const bool raw = syntax.raw;
  const int32_t limit = kMaxTextUnits;
  bool pendingBlank = false;
  for (;;) {
    int32_t c = NextChar();
    if (c == kEnd) {
      scanner_.SetErrorIfNone(kScanUnexpectedEndOfInput);
      return PieceEnd::kError;
    }
    if (c == kParagraphReturn) {
      PushBack();
      EndTagGroup();
      scanner_.SetErrorIfNone(kScanUnexpectedEndOfLine);
      return PieceEnd::kError;
    }
    if (allowQuote && !rawElement && text_.empty() && !quoted_ && IsQuote(c)) {
      quoted_ = true;
      if (int32_t result = ReadQuotedBody(limit, tooLong)) {
        scanner_.SetErrorIfNone(result);
        return PieceEnd::kError;
      }
      continue;
    }
    if (c == syntax.separator) return PieceEnd::kSeparator;
    if (c == syntax.close) return PieceEnd::kClose;
    if (c == '>' && (!raw || subList)) {
      EndTagGroup();
      scanner_.SetErrorIfNone(kScanMalformedTag);
      return PieceEnd::kError;
    }
    if (c == syntax.open && !subList) return PieceEnd::kOpen;
    bool marking = true;
    if (c == '\\') {
      c = ReadEscape(scanner_.GetInput(), scanner_.GetNumericCodePlatform());
      if (c == kEnd) {
        scanner_.SetErrorIfNone(kScanUnexpectedEndOfInput);
        return PieceEnd::kError;
      }
      if (c == kEscapeNothing) continue;
      marking = false;
    } else if (!raw) {
      if (IsBlank(c)) {
        pendingBlank = !text_.empty() || quoted_;
        continue;
      }
      if (c < 0x20) continue;
    }
    if (pendingBlank) Append(' ', false, limit, tooLong);
    pendingBlank = false;
    Append(c, marking, limit, tooLong);
  }
}

}  // namespace kesto
