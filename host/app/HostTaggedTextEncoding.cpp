// Decoding host tagged-text sources and encoding text for them.
#include "host/app/HostTaggedTextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "host/res/CodePages.h"

namespace HostTaggedTextEncoding {
namespace {

// The 8-bit code page an encoding header at the start names.
CharacterEncoding CodePageOfHeader(std::span<const uint8_t> bytes) {
  std::u16string head(bytes.begin(), bytes.begin() + std::min(bytes.size(), TextEncodings::kHeaderBytes));
  return TextEncodings::HeaderAt(head).mac ? CharacterEncoding::kMacRoman : CharacterEncoding::kWindowsLatin;
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

CharacterEncoding Detect(std::span<const uint8_t> bytes, size_t& markLength) {
  // The dialect has no UTF-32: a UTF-16 mark followed by a zero unit is UTF-16 text.
  TextEncodings::Detected found = TextEncodings::Detect(bytes, true, false);
  markLength = found.markLength;
  return found.encoding != CharacterEncoding::kUnspecified ? found.encoding : CodePageOfHeader(bytes);
}

char16_t FromCodePage(CharacterEncoding page, uint8_t byte) {
  int32_t c = CodePageToUnicode(
      page == CharacterEncoding::kMacRoman ? CodePage::kMacRoman : CodePage::kWindows1252, byte);
  return c >= 0 ? static_cast<char16_t>(c) : u'\uFFFD';
}

WideString Decode(std::span<const uint8_t> bytes) {
  size_t mark = 0;
  CharacterEncoding encoding = Detect(bytes, mark);
  bytes = bytes.subspan(mark);
  switch (encoding) {
    case CharacterEncoding::kUtf16LE:
    case CharacterEncoding::kUtf16BE:
      return DecodeUtf16(bytes, encoding == CharacterEncoding::kUtf16LE);
    case CharacterEncoding::kUtf8:
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
  return TextEncodings::HeaderAt(Decode(head.first(std::min(head.size(), TextEncodings::kHeaderBytes))))
             .length > 0;
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
