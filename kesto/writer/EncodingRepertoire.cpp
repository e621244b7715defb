// Repertoires of the output encodings.
#include "kesto/writer/EncodingRepertoire.h"

#include "kesto/streams/CodePages.h"

namespace kesto {

bool IsRepresentable(StreamEncoding encoding, char32_t c) {
  if (c < 0x80) return true;
  switch (encoding) {
    case StreamEncoding::kWindowsLatin:
      return CodePageFromUnicode(CodePage::kWindows1252, c) >= 0;
    case StreamEncoding::kMacRoman:
      return CodePageFromUnicode(CodePage::kMacRoman, c) >= 0;
    case StreamEncoding::kUnspecified:
    case StreamEncoding::kAscii:
      return false;
    default:
      return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
  }
}

}  // namespace kesto
