// Text streams: decoding with mark and UTF-16 detection, and encoding.
#include "kesto/streams/VyTextStream.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "host/res/CodePages.h"
#include "kesto/streams/Utf8StateMachine.h"

namespace kesto {

namespace {

constexpr int32_t kCR = 0x0D;
constexpr int32_t kLF = 0x0A;

bool IsSurrogate(uint32_t u) {
  return u >= 0xD800 && u <= 0xDFFF;
}
bool IsHighSurrogate(uint32_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(uint32_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

// Mac Roman punctuation (« “ ‘ ’ ‹) that often comes before a letter of the continuation-byte range in real
// Mac Roman text, so it is never taken for the start of a UTF-8 sequence.
bool IsMacRomanNonLead(uint8_t byte) {
  return byte == 0xC7 || byte == 0xD2 || byte == 0xD4 || byte == 0xD5 || byte == 0xDC;
}

bool IsLittleEndian(StreamEncoding encoding) {
  return encoding == StreamEncoding::kUtf16LE || encoding == StreamEncoding::kUtf32LE;
}

}  // namespace

VyTextStream::VyTextStream(VyStreamAgent* agent, int32_t lineEndMode)
    : VyTextStream(agent, agent ? agent->GetEncoding() : StreamEncoding::kUnspecified, lineEndMode) {}

VyTextStream::VyTextStream(VyStreamAgent* agent, StreamEncoding encoding, int32_t lineEndMode)
    : state_(agent ? 0 : kBad), agent_(agent), lineEndMode_(lineEndMode), encoding_(encoding) {}

int32_t VyTextStream::InvalidSequence(uint32_t value) {
  return Replace();
}

int32_t VyTextStream::TruncatedSequence() {
  return Replace();
}

// --- Reading

int32_t VyTextStream::Read() {
  if (state_ & kStopMask) return kEndOfText;
  if (detect_) DetectEncoding();
  int32_t c = Decode();
  if (lineEndMode_ == kWindowsLineEnds) {
    if (c == kLF) return kCR;
    if (c == kCR) ConsumeLineFeed();
  }
  return c;
}

size_t VyTextStream::Read(int32_t* chars, size_t count) {
  size_t n = 0;
  while (n < count && (state_ & kStopMask) == 0) {
    if (!detect_) n = ReadRun(chars, n, count);
    if (n == count) break;
    int32_t c = Read();
    if (c < 0) break;
    chars[n++] = c;
  }
  return n;
}

void VyTextStream::DetectEncoding() {
  detect_ = false;
  uint8_t b[4] = {};
  size_t n = Lookahead(b, 4);
  // A declared wide encoding is not second-guessed by the zero bytes of its own text.
  TextEncodings::Detected found = TextEncodings::Detect({b, n}, encoding_ <= StreamEncoding::kUtf8);
  if (found.encoding == StreamEncoding::kUnspecified) return;
  encoding_ = found.encoding;
  fixed_ = true;
  Skip(found.markLength);
}

int32_t VyTextStream::Decode() {
  int first = NextByte();
  if (first < 0) {
    state_ |= kEndOfInput | kFailed;
    lastBytes_ = 0;
    return kEndOfText;
  }
  auto byte = static_cast<uint8_t>(first);
  lastBytes_ = 1;
  switch (encoding_) {
    case StreamEncoding::kUtf8: {
      if (byte < 0x80) return byte;
      int32_t cp;
      return TryUtf8(byte, cp) ? cp : InvalidSequence(byte);
    }
    case StreamEncoding::kUtf16LE:
    case StreamEncoding::kUtf16BE:
      return DecodeUtf16(byte);
    case StreamEncoding::kUtf32LE:
    case StreamEncoding::kUtf32BE:
      return DecodeUtf32(byte);
    default:
      return DecodeSingleByte(byte);
  }
}

int32_t VyTextStream::DecodeSingleByte(uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0 && !(encoding_ == StreamEncoding::kMacRoman && IsMacRomanNonLead(byte))) {
    int32_t cp;
    if (TryUtf8(byte, cp)) return cp;
  }
  switch (encoding_) {
    case StreamEncoding::kWindowsLatin: {
      char16_t c = kWindows1252High[byte - 0x80];
      return c != 0 ? c : Replace();
    }
    case StreamEncoding::kMacRoman:
      return kMacRomanHigh[byte - 0x80];
    default:
      return byte;
  }
}

bool VyTextStream::TryUtf8(uint8_t lead, int32_t& cp) {
  uint32_t value = 0;
  uint32_t state = Utf8Step(kUtf8Accept, lead, value);
  int64_t consumed = 0;
  while (state != kUtf8Accept && state != kUtf8Reject) {
    int next = NextByte();
    if (next < 0) break;
    ++consumed;
    state = Utf8Step(state, static_cast<uint8_t>(next), value);
  }
  if (state == kUtf8Accept) {
    cp = static_cast<int32_t>(value);
    lastBytes_ = 1 + consumed;
    return true;
  }
  StepBack(consumed);
  return false;
}

int32_t VyTextStream::DecodeUtf16(uint8_t first) {
  bool little = IsLittleEndian(encoding_);
  auto unit = [little](int a, int b) { return static_cast<uint32_t>(little ? a | (b << 8) : (a << 8) | b); };
  int second = NextByte();
  if (second < 0) return TruncatedSequence();
  uint32_t u = unit(first, second);
  lastBytes_ = 2;
  if (!IsSurrogate(u)) return static_cast<int32_t>(u);
  if (IsLowSurrogate(u)) return InvalidSequence(u);
  int third = NextByte();
  if (third < 0) return TruncatedSequence();
  int fourth = NextByte();
  if (fourth < 0) {
    lastBytes_ = 3;
    return TruncatedSequence();
  }
  uint32_t low = unit(third, fourth);
  if (!IsLowSurrogate(low)) {
    StepBack(2);
    return InvalidSequence(u);
  }
  lastBytes_ = 4;
  return static_cast<int32_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
}

int32_t VyTextStream::DecodeUtf32(uint8_t first) {
  uint8_t bytes[4] = {first};
  for (int i = 1; i < 4; ++i) {
    int next = NextByte();
    if (next < 0) return TruncatedSequence();
    bytes[i] = static_cast<uint8_t>(next);
    lastBytes_ = i + 1;
  }
  uint32_t value = IsLittleEndian(encoding_)
                       ? bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (uint32_t{bytes[3]} << 24)
                       : (uint32_t{bytes[0]} << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
  if (value > 0x10FFFF || IsSurrogate(value)) return InvalidSequence(value);
  return static_cast<int32_t>(value);
}

namespace {

// Copies the bytes at `p` (at most `limit`) that are ASCII other than the line ends to `out`, one character
// each, and answers how many: every 8-bit encoding and UTF-8 take them as they are. Sixteen bytes are tested
// and widened at a time where vector instructions allow.
size_t CopyPlainAscii(const uint8_t* p, size_t limit, int32_t* out) {
  size_t k = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i cr = _mm_set1_epi8(0x0D), lf = _mm_set1_epi8(0x0A);
  for (; k + 16 <= limit; k += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
    __m128i lineEnds = _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf));
    auto stops = static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(bytes, lineEnds)));
    // All sixteen are widened; only those before the first stop count.
    __m128i low = _mm_unpacklo_epi8(bytes, zero), high = _mm_unpackhi_epi8(bytes, zero);
    auto* to = reinterpret_cast<__m128i*>(out + k);
    _mm_storeu_si128(to, _mm_unpacklo_epi16(low, zero));
    _mm_storeu_si128(to + 1, _mm_unpackhi_epi16(low, zero));
    _mm_storeu_si128(to + 2, _mm_unpacklo_epi16(high, zero));
    _mm_storeu_si128(to + 3, _mm_unpackhi_epi16(high, zero));
    if (stops != 0) return k + static_cast<size_t>(std::countr_zero(stops));
  }
#endif
  for (; k < limit && p[k] < 0x80 && p[k] != 0x0D && p[k] != 0x0A; ++k)
    out[k] = p[k];
  return k;
}

// Copies the units at the start of `text` that are ASCII other than a return to `out` (room for `room`
// bytes), a byte each, and answers how many: every 8-bit encoding and UTF-8 write them as they are. Sixteen
// units are tested and narrowed at a time where vector instructions allow; the caller's loop takes what is
// left.
size_t CopyPlainUnits(std::u16string_view text, uint8_t* out, size_t room) {
  size_t k = 0;
  const size_t limit = std::min(text.size(), room);
#if defined(__SSE2__)
  const __m128i high = _mm_set1_epi16(static_cast<int16_t>(0xFF80)), cr = _mm_set1_epi16(0x0D);
  const __m128i zero = _mm_setzero_si128();
  auto plain = [&](__m128i units) {
    return _mm_andnot_si128(_mm_cmpeq_epi16(units, cr), _mm_cmpeq_epi16(_mm_and_si128(units, high), zero));
  };
  for (; k + 16 <= limit; k += 16) {
    __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + k));
    __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + k + 8));
    if (_mm_movemask_epi8(_mm_and_si128(plain(first), plain(second))) != 0xFFFF) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_packus_epi16(first, second));
  }
#endif
  return k;
}

}  // namespace

// The hot loop of every import: characters that need no detection, line-end or error handling are decoded
// here without leaving the read area; anything else stops the run and goes through Read.
size_t VyTextStream::ReadRun(int32_t* chars, size_t n, size_t count) {
  const uint8_t* p = agent_->readNext_;
  const uint8_t* const end = agent_->readEnd_;
  const uint8_t* last = nullptr;  // start of the last character taken
  // Plain ASCII goes in bulk; the loops below take over at the first other byte.
  auto takeAscii = [&] {
    size_t k = CopyPlainAscii(p, std::min(count - n, static_cast<size_t>(end - p)), chars + n);
    if (k > 0) {
      last = p + k - 1;
      p += k;
      n += k;
    }
  };
  switch (encoding_) {
    case StreamEncoding::kUtf8:
      while (n < count && p < end) {
        takeAscii();
        if (n == count || p == end) break;
        uint8_t b = *p;
        if (b < 0x80) {
          if (b == kCR || b == kLF) break;
          last = p++;
          chars[n++] = b;
          continue;
        }
        // A whole valid sequence inside the area; anything else goes the slow way.
        uint32_t cp = 0;
        uint32_t state = Utf8Step(kUtf8Accept, b, cp);
        const uint8_t* q = p + 1;
        while (state > kUtf8Reject && q < end)
          state = Utf8Step(state, *q++, cp);
        if (state != kUtf8Accept) break;
        last = p;
        p = q;
        chars[n++] = static_cast<int32_t>(cp);
      }
      break;
    case StreamEncoding::kUnspecified:
    case StreamEncoding::kAscii:
    case StreamEncoding::kWindowsLatin:
    case StreamEncoding::kMacRoman: {
      const char16_t* high = encoding_ == StreamEncoding::kWindowsLatin ? kWindows1252High
                             : encoding_ == StreamEncoding::kMacRoman   ? kMacRomanHigh
                                                                        : nullptr;
      while (n < count && p < end) {
        takeAscii();
        if (n == count || p == end) break;
        uint8_t b = *p;
        int32_t c;
        if (b < 0x80) {
          if (b == kCR || b == kLF) break;
          c = b;
        } else if (b < 0xC0) {
          // Never a UTF-8 lead: straight through the code page.
          c = high ? high[b - 0x80] : b;
          if (c == 0) break;
        } else {
          break;
        }
        last = p++;
        chars[n++] = c;
      }
      break;
    }
    case StreamEncoding::kUtf16LE:
    case StreamEncoding::kUtf16BE: {
      bool little = encoding_ == StreamEncoding::kUtf16LE;
      while (n < count && end - p >= 2) {
        uint32_t u = little ? p[0] | (p[1] << 8) : (p[0] << 8) | p[1];
        if (u == kCR || u == kLF || IsSurrogate(u)) break;
        last = p;
        p += 2;
        chars[n++] = static_cast<int32_t>(u);
      }
      break;
    }
    default:
      break;
  }
  if (last) lastBytes_ = p - last;
  agent_->readNext_ = p;
  return n;
}

void VyTextStream::ConsumeLineFeed() {
  if (!IsWide(encoding_) && agent_->readNext_ < agent_->readEnd_) {
    // The common case: a one-byte encoding with the next byte in the buffer.
    if (*agent_->readNext_ == kLF) {
      ++agent_->readNext_;
      ++lastBytes_;
    }
    return;
  }
  uint8_t lineFeed[4] = {};
  size_t size = 1;
  switch (encoding_) {
    case StreamEncoding::kUtf16LE:
    case StreamEncoding::kUtf32LE:
      size = BytesPerUnit(encoding_);
      lineFeed[0] = kLF;
      break;
    case StreamEncoding::kUtf16BE:
    case StreamEncoding::kUtf32BE:
      size = BytesPerUnit(encoding_);
      lineFeed[size - 1] = kLF;
      break;
    default:
      lineFeed[0] = kLF;
      break;
  }
  uint8_t next[4];
  if (Lookahead(next, size) == size && std::memcmp(next, lineFeed, size) == 0) {
    Skip(size);
    lastBytes_ += static_cast<int64_t>(size);
  }
}

size_t VyTextStream::Lookahead(uint8_t* bytes, size_t count) {
  if (static_cast<size_t>(agent_->readEnd_ - agent_->readNext_) >= count) {
    std::memcpy(bytes, agent_->readNext_, count);
    return count;
  }
  size_t n = 0;
  while (n < count) {
    int byte = NextByte();
    if (byte < 0) break;
    bytes[n++] = static_cast<uint8_t>(byte);
  }
  StepBack(static_cast<int64_t>(n));
  return n;
}

void VyTextStream::Skip(size_t count) {
  for (size_t i = 0; i < count; ++i)
    NextByte();
}

void VyTextStream::StepBack(int64_t count) {
  if (count <= 0) return;
  if (agent_->readNext_ - agent_->readStart_ >= count) {
    agent_->readNext_ -= count;
  } else if (agent_->Seek(-count, VyStreamAgent::SeekOrigin::kCurrent, VyStreamAgent::Area::kRead) < 0) {
    state_ |= kFailed;
  }
}

bool VyTextStream::PushBack() {
  if (!agent_ || lastBytes_ == 0) return false;
  StepBack(lastBytes_);
  lastBytes_ = 0;
  return (state_ & kFailed) == 0;
}

bool VyTextStream::Seek(int64_t position, VyStreamAgent::Area area) {
  if (!agent_) return false;
  if (agent_->Seek(position, VyStreamAgent::SeekOrigin::kStart, area) < 0) {
    state_ |= kFailed;
    return false;
  }
  state_ &= static_cast<uint8_t>(~(kEndOfInput | kFailed));
  lastBytes_ = 0;
  return true;
}

int64_t VyTextStream::Tell(VyStreamAgent::Area area) {
  return agent_ ? agent_->Tell(area) : -1;
}

bool VyTextStream::SetEncoding(StreamEncoding encoding, bool detect) {
  if (fixed_ && (IsWide(encoding_) || IsWide(encoding))) return false;
  if (!agent_ || !agent_->SetEncoding(encoding)) return false;
  encoding_ = encoding;
  detect_ = detect;
  if (detect) fixed_ = false;
  replaced_ = 0;
  return true;
}

bool VyTextStream::SwitchEncodingAfter(int64_t position, int64_t count, StreamEncoding encoding) {
  if (!agent_ || (fixed_ && (IsWide(encoding_) || IsWide(encoding))) || !agent_->AcceptsEncoding(encoding))
    return false;
  if (agent_->Seek(position, VyStreamAgent::SeekOrigin::kStart, VyStreamAgent::Area::kRead) < 0) return false;
  state_ &= static_cast<uint8_t>(~(kEndOfInput | kFailed));
  int32_t skipped[256];
  while (count > 0) {
    size_t got = Read(skipped, static_cast<size_t>(std::min<int64_t>(count, std::size(skipped))));
    if (got == 0) break;
    count -= static_cast<int64_t>(got);
  }
  lastBytes_ = 0;
  return SetEncoding(encoding, false);
}

// --- Writing

void VyTextStream::PutCharSlow(int32_t cp) {
  if ((state_ & kStopMask) != 0 || cp < 0 || cp > 0x10FFFF || IsSurrogate(static_cast<uint32_t>(cp))) return;
  if (cp == kCR && lineEndMode_ == kWindowsLineEnds) {
    Encode(kCR);
    // Mac text and 7-bit text end lines with CR alone.
    bool crOnly = encoding_ == StreamEncoding::kUnspecified || encoding_ == StreamEncoding::kAscii ||
                  encoding_ == StreamEncoding::kMacRoman;
    if (!crOnly) Encode(kLF);
    return;
  }
  Encode(static_cast<char32_t>(cp));
}

void VyTextStream::PutText(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (state_ & kStopMask) == 0) {
    if (encoding_ <= StreamEncoding::kUtf8) {
      uint8_t* w = agent_->writeNext_;
      uint8_t* const end = agent_->writeEnd_;
      size_t plain = CopyPlainUnits(text.substr(i), w, static_cast<size_t>(end - w));
      w += plain;
      i += plain;
      while (i < text.size() && w < end) {
        char16_t c = text[i];
        if (c >= 0x80 || c == kCR) break;
        *w++ = static_cast<uint8_t>(c);
        ++i;
      }
      agent_->writeNext_ = w;
    } else if (encoding_ == StreamEncoding::kUtf16LE || encoding_ == StreamEncoding::kUtf16BE) {
      bool little = encoding_ == StreamEncoding::kUtf16LE;
      uint8_t* w = agent_->writeNext_;
      uint8_t* const end = agent_->writeEnd_;
      while (i < text.size() && end - w >= 2) {
        char16_t c = text[i];
        if (c == kCR || IsSurrogate(c)) break;
        w[little ? 0 : 1] = static_cast<uint8_t>(c);
        w[little ? 1 : 0] = static_cast<uint8_t>(c >> 8);
        w += 2;
        ++i;
      }
      agent_->writeNext_ = w;
    }
    if (i == text.size()) break;
    char32_t c = text[i++];
    if (IsHighSurrogate(c) && i < text.size() && IsLowSurrogate(text[i]))
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
    PutCharSlow(static_cast<int32_t>(c));
  }
}

void VyTextStream::WriteByteOrderMark() {
  if (encoding_ > StreamEncoding::kMacRoman) PutChar(0xFEFF);
}

void VyTextStream::EmitUnit16(uint16_t unit) {
  bool little = encoding_ == StreamEncoding::kUtf16LE;
  Emit(static_cast<uint8_t>(little ? unit : unit >> 8));
  Emit(static_cast<uint8_t>(little ? unit >> 8 : unit));
}

void VyTextStream::Encode(char32_t cp) {
  switch (encoding_) {
    case StreamEncoding::kWindowsLatin:
    case StreamEncoding::kMacRoman: {
      CodePage page =
          encoding_ == StreamEncoding::kWindowsLatin ? CodePage::kWindows1252 : CodePage::kMacRoman;
      int byte = CodePageFromUnicode(page, cp);
      Emit(static_cast<uint8_t>(byte < 0 ? '?' : byte));
      break;
    }
    case StreamEncoding::kUtf8:
      if (cp < 0x80) {
        Emit(static_cast<uint8_t>(cp));
      } else if (cp < 0x800) {
        Emit(static_cast<uint8_t>(0xC0 | (cp >> 6)));
        Emit(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
      } else if (cp < 0x10000) {
        Emit(static_cast<uint8_t>(0xE0 | (cp >> 12)));
        Emit(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
        Emit(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
      } else {
        Emit(static_cast<uint8_t>(0xF0 | (cp >> 18)));
        Emit(static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F)));
        Emit(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
        Emit(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
      }
      break;
    case StreamEncoding::kUtf16LE:
    case StreamEncoding::kUtf16BE:
      if (cp >= 0x10000) {
        EmitUnit16(static_cast<uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
        EmitUnit16(static_cast<uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
      } else {
        EmitUnit16(static_cast<uint16_t>(cp));
      }
      break;
    case StreamEncoding::kUtf32LE:
      for (int shift = 0; shift < 32; shift += 8)
        Emit(static_cast<uint8_t>(cp >> shift));
      break;
    case StreamEncoding::kUtf32BE:
      for (int shift = 24; shift >= 0; shift -= 8)
        Emit(static_cast<uint8_t>(cp >> shift));
      break;
    default:
      Emit(static_cast<uint8_t>(cp < 0x80 ? cp : '?'));
      break;
  }
}

}  // namespace kesto
