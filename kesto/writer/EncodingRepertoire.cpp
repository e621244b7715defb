// Repertoires of the output encodings.
#include "kesto/writer/EncodingRepertoire.h"

#include "host/res/CodePages.h"

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

namespace {

int SingleByteOf(StreamEncoding encoding, char32_t c) {
  if (c < 0x80) return static_cast<int>(c);
  if (encoding == StreamEncoding::kWindowsLatin) return CodePageFromUnicode(CodePage::kWindows1252, c);
  if (encoding == StreamEncoding::kMacRoman) return CodePageFromUnicode(CodePage::kMacRoman, c);
  return -1;
}

}  // namespace

bool WouldReadAsUtf8(StreamEncoding encoding, char32_t first, char32_t second) {
  if (!IsSingleByte(encoding) || first < 0x80 || second < 0x80) return false;
  int lead = SingleByteOf(encoding, first);
  int next = SingleByteOf(encoding, second);
  return lead >= 0xC2 && lead <= 0xF4 && next >= 0x80 && next <= 0xBF;
}

}  // namespace kesto
