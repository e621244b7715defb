// HostTaggedTextEncoding: the bytes of a host tagged-text source as UTF-16 text, and text back into the 8-bit
// form the dialect's "<ASCII-WIN>" header announces. The host's Unicode translator for its own dialect.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "host/core/WideString.h"
#include "host/res/TextEncodings.h"

namespace HostTaggedTextEncoding {

// The encoding of `bytes`: what TextEncodings::Detect finds (UTF-8 or UTF-16, with or without a mark);
// else the 8-bit code page of an "-MAC" or "-WIN" encoding header at the start (Windows Latin when there is
// none). `markLength` is the length of the byte-order mark.
CharacterEncoding Detect(std::span<const uint8_t> bytes, size_t& markLength);
// Whether `head` (the first bytes of a source, TextEncodings::kHeaderBytes of them where it has them)
// starts with one of the dialect's encoding headers ("<ASCII-WIN>", "<UNICODE-MAC>" ...) in any of its
// encodings.
bool StartsWithHeader(std::span<const uint8_t> head);
// The text of `bytes` after any byte-order mark. Bytes a code page leaves unassigned, and a last odd byte of
// UTF-16, become U+FFFD.
WideString Decode(std::span<const uint8_t> bytes);
// `text` in Windows Latin; characters it cannot represent become "<0x" hex ">" character tags (four to six
// digits), so that the dialect reads them back.
std::string EncodeWindowsLatin(std::u16string_view text);
// The character of `byte` in Mac Roman for kMacRoman, else in Windows Latin; U+FFFD where the code page
// assigns none.
char16_t FromCodePage(CharacterEncoding page, uint8_t byte);
// The byte of `c` in Windows Latin; -1 when it has none.
int32_t ToWindowsLatin(char16_t c);

}  // namespace HostTaggedTextEncoding
