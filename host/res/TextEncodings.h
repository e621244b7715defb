// TextEncodings: the character encodings of tagged text by the names users give them, the one detector of
// byte-order marks (and of UTF-16 without one) that every reader uses, and the encoding headers of the
// host's own tagged-text dialect ("<ASCII-WIN>", "<UNICODE-MAC>" ...).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The numbers are the codes text streams, stream agents and the tagged-text header pass around.
enum class CharacterEncoding : int32_t {
  kUnspecified = 0,  // read with detection, as 8-bit text; written like ASCII
  kAscii = 1,
  kWindowsLatin = 2,  // code page 1252
  kMacRoman = 3,
  kUtf8 = 4,
  kUtf16LE = 5,
  kUtf16BE = 6,
  kUtf32LE = 7,
  kUtf32BE = 8,
};

namespace TextEncodings {

// Which way a name is offered to users: imports name what they read, exports what they write.
enum class Direction : uint8_t { kRead, kWrite };

// The name users give `encoding` ("utf-16le", "auto" for kUnspecified); empty for one that has none.
std::string_view NameOf(CharacterEncoding encoding);
// The encoding a user names for `direction`; empty for a name that is not offered that way.
std::optional<CharacterEncoding> Named(std::string_view name, Direction direction);
// The names offered for `direction`, in a fixed order.
std::vector<std::string> Names(Direction direction);

// What the first bytes of a source say about its encoding.
struct Detected {
  CharacterEncoding encoding = CharacterEncoding::kUnspecified;  // kUnspecified: nothing shows
  size_t markLength = 0;                                         // bytes of the byte-order mark
};
// A byte-order mark at the start of `head` decides (UTF-8; UTF-16 either way; with `utf32` UTF-32 either
// way, the little-endian mark followed by a zero unit being UTF-32); else, with `bareUtf16`, a first unit of
// one zero and one non-zero byte is UTF-16 without a mark (8-bit text has no zero bytes). Give at least the
// first four bytes where the source has them.
Detected Detect(std::span<const uint8_t> head, bool bareUtf16 = true, bool utf32 = true);

// ---- The host dialect's encoding headers: "<" KIND "-WIN>" or "<" KIND "-MAC>", KIND one of ASCII, ANSI,
// UNICODE, BIG5 and SJIS.
struct Header {
  size_t length = 0;  // of the header, "<" and ">" included; 0 when `text` does not begin with one
  bool mac = false;   // "-MAC": 8-bit text in Mac Roman rather than Windows Latin
};
Header HeaderAt(std::u16string_view text);
// The header an export in `encoding` begins with: "<UNICODE-WIN>" for UTF-8 and little-endian UTF-16,
// "<UNICODE-MAC>" for big-endian UTF-16, "<ASCII-MAC>" for Mac Roman, "<ASCII-WIN>" for the other 8-bit
// encodings.
std::string_view HeaderFor(CharacterEncoding encoding);
// Longest header with its byte-order mark in UTF-16, in bytes: what a look at a source's first bytes needs.
inline constexpr size_t kHeaderBytes = 2 + 2 * 13;

}  // namespace TextEncodings
