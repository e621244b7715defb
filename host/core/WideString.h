// WideString: the host's string of UTF-16 code units, used for all user-visible text.
#pragma once

#include <string>
#include <string_view>

using WideString = std::u16string;

// UTF-8 to UTF-16 and back; malformed UTF-8 sequences and lone surrogates become U+FFFD.
WideString WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::u16string_view wide);
