// Reporting a tag letter that names no tag.
#include "kesto/reader/UnknownTagLetter.h"

#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"

namespace kesto {

namespace {
constexpr int32_t kParagraphReturn = 0x0D;
}  // namespace

void ReportUnknownTagLetter(KestoScanner& scanner, std::u16string_view prefix, int32_t c) {
  scanner.GetTagName().Set(prefix);
  if (c == ScannerInput::kEnd) {
    scanner.SetError(kScanUnexpectedEndOfInput);
    scanner.SetToken(ScanToken::kEnd);
    return;
  }
  if (c == kParagraphReturn) {
    scanner.SetError(kScanUnexpectedEndOfLine);
    scanner.PushBack();
    scanner.SetLexMode(LexMode::kText);
    return;
  }
  scanner.SetError(kScanNoSuchTag);
  if (c == '>')
    scanner.SetLexMode(LexMode::kText);
  else
    scanner.GetTagName().AppendChar(c < 0x20 ? '?' : c);
}

}  // namespace kesto
