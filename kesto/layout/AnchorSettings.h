// AnchorSettings: how an anchored box sits against its text: seven enumerations, three distances and three
// switches whose meanings are the host's, passed through unchanged; applying hands the host a mask with
// one bit per member that is set.
#pragma once

#include <array>
#include <cstdint>

#include "host/layout/IStoryAnchors.h"
#include "kesto/layout/UnsetValues.h"

namespace kesto {

struct AnchorSettings {
  static constexpr std::array<int32_t, 7> kUnsetEnums = {3, 4, 3, 4, 3, 5, 12};
  static constexpr std::array<int32_t, 7> kEnumBits = {8, 10, 13, 11, 14, 9, 12};
  static constexpr std::array<int32_t, 3> kDistanceBits = {15, 16, 18};
  static constexpr std::array<int32_t, 3> kSwitchBits = {17, 19, 20};

  std::array<int32_t, 7> enums = kUnsetEnums;  // enums[0] is the position: 0 inline, 1 custom, 2 above line
  std::array<double, 3> distances = {kUnsetReal, kUnsetReal, kUnsetReal};
  std::array<int8_t, 3> switches = {kUnsetSwitch, kUnsetSwitch, kUnsetSwitch};
  // Set by the "A" form: the builder remembers the box as anchored rather than inline at the baseline.
  bool extra = false;

  void Reset() { *this = AnchorSettings(); }
  // One bit per member that is set.
  uint32_t Mask() const;
  // The host's anchoring for the position: inline unless it says custom or above the line.
  AnchorKind Kind() const;
};

}  // namespace kesto
