// The encoding table, the byte-order-mark detector and the host dialect's encoding headers.
#include "host/res/TextEncodings.h"

#include <algorithm>

namespace TextEncodings {
namespace {

struct Row {
  CharacterEncoding encoding;
  const char* name;
  bool read;   // offered to imports
  bool write;  // offered to exports
};

// In the order users see them.
constexpr Row kRows[] = {
    {CharacterEncoding::kUnspecified, "auto", true, false},
    {CharacterEncoding::kUtf8, "utf-8", true, true},
    {CharacterEncoding::kUtf16LE, "utf-16le", true, true},
    {CharacterEncoding::kUtf16BE, "utf-16be", true, true},
    {CharacterEncoding::kWindowsLatin, "windows-latin", true, true},
    {CharacterEncoding::kMacRoman, "mac-roman", true, true},
    {CharacterEncoding::kAscii, "ascii", false, false},
    {CharacterEncoding::kUtf32LE, "utf-32le", false, false},
    {CharacterEncoding::kUtf32BE, "utf-32be", false, false},
};

bool Offered(const Row& row, Direction direction) {
  return direction == Direction::kRead ? row.read : row.write;
}

bool StartsWith(std::span<const uint8_t> bytes, std::initializer_list<uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

constexpr std::u16string_view kHeaderKinds[] = {u"ASCII", u"ANSI", u"UNICODE", u"BIG5", u"SJIS"};

}  // namespace

std::string_view NameOf(CharacterEncoding encoding) {
  for (const Row& row : kRows)
    if (row.encoding == encoding) return row.name;
  return {};
}

std::optional<CharacterEncoding> Named(std::string_view name, Direction direction) {
  for (const Row& row : kRows)
    if (row.name == name && Offered(row, direction)) return row.encoding;
  return std::nullopt;
}

std::vector<std::string> Names(Direction direction) {
  std::vector<std::string> names;
  for (const Row& row : kRows)
    if (Offered(row, direction)) names.emplace_back(row.name);
  return names;
}

Detected Detect(std::span<const uint8_t> head, bool bareUtf16, bool utf32) {
  if (StartsWith(head, {0xFE, 0xFF})) return {CharacterEncoding::kUtf16BE, 2};
  if (utf32 && StartsWith(head, {0xFF, 0xFE, 0, 0})) return {CharacterEncoding::kUtf32LE, 4};
  if (StartsWith(head, {0xFF, 0xFE})) return {CharacterEncoding::kUtf16LE, 2};
  if (StartsWith(head, {0xEF, 0xBB, 0xBF})) return {CharacterEncoding::kUtf8, 3};
  if (utf32 && StartsWith(head, {0, 0, 0xFE, 0xFF})) return {CharacterEncoding::kUtf32BE, 4};
  if (bareUtf16 && head.size() >= 2 && (head[0] == 0) != (head[1] == 0))
    return {head[0] == 0 ? CharacterEncoding::kUtf16BE : CharacterEncoding::kUtf16LE, 0};
  return {};
}

Header HeaderAt(std::u16string_view text) {
  if (!text.starts_with(u'<')) return {};
  for (std::u16string_view kind : kHeaderKinds) {
    std::u16string_view rest = text.substr(1);
    if (!rest.starts_with(kind) || !rest.substr(kind.size()).starts_with(u'-')) continue;
    rest = rest.substr(kind.size() + 1);
    bool mac = rest.starts_with(u"MAC>");
    if (!mac && !rest.starts_with(u"WIN>")) return {};
    return {kind.size() + 6, mac};
  }
  return {};
}

std::string_view HeaderFor(CharacterEncoding encoding) {
  switch (encoding) {
    case CharacterEncoding::kWindowsLatin:
    case CharacterEncoding::kAscii:
    case CharacterEncoding::kUnspecified:
      return "<ASCII-WIN>";
    case CharacterEncoding::kMacRoman:
      return "<ASCII-MAC>";
    case CharacterEncoding::kUtf16BE:
      return "<UNICODE-MAC>";
    default:
      return "<UNICODE-WIN>";
  }
}

}  // namespace TextEncodings
