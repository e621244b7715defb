// Headers and import bytes of embedded host tagged text.
#include "kesto/model/HostTagPassage.h"

#include <cstring>

#include "host/app/HostTaggedTextEncoding.h"

namespace kesto {

size_t HostTagHeaderLength(std::u16string_view passage) {
  static const struct {
    std::u16string_view name;
    size_t minimum;
  } kHeaders[] = {{u"<UNICODE-", 13}, {u"<ASCII-", 11}, {u"<ANSI-", 10}, {u"<BIG5-", 10}, {u"<SJIS-", 10}};
  for (const auto& header : kHeaders) {
    if (passage.size() < header.minimum || !passage.starts_with(header.name)) continue;
    size_t close = passage.find(u'>', 6);
    if (close == std::u16string_view::npos) return 0;
    size_t length = close + 1;
    if (length < passage.size() && passage[length] == u'\r') ++length;
    if (length < passage.size() && passage[length] == u'\n') ++length;
    return length;
  }
  return 0;
}

std::string HostTagImportBytes(std::u16string_view body, bool eightBit) {
  if (eightBit) return "<ASCII-WIN>\r\n" + HostTaggedTextEncoding::EncodeWindowsLatin(body);
  std::u16string text = u"<UNICODE-WIN>\r\n";
  text += body;
  std::string bytes(text.size() * sizeof(char16_t), '\0');
  std::memcpy(bytes.data(), text.data(), bytes.size());
  return bytes;
}

}  // namespace kesto
