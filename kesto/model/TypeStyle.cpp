// Type-style flags and their host attributes.
#include "kesto/model/TypeStyle.h"

namespace kesto {

TypeStyle ToggleBit(TypeStyle flags, int32_t bit) {
  if (bit < 0 || bit >= kTypeStyleBitCount) return flags;
  flags ^= Flag(bit);
  switch (bit) {
    case kSuperscriptBit:
      return flags & ~Flag(kSubscriptBit);
    case kSubscriptBit:
      return flags & ~Flag(kSuperscriptBit);
    case kAllCapsBit:
      return flags & ~Flag(kSmallCapsBit);
    case kSmallCapsBit:
      return flags & ~Flag(kAllCapsBit);
    default:
      return flags;
  }
}

TypeStyle WithUnderline(TypeStyle flags, int32_t underline) {
  flags &= ~kUnderlineGroup;
  if (underline == 1) flags |= Flag(kUnderlineBit);
  if (underline == 2) flags |= Flag(kWordUnderlineBit);
  return flags;
}

TypeStyle WithStrikeThrough(TypeStyle flags, bool on) {
  return on ? flags | kStrikeThroughGroup : flags & ~kStrikeThroughGroup;
}

TypeStyle WithPosition(TypeStyle flags, int32_t position) {
  flags &= ~kPositionGroup;
  if (position == kPositionSuperscript) flags |= Flag(kSuperscriptBit);
  if (position == kPositionSubscript) flags |= Flag(kSubscriptBit);
  if (position == kPositionSuperior) flags |= Flag(kSuperiorBit);
  return flags;
}

TypeStyle WithCapitalization(TypeStyle flags, int32_t capitalization) {
  flags &= ~kCapitalizationGroup;
  if (capitalization == kCapsSmall) flags |= Flag(kSmallCapsBit);
  if (capitalization == kCapsAll) flags |= Flag(kAllCapsBit);
  return flags;
}

bool UnderlineOf(TypeStyle flags) {
  return (flags & kUnderlineGroup) != 0;
}

bool StrikeThroughOf(TypeStyle flags) {
  return (flags & kStrikeThroughGroup) != 0;
}

int32_t CapitalizationOf(TypeStyle flags) {
  if (flags & Flag(kAllCapsBit)) return kCapsAll;
  if (flags & Flag(kSmallCapsBit)) return kCapsSmall;
  return kCapsNormal;
}

int32_t PositionOf(TypeStyle flags) {
  if (flags & Flag(kSuperscriptBit)) return kPositionSuperscript;
  if (flags & Flag(kSubscriptBit)) return kPositionSubscript;
  if (flags & Flag(kSuperiorBit)) return kPositionSuperscript;
  return kPositionNormal;
}

}  // namespace kesto
