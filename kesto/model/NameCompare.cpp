// Case-insensitive comparison of names.
#include "kesto/model/NameCompare.h"

namespace kesto {

char16_t FoldCase(char16_t c) {
  auto shift = [c](int by) { return static_cast<char16_t>(c + by); };
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? shift(0x20) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return shift(0x20);
  // Latin Extended-A pairs upper/lower as even/odd, except the run 0x139..0x148 and 0x179..0x17E which pair
  // odd/even; 0x130 (dotted I), 0x131 (dotless i), 0x138 (kra), 0x149 and 0x17F have no pair here.
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
    return c % 2 == 0 ? shift(1) : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c % 2 == 1 ? shift(1) : c;
  if (c == 0x178) return 0xFF;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return shift(0x20);
  if (c >= 0x410 && c <= 0x42F) return shift(0x20);
  if (c >= 0x400 && c <= 0x40F) return shift(0x50);
  return c;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

}  // namespace kesto
