// StreamEncoding: the encodings a text stream reads and writes (the host's one table of them), with what the
// stream layer asks of an encoding.
#pragma once

#include <bit>
#include <cstdint>

#include "host/res/TextEncodings.h"

namespace kesto {

using StreamEncoding = CharacterEncoding;

// UTF-16 in the machine's own byte order: what a string of 16-bit units holds.
inline constexpr StreamEncoding kNativeUtf16 =
    std::endian::native == std::endian::little ? StreamEncoding::kUtf16LE : StreamEncoding::kUtf16BE;

// A code from outside (a caller, a file) that names no encoding is read as kUnspecified.
constexpr StreamEncoding StreamEncodingFromCode(int32_t code) {
  return code >= 0 && code <= 8 ? static_cast<StreamEncoding>(code) : StreamEncoding::kUnspecified;
}

// The encodings of one byte per character (ASCII, the two code pages and the unspecified one).
constexpr bool IsSingleByte(StreamEncoding encoding) {
  return encoding <= StreamEncoding::kMacRoman;
}

// UTF-16 and UTF-32, whose zero bytes make them unreadable as 8-bit text and the other way round.
constexpr bool IsWide(StreamEncoding encoding) {
  return encoding >= StreamEncoding::kUtf16LE;
}

// Bytes in one code unit; 0 for the unspecified encoding, which progress counting leaves out.
constexpr int BytesPerUnit(StreamEncoding encoding) {
  switch (encoding) {
    case StreamEncoding::kUnspecified:
      return 0;
    case StreamEncoding::kUtf16LE:
    case StreamEncoding::kUtf16BE:
      return 2;
    case StreamEncoding::kUtf32LE:
    case StreamEncoding::kUtf32BE:
      return 4;
    default:
      return 1;
  }
}

}  // namespace kesto
