// Tag-side and host-side attribute values.
#include "kesto/model/AttributeConversions.h"

#include <algorithm>

#include "host/text/AttributeClasses.h"
#include "kesto/model/TypeStyle.h"

namespace kesto {

namespace {
// Largest leading the host's leading attribute declares.
constexpr double kMaxLeading = 5000;
}  // namespace

double EncodeLeading(double value, bool relative) {
  if (!relative) return value == 0 ? kStoredAutoLeading : value;
  if (value < -kRelativeLeadingLimit) return kRelativeLeadingFloor;
  if (value > kRelativeLeadingLimit) return kRelativeLeadingCeiling;
  return value + kRelativeLeadingBase;
}

Leading DecodeLeading(double stored, bool ownOverride) {
  if (ownOverride && stored >= kRelativeLeadingFloor) return {stored - kRelativeLeadingBase, true};
  if (stored == kStoredAutoLeading) return {0, false};
  return {stored, false};
}

double LeadingOverRun(Leading leading, double pointSize) {
  // A negative relative amount larger than the point size would make a negative line height; the host's
  // leading attribute cannot hold that, so the line closes up to no leading at all.
  if (leading.relative) return std::clamp(pointSize + leading.value, 0.0, kMaxLeading);
  return EncodeLeading(leading.value, false);
}

double EncodeKerning(double tagValue) {
  return tagValue == kKerningByMethodTag ? kKerningByMethod : tagValue / 200;
}

double DecodeKerning(double stored) {
  return IsKerningByMethod(stored) ? kKerningByMethodTag : stored * 200;
}

bool IsKerningByMethod(double stored) {
  return stored == kKerningByMethod;
}

double EncodeTracking(double tagValue) {
  return tagValue / 200;
}

double DecodeTracking(double stored) {
  return stored * 200;
}

double EncodeShade(double fraction) {
  return fraction * 100;
}

double DecodeShade(double stored) {
  return stored == -1 ? 1 : stored / 100;
}

int32_t EncodeFigureStyle(int32_t tagValue) {
  return tagValue >= 1 && tagValue <= 4 ? tagValue - 1 : 4;
}

int32_t DecodeFigureStyle(int32_t stored) {
  return stored >= 0 && stored <= 3 ? stored + 1 : 0;
}

int32_t EncodePositionalForm(int32_t tagValue) {
  return tagValue >= 1 && tagValue <= 5 ? tagValue : 0;
}

int32_t DecodePositionalForm(int32_t stored) {
  return EncodePositionalForm(stored);
}

int32_t EncodePosition(int32_t tagValue) {
  return tagValue == kPositionSuperior ? kPositionSuperscript : tagValue;
}

}  // namespace kesto
