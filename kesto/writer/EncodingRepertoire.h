// Which characters a destination encoding can hold, so that the writer spells the others as numeric
// character tags instead of letting the stream replace them.
#pragma once

#include "kesto/streams/StreamEncoding.h"

namespace kesto {

// ASCII (and an unspecified encoding) below U+0080; the code pages their repertoires; the Unicode
// encodings every scalar value.
bool IsRepresentable(StreamEncoding encoding, char32_t c);

// Whether `first` and `second`, written one after the other in a single-byte encoding, form the start of a
// UTF-8 sequence, which the reader (accepting UTF-8 inside 8-bit text) would take as one other character.
bool WouldReadAsUtf8(StreamEncoding encoding, char32_t first, char32_t second);

}  // namespace kesto
