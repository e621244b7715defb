// UnitSearch: finding and counting one UTF-16 unit in text four units at a time. Imports scan every block
// of text for returns and tabs; a unit-by-unit loop made those scans a good part of an import.
#pragma once

#include <bit>
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

// The high bit of each lane of `word` that holds `unit`, exactly (no lane is marked by a borrow from
// another): the high bit of a lane is set when the lane is not zero once `unit` is taken out.
inline uint64_t UnitLanes(uint64_t word, char16_t unit) {
  constexpr uint64_t kLow15 = 0x7FFF7FFF7FFF7FFF;
  uint64_t v = word ^ (kLanes * unit);
  uint64_t nonZero = (((v & kLow15) + kLow15) | v) & kLaneHigh;
  return ~nonZero & kLaneHigh;
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
  const char16_t* data = text.data();
  size_t count = 0, i = 0;
  for (; i + 4 <= text.size(); i += 4) {
    // One bit at the bottom of each lane that holds `unit`, summed into the top lane by the multiplication.
    uint64_t lanes = unit_search::UnitLanes(unit_search::Load(data + i), unit) >> 15;
    count += static_cast<size_t>((lanes * unit_search::kLanes) >> 48);
  }
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
  for (; i + 4 <= text.size(); i += 4) {
    uint64_t lanes = unit_search::UnitLanes(unit_search::Load(data + i), unit);
    if (lanes == unit_search::kLaneHigh) {
      for (size_t k = 0; k < 4; ++k)
        visit(i + k);
      continue;
    }
    for (; lanes != 0; lanes &= lanes - 1)
      visit(i + static_cast<size_t>(std::countr_zero(lanes) >> 4));
  }
  for (; i < text.size(); ++i) {
    if (data[i] == unit) visit(i);
  }
}
