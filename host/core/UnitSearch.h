// UnitSearch: finding and counting one UTF-16 unit in text four units at a time. Imports scan every block
// of text for returns and tabs; a unit-by-unit loop made those scans a good part of an import.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace unit_search {

inline constexpr uint64_t kLanes = 0x0001000100010001;
inline constexpr uint64_t kLaneHigh = 0x8000800080008000;

// Whether one of the four 16-bit lanes of `word` holds `unit`.
inline bool HasUnit(uint64_t word, char16_t unit) {
  uint64_t v = word ^ (kLanes * unit);
  return ((v - kLanes) & ~v & kLaneHigh) != 0;
}

inline uint64_t Load(const char16_t* at) {
  uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

}  // namespace unit_search

// The offset of the first `unit` at or after `from`, or std::u16string_view::npos.
inline size_t FindUnit(std::u16string_view text, char16_t unit, size_t from = 0) {
  const char16_t* data = text.data();
  size_t i = from;
  for (; i + 4 <= text.size(); i += 4) {
    if (unit_search::HasUnit(unit_search::Load(data + i), unit)) break;
  }
  for (; i < text.size(); ++i) {
    if (data[i] == unit) return i;
  }
  return std::u16string_view::npos;
}

// The offset of the last `unit` in `text`, or std::u16string_view::npos.
inline size_t FindLastUnit(std::u16string_view text, char16_t unit) {
  const char16_t* data = text.data();
  size_t end = text.size();
  for (; end >= 4; end -= 4) {
    if (unit_search::HasUnit(unit_search::Load(data + end - 4), unit)) break;
  }
  while (end-- > 0) {
    if (data[end] == unit) return end;
  }
  return std::u16string_view::npos;
}

// How many times `unit` occurs in `text`.
inline size_t CountUnit(std::u16string_view text, char16_t unit) {
  constexpr uint64_t kLow15 = 0x7FFF7FFF7FFF7FFF;
  const char16_t* data = text.data();
  size_t count = 0, i = 0;
  for (; i + 4 <= text.size(); i += 4) {
    uint64_t v = unit_search::Load(data + i) ^ (unit_search::kLanes * unit);
    // The high bit of each lane is set exactly when the lane is not zero; the zero lanes, one bit each at
    // the bottom of their lane, are summed into the top lane by the multiplication.
    uint64_t nonZero = (((v & kLow15) + kLow15) | v) & unit_search::kLaneHigh;
    count += static_cast<size_t>((((~nonZero & unit_search::kLaneHigh) >> 15) * unit_search::kLanes) >> 48);
  }
  for (; i < text.size(); ++i)
    count += data[i] == unit;
  return count;
}
