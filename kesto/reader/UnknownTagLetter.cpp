// Reporting a tag letter that names no tag.
#include "kesto/reader/UnknownTagLetter.h"

#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"

namespace kesto {

namespace {
constexpr int32_t kParagraphReturn = 0x0D;
}  // namespace

bool ReportNoSuchTag(KestoScanner& scanner, int32_t c) {
  if (c == ScannerInput::kEnd) {
    scanner.SetError(kScanUnexpectedEndOfInput);
    scanner.SetToken(ScanToken::kEnd);
    return false;
  }
  if (c == kParagraphReturn) {
    scanner.SetError(kScanUnexpectedEndOfLine);
    scanner.PushBack();
    scanner.SetLexMode(LexMode::kText);
    return false;
  }
  scanner.SetError(kScanNoSuchTag);
  if (c != '>') return true;
  scanner.SetLexMode(LexMode::kText);
  return false;
}

void ReportUnknownTagLetter(KestoScanner& scanner, std::u16string_view prefix, int32_t c) {
  scanner.GetTagName().Set(prefix);
  if (ReportNoSuchTag(scanner, c)) scanner.GetTagName().AppendChar(c < 0x20 ? '?' : c);
}

}  // namespace kesto
