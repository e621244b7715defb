// Which characters a destination encoding can hold, so that the writer spells the others as numeric
// character tags instead of letting the stream replace them.
#pragma once

#include "kesto/streams/StreamEncoding.h"

namespace kesto {

// ASCII (and an unspecified encoding) below U+0080; the code pages their repertoires; the Unicode
// encodings every scalar value.
bool IsRepresentable(StreamEncoding encoding, char32_t c);

}  // namespace kesto
