// StoryTextWalk: the text of a story range as a writer puts it out. The text is read in chunks; runs of units
// that need nothing but copying go out whole, and every other character (a surrogate pair joined) goes out on
// its own with the unit after it, so that a writer can decide how to spell it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "host/text/ITextModel.h"

namespace kesto {

// Units written as they are in every encoding: printable ASCII (U+0020 to U+007E) other than `reserved`.
inline bool IsPlainUnit(char16_t c, std::u16string_view reserved) {
  return c >= 0x20 && c <= 0x7E && reserved.find(c) == std::u16string_view::npos;
}

// How many units at the start of [units, units + count) are plain (IsPlainUnit); eight at a time where the
// processor has 128-bit vectors (every x86-64 has).
inline int32_t PlainPrefix(const char16_t* units, int32_t count, std::u16string_view reserved) {
  int32_t i = 0;
#if defined(__SSE2__)
  const __m128i belowSpace = _mm_set1_epi16(0x1F), delete_ = _mm_set1_epi16(0x7F);
  for (; i + 8 <= count; i += 8) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
    // Signed lanes: units from U+8000 on are negative and fail the first test.
    __m128i plain = _mm_and_si128(_mm_cmpgt_epi16(v, belowSpace), _mm_cmplt_epi16(v, delete_));
    for (char16_t r : reserved)
      plain = _mm_andnot_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16(static_cast<int16_t>(r))), plain);
    if (_mm_movemask_epi8(plain) != 0xFFFF) break;
  }
#endif
  while (i < count && IsPlainUnit(units[i], reserved))
    ++i;
  return i;
}

// Walks [start, end) of `story`: the plain units that `plain(units, count)` counts at the start of what is
// left go to `span(units, count)`; any other character goes to `character(c, index, next)` (`index` of its
// first unit in the story, `next` the unit after it, or 0 at the end), which answers how many units after it
// to pass over. `stop()` ends the walk between chunks.
template <class Plain, class Span, class Character, class Stop>
void WalkStoryText(const ITextModel& story, int32_t start, int32_t end, Plain plain, Span span,
                   Character character, Stop stop) {
  constexpr int32_t kChunk = 1024;  // large enough that finding the place in the story is rare
  char16_t chunk[kChunk];
  int32_t carry = 0;  // units at the start of the next chunk already passed over
  for (int32_t position = start; position < end && !stop();) {
    int32_t count = story.CopyText(position, chunk, std::min(kChunk, end - position));
    if (count <= 0) return;
    // A high surrogate at the end of a chunk waits for its partner.
    if (count > 1 && chunk[count - 1] >= 0xD800 && chunk[count - 1] < 0xDC00 && position + count < end)
      --count;
    int32_t i = carry;
    while (i < count) {
      if (int32_t plainCount = plain(chunk + i, count - i); plainCount > 0) {
        span(chunk + i, plainCount);
        i += plainCount;
        continue;
      }
      char32_t c = chunk[i];
      int32_t units = 1;
      if (c >= 0xD800 && c < 0xDC00 && i + 1 < count && chunk[i + 1] >= 0xDC00 && chunk[i + 1] < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (chunk[i + 1] - 0xDC00);
        units = 2;
      }
      int32_t after = i + units;
      char16_t next = after < count            ? chunk[after]
                      : position + after < end ? story.GetChar(position + after)
                                               : 0;
      i = after + character(c, position + i, next);
    }
    carry = i - count;
    position += count;
  }
}

}  // namespace kesto
