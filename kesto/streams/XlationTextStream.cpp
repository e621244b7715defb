// The falling-back text stream.
#include "kesto/streams/XlationTextStream.h"

#include "host/res/CodePages.h"

namespace kesto {

int32_t XlationTextStream::InvalidSequence(uint32_t value) {
  if (GetEncoding() != StreamEncoding::kUtf8 || !SetEncoding(fallback_, false))
    return VyTextStream::InvalidSequence(value);
  if (value < 0x80) return static_cast<int32_t>(value);
  int32_t c = -1;
  if (value <= 0xFF && fallback_ == StreamEncoding::kWindowsLatin)
    c = CodePageToUnicode(CodePage::kWindows1252, static_cast<uint8_t>(value));
  else if (value <= 0xFF && fallback_ == StreamEncoding::kMacRoman)
    c = CodePageToUnicode(CodePage::kMacRoman, static_cast<uint8_t>(value));
  return c >= 0 ? c : Replace();
}

}  // namespace kesto
