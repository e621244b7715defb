// HostTagPassage: the parts of a passage of host tagged text embedded in other input (its encoding header
// and its body), and the bytes the host's importer is given for it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kesto {

// The length of the encoding header `passage` starts with, 0 when none: "<" and "UNICODE-" (in a passage
// of at least 13 units), "ASCII-" (11), "ANSI-", "BIG5-" or "SJIS-" (10), up to the first ">" from the
// seventh unit on, then one return and one line feed when they follow.
size_t HostTagHeaderLength(std::u16string_view passage);

// The bytes of `body` behind a fresh header: in the host's 8-bit encoding behind "<ASCII-WIN>" CR LF when
// `eightBit`, else UTF-16 (machine order) behind "<UNICODE-WIN>" CR LF.
std::string HostTagImportBytes(std::u16string_view body, bool eightBit);

}  // namespace kesto
