// Extension tags that act on the reading itself or hand something to the agent as it is: <&d(…)> turns
// tag interpretation off or on, <#…> is a comment, <A(x,CODE,text)[…]> a coded marker, and
// <&it"""…"""> text in the host's own tagged-text dialect.
#include "kesto/reader/CodePoints.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"
#include "kesto/reader/UnknownTagLetter.h"

namespace kesto {
namespace {

constexpr int32_t kEnd = ScannerInput::kEnd;
// The marker code of a comment, which the import agent ignores.
constexpr int32_t kCommentCode = 0x416D411A;
// Host-dialect text longer than this is refused rather than kept.
constexpr size_t kMaxHostTextUnits = size_t{1} << 22;

bool IsQuote(int32_t c) {
  return c == '"' || c == 0x201C || c == 0x201D;
}

void EndOfInput(KestoScanner& scanner) {
  scanner.SetError(kScanUnexpectedEndOfInput);
  scanner.SetToken(ScanToken::kEnd);
}

// Only the first element counts; a value without parentheses is ignored.
class InterpretTagsList : public ListHandler {
 public:
  explicit InterpretTagsList(KestoScanner& scanner) : scanner_(scanner) {}
  void Element(int32_t element, int32_t item) override {
    if (element != 0 || item != kNoItem) return;
    int32_t value = 0;
    int32_t result = scanner_.Params().ConvertInteger(value, kNumberPlain | kNumberChecked, 0, 1);
    if (result != 0)
      scanner_.SetErrorIfNone(result);
    else
      on_ = value;
  }
  int32_t on_ = -1;

 private:
  KestoScanner& scanner_;
};

void InterpretTagsTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"&d");
  InterpretTagsList list(scanner);
  if (!scanner.Params().ReadList(list) || list.on_ < 0) return;
  uint32_t options = scanner.GetOptions() & ~CTaggedTextScanner::kInterpretTags;
  scanner.SetOptions(options | (list.on_ == 1 ? CTaggedTextScanner::kInterpretTags : 0));
}

void CommentTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"#");
  if (scanner.Params().ReadRaw(U">") == kEnd) return EndOfInput(scanner);
  scanner.SetLexMode(LexMode::kText);
  scanner.SetMarker(kCommentCode, scanner.Params().GetText());
  scanner.SetToken(ScanToken::kMarker);
}

// Element 1 is the code (four characters, their low bytes first character highest), element 2 the text.
class MarkerList : public ListHandler {
 public:
  explicit MarkerList(KestoScanner& scanner) : scanner_(scanner) {}
  void Element(int32_t element, int32_t item) override {
    if (item != kNoItem) return;
    if (element == kSingle) {
      scanner_.SetErrorIfNone(kScanMalformedTag);
    } else if (element == 1) {
      std::u32string code = CodePointsOf(scanner_.Params().GetText());
      if (code.size() != 4) {
        scanner_.SetErrorIfNone(kScanMalformedTag);
        badElement_ = true;
        return;
      }
      code_ = 0;
      for (char32_t c : code)
        code_ = static_cast<int32_t>((static_cast<uint32_t>(code_) << 8) | (c & 0xFF));
      hasCode_ = true;
    } else if (element == 2) {
      text_ = scanner_.Params().GetText();
    }
  }
  bool hasCode_ = false;
  bool badElement_ = false;  // the list was read to its end, but an element was wrong
  int32_t code_ = 0;
  std::u16string text_;

 private:
  KestoScanner& scanner_;
};

void MarkerTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"A");
  MarkerList list(scanner);
  // The bracketed part follows a list with a bad element as well, and is read with it.
  if (!scanner.Params().ReadList(list, {.raw = true, .rawElement = 2}) && !list.badElement_) return;
  // What goes wrong after the list belongs to no element of it.
  if (scanner.GetError() == 0) scanner.SetParamIndex(0);
  int32_t c = scanner.NextChar();
  if (c != '[') {
    if (c != kEnd) scanner.PushBack();
    scanner.SetErrorIfNone(kScanMalformedTag);
    return;
  }
  if (scanner.Params().ReadRaw(U"]") != ']' || !list.hasCode_) scanner.SetErrorIfNone(kScanMalformedTag);
  if (scanner.GetError() != 0) return;
  scanner.SetMarker(list.code_, list.text_);
  scanner.SetToken(ScanToken::kMarker);
}

// The text runs to three quote characters followed by ">", which is left to end the tag group; quote
// characters elsewhere are text.
void HostTextTag(KestoScanner& scanner, int32_t) {
  int32_t c = scanner.NextChar();
  if (c != 't') return ReportUnknownTagLetter(scanner, u"&i", c);
  scanner.GetTagName().Set(u"&it");
  for (int i = 0; i < 3; ++i) {
    c = scanner.NextChar();
    if (!IsQuote(c)) {
      if (c != kEnd) scanner.PushBack();
      scanner.SetError(kScanMalformedTag);
      return;
    }
  }
  std::u16string& text = scanner.GetHostText();
  text.clear();
  std::u16string quotes;  // the quote characters read last, which may close the text
  bool tooLong = false;
  auto append = [&](std::u16string_view units) {
    if (text.size() + units.size() > kMaxHostTextUnits)
      tooLong = true;
    else
      text += units;
  };
  for (;;) {
    c = scanner.NextChar();
    if (c == kEnd) return EndOfInput(scanner);
    if (IsQuote(c)) {
      if (quotes.size() == 3) {
        append(quotes.substr(0, 1));
        quotes.erase(0, 1);
      }
      quotes.push_back(static_cast<char16_t>(c));
      continue;
    }
    if (c == '>' && quotes.size() == 3) break;
    append(quotes);
    quotes.clear();
    if (c > 0xFFFF) {
      const char16_t pair[2] = {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
                                static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
      append(std::u16string_view(pair, 2));
    } else {
      const auto unit = static_cast<char16_t>(c);
      append(std::u16string_view(&unit, 1));
    }
  }
  scanner.PushBack();
  if (tooLong) {
    text.clear();
    scanner.SetError(kScanStringTooLong);
    return;
  }
  scanner.SetToken(ScanToken::kHostTaggedText);
}

}  // namespace

void RegisterExtensionTags(TagDispatchTable& table) {
  table.RegisterExtension('d', &InterpretTagsTag);
  table.RegisterExtension('i', &HostTextTag);
  table.Register('#', &CommentTag);
  table.Register('A', &MarkerTag);
}

}  // namespace kesto
