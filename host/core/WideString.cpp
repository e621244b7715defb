// Conversions between the host's UTF-16 strings and UTF-8.
#include "host/core/WideString.h"

namespace {

void AppendUtf16(WideString& out, char32_t cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Length of the sequence a lead byte starts and the smallest code point it may encode; 0 for a bad lead.
int SequenceLength(unsigned char lead, char32_t& cp, char32_t& minimum) {
  if (lead < 0x80) return cp = lead, minimum = 0, 1;
  if ((lead & 0xE0) == 0xC0) return cp = lead & 0x1F, minimum = 0x80, 2;
  if ((lead & 0xF0) == 0xE0) return cp = lead & 0x0F, minimum = 0x800, 3;
  if ((lead & 0xF8) == 0xF0) return cp = lead & 0x07, minimum = 0x10000, 4;
  return 0;
}

}  // namespace

WideString WideFromUtf8(std::string_view utf8) {
  WideString out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = 0, minimum = 0;
    int length = SequenceLength(static_cast<unsigned char>(utf8[i]), cp, minimum);
    int taken = 1;
    for (; length > 1 && taken < length && i + taken < utf8.size(); ++taken) {
      auto byte = static_cast<unsigned char>(utf8[i + taken]);
      if ((byte & 0xC0) != 0x80) break;
      cp = (cp << 6) | (byte & 0x3F);
    }
    bool good =
        length > 0 && taken == length && cp >= minimum && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    AppendUtf16(out, good ? cp : U'\uFFFD');
    i += length > 0 ? taken : 1;
  }
  return out;
}

std::string Utf8FromWide(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t cp = wide[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}
