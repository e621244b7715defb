// Decoding host tagged-text sources and encoding text for them.
#include "host/app/HostTaggedTextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace HostTaggedTextEncoding {
namespace {

// clang-format off
// Upper halves: entry i is the character of byte 0x80 + i; 0 where the code page assigns none.
constexpr char16_t kWindowsLatinHigh[32] = {  // 0x80..0x9F; 0xA0..0xFF are Latin-1
  0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152,
  0x0000, 0x017D, 0x0000, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122,
  0x0161, 0x203A, 0x0153, 0x0000, 0x017E, 0x0178,
};
constexpr char16_t kMacRomanHigh[128] = {
  0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5,
  0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4,
  0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6,
  0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265,
  0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF,
  0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
  0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044,
  0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
  0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9,
  0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};
// clang-format on

bool StartsWith(std::span<const uint8_t> bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                    [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

// The 8-bit code page an encoding header at the start names.
Encoding CodePageOfHeader(std::span<const uint8_t> bytes) {
  for (std::string_view header : {"<ASCII-MAC>", "<ANSI-MAC>", "<UNICODE-MAC>", "<BIG5-MAC>", "<SJIS-MAC>"})
    if (StartsWith(bytes, header)) return Encoding::kMacRoman;
  return Encoding::kWindowsLatin;
}

WideString DecodeUtf16(std::span<const uint8_t> bytes, bool little) {
  WideString text;
  text.reserve(bytes.size() / 2 + 1);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned first = bytes[i], second = bytes[i + 1];
    text += static_cast<char16_t>(little ? first | second << 8 : first << 8 | second);
  }
  if (bytes.size() % 2) text += u'\uFFFD';
  return text;
}

}  // namespace

Encoding Detect(std::span<const uint8_t> bytes, size_t& markLength) {
  markLength = 0;
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
    markLength = 2;
    return bytes[0] == 0xFF ? Encoding::kUtf16LE : Encoding::kUtf16BE;
  }
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    markLength = 3;
    return Encoding::kUtf8;
  }
  if (StartsWith(bytes, std::string_view("<\0", 2))) return Encoding::kUtf16LE;
  if (StartsWith(bytes, std::string_view("\0<", 2))) return Encoding::kUtf16BE;
  return CodePageOfHeader(bytes);
}

char16_t FromCodePage(Encoding page, uint8_t byte) {
  if (byte < 0x80) return byte;
  char16_t c = page == Encoding::kMacRoman ? kMacRomanHigh[byte - 0x80]
               : byte < 0xA0               ? kWindowsLatinHigh[byte - 0x80]
                                           : static_cast<char16_t>(byte);
  return c ? c : u'\uFFFD';
}

WideString Decode(std::span<const uint8_t> bytes) {
  size_t mark = 0;
  Encoding encoding = Detect(bytes, mark);
  bytes = bytes.subspan(mark);
  switch (encoding) {
    case Encoding::kUtf16LE:
    case Encoding::kUtf16BE:
      return DecodeUtf16(bytes, encoding == Encoding::kUtf16LE);
    case Encoding::kUtf8:
      return WideFromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    default:
      break;
  }
  WideString text(bytes.size(), u'\0');
  std::transform(bytes.begin(), bytes.end(), text.begin(),
                 [&](uint8_t b) { return FromCodePage(encoding, b); });
  return text;
}

bool StartsWithHeader(std::span<const uint8_t> head) {
  WideString text = Decode(head.first(std::min(head.size(), kHeaderBytes)));
  for (std::u16string_view name : {u"<ASCII-", u"<ANSI-", u"<UNICODE-", u"<BIG5-", u"<SJIS-"}) {
    if (!text.starts_with(name)) continue;
    std::u16string_view rest = std::u16string_view(text).substr(name.size());
    return rest.starts_with(u"WIN>") || rest.starts_with(u"MAC>");
  }
  return false;
}

int32_t ToWindowsLatin(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  const auto* found = std::find(std::begin(kWindowsLatinHigh), std::end(kWindowsLatinHigh), c);
  return found == std::end(kWindowsLatinHigh) ? -1 : static_cast<int32_t>(0x80 + (found - kWindowsLatinHigh));
}

std::string EncodeWindowsLatin(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    int32_t byte = ToWindowsLatin(text[i]);
    if (byte >= 0) {
      bytes += static_cast<char>(byte);
      continue;
    }
    char32_t cp = text[i];
    bool pair =
        cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
    if (pair) cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
    std::array<char, 16> tag{};
    std::snprintf(tag.data(), tag.size(), "<0x%04X>", static_cast<unsigned>(cp));
    bytes += tag.data();
  }
  return bytes;
}

}  // namespace HostTaggedTextEncoding
