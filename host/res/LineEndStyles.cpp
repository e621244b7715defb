// The line-end styles.
#include "host/res/LineEndStyles.h"

#include <array>

namespace {

struct Entry {
  std::u16string_view name;
  double reach;
};

constexpr std::array<Entry, 8> kStyles = {{
    {u"None", 0},
    {u"Simple", 4.5},
    {u"Triangle", 4.5},
    {u"Barbed", 5},
    {u"Curved", 5},
    {u"Circle", 2.5},
    {u"Square", 2.5},
    {u"Bar", 0.5},
}};

char16_t FoldAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

int32_t LineEndStyles::Count() {
  return static_cast<int32_t>(kStyles.size());
}

WideString LineEndStyles::GetName(LineEnd style) {
  auto i = static_cast<int32_t>(style);
  return i >= 0 && i < Count() ? WideString(kStyles[static_cast<size_t>(i)].name) : WideString();
}

std::optional<LineEnd> LineEndStyles::Find(std::u16string_view name) {
  for (size_t i = 0; i < kStyles.size(); ++i) {
    if (EqualsIgnoringAsciiCase(kStyles[i].name, name)) return static_cast<LineEnd>(i);
  }
  return std::nullopt;
}

double LineEndStyles::GetReach(LineEnd style) {
  auto i = static_cast<int32_t>(style);
  return i >= 0 && i < Count() ? kStyles[static_cast<size_t>(i)].reach : 0;
}
