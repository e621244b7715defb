// CodePoints: UTF-16 parameter text as the code points macros and translation tables keep.
#pragma once

#include <string>
#include <string_view>

namespace kesto {

// Each surrogate pair becomes one code point; a lone surrogate stays as it is.
inline std::u32string CodePointsOf(std::u16string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    out.push_back(c);
  }
  return out;
}

}  // namespace kesto
