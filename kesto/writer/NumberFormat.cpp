// Printing measurements and integers.
#include "kesto/writer/NumberFormat.h"

#include <cmath>

namespace kesto {

namespace {

constexpr double kLargestIntegerPart = 2147483647;
constexpr double kNudge = 1e-7;

size_t PutDigits(unsigned long long value, char16_t* out) {
  char16_t digits[24];
  size_t n = 0;
  do {
    digits[n++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (size_t i = 0; i < n; ++i)
    out[i] = digits[n - 1 - i];
  return n;
}

}  // namespace

size_t FormatNumber(double value, char16_t* out) {
  if (!std::isfinite(value)) value = 0;
  double magnitude = std::fabs(value) + 0.0005;
  double whole = std::floor(magnitude);
  // The nudge keeps binary fractions just below a thousandth (0.1235 + 0.0005) from losing a digit.
  int thousandths = static_cast<int>((magnitude - whole) * 1000 + kNudge);
  if (thousandths >= 1000) {
    whole += 1;
    thousandths -= 1000;
  }
  if (whole > kLargestIntegerPart) whole = kLargestIntegerPart;
  size_t n = 0;
  if (value < 0 && (whole != 0 || thousandths != 0)) out[n++] = u'-';
  n += PutDigits(static_cast<unsigned long long>(whole), out + n);
  if (thousandths != 0) {
    out[n++] = u'.';
    char16_t fraction[3] = {static_cast<char16_t>(u'0' + thousandths / 100),
                            static_cast<char16_t>(u'0' + thousandths / 10 % 10),
                            static_cast<char16_t>(u'0' + thousandths % 10)};
    size_t used = fraction[2] != u'0' ? 3 : fraction[1] != u'0' ? 2 : 1;
    for (size_t i = 0; i < used; ++i)
      out[n++] = fraction[i];
  }
  return n;
}

size_t FormatInteger(long long value, char16_t* out) {
  size_t n = 0;
  unsigned long long magnitude = static_cast<unsigned long long>(value);
  if (value < 0) {
    out[n++] = u'-';
    magnitude = 0 - magnitude;
  }
  return n + PutDigits(magnitude, out + n);
}

size_t FormatCodePoint(char32_t c, char* out) {
  static const char kHex[] = "0123456789ABCDEF";
  size_t n = 0;
  for (int shift = c > 0xFFFFF ? 20 : c > 0xFFFF ? 16 : 12; shift >= 0; shift -= 4)
    out[n++] = kHex[(c >> shift) & 0xF];
  return n;
}

}  // namespace kesto
