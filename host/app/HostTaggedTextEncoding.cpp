// Decoding host tagged-text sources and encoding text for them.
#include "host/app/HostTaggedTextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "host/res/CodePages.h"

namespace HostTaggedTextEncoding {
namespace {

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
  int32_t c =
      CodePageToUnicode(page == Encoding::kMacRoman ? CodePage::kMacRoman : CodePage::kWindows1252, byte);
  return c >= 0 ? static_cast<char16_t>(c) : u'\uFFFD';
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
  return CodePageFromUnicode(CodePage::kWindows1252, c);
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
