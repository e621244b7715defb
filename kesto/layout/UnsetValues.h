// UnsetValues: how a member of a box description record says "not given": such a member is left alone
// when the record is applied to an item.
#pragma once

#include <cstdint>
#include <limits>

namespace kesto {

inline constexpr double kUnsetReal = -std::numeric_limits<double>::max();
inline constexpr int32_t kUnsetCount = std::numeric_limits<int32_t>::min();
inline constexpr uint8_t kUnsetByte = 255;
inline constexpr int8_t kUnsetSwitch = -1;

inline bool IsSet(double value) {
  return value != kUnsetReal;
}

}  // namespace kesto
