// Backslash escapes and numeric character codes in tag parameters.
#include "kesto/reader/ParameterEscape.h"

#include "kesto/reader/ScannerInput.h"
#include "host/res/CodePages.h"

namespace kesto {

namespace {

constexpr int32_t kQuestionMark = u'?';

int32_t HexValue(int32_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSurrogate(int32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

// Reads up to `maxDigits` digits of `base`; the first other character is pushed back.
int32_t ReadDigits(ScannerInput& input, int base, int maxDigits, int64_t& value) {
  int digits = 0;
  value = 0;
  while (digits < maxDigits) {
    int32_t c = input.Next();
    int32_t d = base == 16 ? HexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (d < 0) {
      if (c != ScannerInput::kEnd) input.PushBack();
      break;
    }
    value = value * base + d;
    ++digits;
  }
  return digits;
}

}  // namespace

int32_t ReadNumericCode(ScannerInput& input, int32_t numericPlatform) {
  int64_t value;
  int32_t c = input.Next();
  if (c == 'U') {
    int32_t plus = input.Next();
    if (plus != '+' && plus != ScannerInput::kEnd) input.PushBack();
    if (ReadDigits(input, 16, 6, value) == 0 || value > 0x10FFFF || IsSurrogate(static_cast<int32_t>(value)))
      return kQuestionMark;
    return static_cast<int32_t>(value);
  }
  if (c != ScannerInput::kEnd) input.PushBack();
  if (ReadDigits(input, 10, 3, value) == 0 || value > 255) return kQuestionMark;
  auto code = static_cast<int32_t>(value);
  if (code < 128) return code;
  CodePage page = numericPlatform == 0 ? CodePage::kMacRoman : CodePage::kWindows1252;
  int32_t mapped = CodePageToUnicode(page, static_cast<uint8_t>(code));
  return mapped < 0 ? code : mapped;
}

int32_t ReadEscape(ScannerInput& input, int32_t numericPlatform) {
  int32_t c = input.Next();
  if (c == ScannerInput::kEnd) return c;
  if (c < 0x20 || IsSurrogate(c)) {
    input.PushBack();
    return kEscapeNothing;
  }
  if (c == '#') return ReadNumericCode(input, numericPlatform);
  return c;
}

}  // namespace kesto
