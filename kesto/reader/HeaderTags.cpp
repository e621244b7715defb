// The header tags that open a Kesto file: <e…> (encoding, with re-decoding of the input) and <v…>
// (language version). Both make the rest of their line a header line, whose text is not inserted.
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/TagDispatcher.h"
#include "kesto/streams/StreamEncoding.h"

namespace kesto {

namespace {

constexpr double kMaxVersion = 10000;

StreamEncoding EncodingOfDigit(int32_t digit) {
  switch (digit) {
    case 0:
      return StreamEncoding::kMacRoman;
    case 1:
      return StreamEncoding::kWindowsLatin;
    case 8:
      return StreamEncoding::kUtf16LE;
    case 9:
      return StreamEncoding::kUtf8;
    default:
      return StreamEncoding::kUnspecified;
  }
}

void EncodingTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"e");
  int32_t c = scanner.NextChar();
  if (c < '0' || c > '9') {
    if (c != ScannerInput::kEnd) scanner.PushBack();
    return;
  }
  int32_t digit = c - '0';
  // Only "0" selects Mac Roman for numeric character codes.
  scanner.SetNumericCodePlatform(digit);
  // A source whose encoding a byte-order mark fixed, or that is UTF-16, keeps its encoding.
  scanner.GetInput().Redecode(EncodingOfDigit(digit));
  scanner.SetDefMode(DefMode::kHeader);
}

void VersionTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"v");
  double version = scanner.GetVersion();
  int32_t result = scanner.Params().ReadNumber(version, kNumberPlain, 0, kMaxVersion);
  if (result == 0)
    scanner.SetVersion(version);
  else if (result > 0)
    scanner.SetError(result);
  scanner.SetDefMode(DefMode::kHeader);
}

}  // namespace

void RegisterHeaderTags(TagDispatchTable& table) {
  table.Register('e', &EncodingTag);
  table.Register('v', &VersionTag);
}

}  // namespace kesto
