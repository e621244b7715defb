// UnitSearch: finding and counting one UTF-16 unit in text eight units at a time. Imports scan every block
// of text for returns and tabs, and opening a document indexes its returns; a unit-by-unit loop made those
// scans a good part of an import.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace unit_search {

#if defined(__SSE2__)
// One bit for each of the eight units at `at` that is `unit` (bit k for unit k).
inline uint32_t UnitMask(const char16_t* at, __m128i unit) {
  __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  __m128i matches = _mm_cmpeq_epi16(units, unit);
  // Each match (all ones) narrows to a byte of ones; the low eight bytes are the eight units.
  return static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(matches, matches))) & 0xFF;
}

inline __m128i Broadcast(char16_t unit) {
  return _mm_set1_epi16(static_cast<int16_t>(unit));
}
#endif

}  // namespace unit_search

// The offset of the first `unit` at or after `from`, or std::u16string_view::npos.
inline size_t FindUnit(std::u16string_view text, char16_t unit, size_t from = 0) {
  const char16_t* data = text.data();
  size_t i = from;
#if defined(__SSE2__)
  const __m128i wanted = unit_search::Broadcast(unit);
  for (; i + 8 <= text.size(); i += 8) {
    if (uint32_t mask = unit_search::UnitMask(data + i, wanted); mask != 0)
      return i + static_cast<size_t>(std::countr_zero(mask));
  }
#endif
  for (; i < text.size(); ++i) {
    if (data[i] == unit) return i;
  }
  return std::u16string_view::npos;
}

// The offset of the last `unit` in `text`, or std::u16string_view::npos.
inline size_t FindLastUnit(std::u16string_view text, char16_t unit) {
  const char16_t* data = text.data();
  size_t end = text.size();
#if defined(__SSE2__)
  const __m128i wanted = unit_search::Broadcast(unit);
  for (; end >= 8; end -= 8) {
    if (uint32_t mask = unit_search::UnitMask(data + end - 8, wanted); mask != 0)
      return end - 8 + static_cast<size_t>(31 - std::countl_zero(mask));
  }
#endif
  while (end-- > 0) {
    if (data[end] == unit) return end;
  }
  return std::u16string_view::npos;
}

// How many times `unit` occurs in `text`.
inline size_t CountUnit(std::u16string_view text, char16_t unit) {
  const char16_t* data = text.data();
  size_t count = 0, i = 0;
#if defined(__SSE2__)
  const __m128i wanted = unit_search::Broadcast(unit);
  while (i + 8 <= text.size()) {
    // Each lane counts its matches (a match compares as -1); a lane holds at most 32767 before it is summed.
    __m128i lanes = _mm_setzero_si128();
    size_t end = std::min(text.size() & ~size_t{7}, i + 8 * size_t{32767});
    for (; i < end; i += 8) {
      __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
      lanes = _mm_sub_epi16(lanes, _mm_cmpeq_epi16(units, wanted));
    }
    // Pairs of lanes summed into 32-bit lanes, then the four added up.
    __m128i pairs = _mm_madd_epi16(lanes, _mm_set1_epi16(1));
    alignas(16) int32_t sums[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(sums), pairs);
    count += static_cast<size_t>(sums[0]) + static_cast<size_t>(sums[1]) + static_cast<size_t>(sums[2]) +
             static_cast<size_t>(sums[3]);
  }
#endif
  for (; i < text.size(); ++i)
    count += data[i] == unit;
  return count;
}

// Calls `visit(offset)` for each `unit` in `text`, in order. Unlike FindUnit in a loop, this costs little
// per occurrence, so text made mostly of `unit` (rows of returns) is cheap too.
template <class Visit>
inline void ForEachUnit(std::u16string_view text, char16_t unit, Visit&& visit) {
  const char16_t* data = text.data();
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i wanted = unit_search::Broadcast(unit);
  for (; i + 8 <= text.size(); i += 8) {
    uint32_t mask = unit_search::UnitMask(data + i, wanted);
    if (mask == 0xFF) {
      for (size_t k = 0; k < 8; ++k)
        visit(i + k);
      continue;
    }
    for (; mask != 0; mask &= mask - 1)
      visit(i + static_cast<size_t>(std::countr_zero(mask)));
  }
#endif
  for (; i < text.size(); ++i) {
    if (data[i] == unit) visit(i);
  }
}
