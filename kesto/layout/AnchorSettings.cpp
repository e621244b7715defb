// The mask and anchoring of anchored-object settings.
#include "kesto/layout/AnchorSettings.h"

namespace kesto {

uint32_t AnchorSettings::Mask() const {
  uint32_t mask = 0;
  for (size_t i = 0; i < enums.size(); ++i)
    if (enums[i] != kUnsetEnums[i]) mask |= 1u << kEnumBits[i];
  for (size_t i = 0; i < distances.size(); ++i)
    if (IsSet(distances[i])) mask |= 1u << kDistanceBits[i];
  for (size_t i = 0; i < switches.size(); ++i)
    if (switches[i] != kUnsetSwitch) mask |= 1u << kSwitchBits[i];
  return mask;
}

AnchorKind AnchorSettings::Kind() const {
  switch (enums[0]) {
    case 1:
      return AnchorKind::kCustom;
    case 2:
      return AnchorKind::kAboveLine;
    default:
      return AnchorKind::kInline;
  }
}

}  // namespace kesto
