// Conversions between the tag language's attribute values and the values the host attributes store:
// leading (absolute, automatic and relative in one attribute), kerning and tracking in 1/200 em, shade,
// figure style, positional form and position.
#pragma once

#include <cstdint>

namespace kesto {

// Relative leading r is stored as r + 3920, limited to -1080..1080 so that it never meets absolute leading
// below 2840 points.
inline constexpr double kRelativeLeadingLimit = 1080;
inline constexpr double kRelativeLeadingFloor = 2840;  // stored value of the most negative relative leading
inline constexpr double kRelativeLeadingCeiling = 5000;
// Stored absolute leading that means "automatic"; the tag language writes it as 0.
inline constexpr double kStoredAutoLeading = -1;

struct Leading {
  double value = 0;
  bool relative = false;
  bool operator==(const Leading&) const = default;
};

double EncodeLeading(double value, bool relative);
// `ownOverride` says the value is one of the manager's own overrides; leading found through a style is
// always absolute.
Leading DecodeLeading(double stored, bool ownOverride);
// The leading to store over a run of `pointSize` points for leading written over a whole paragraph: point
// size + r for relative leading (never below 0 nor above the host's largest), the stored absolute value
// otherwise.
double LeadingOverRun(Leading leading, double pointSize);

// Kerning: tag value -10000 hands kerning to the kerning method, stored as the host's sentinel 1e8.
inline constexpr double kKerningByMethodTag = -10000;
double EncodeKerning(double tagValue);
double DecodeKerning(double stored);
bool IsKerningByMethod(double stored);

// Tracking in 1/200 em on the tag side, in ems in the host.
double EncodeTracking(double tagValue);
double DecodeTracking(double stored);

// Shade: a fraction on the tag side, percent in the host; -1 stored means full (1).
double EncodeShade(double fraction);
double DecodeShade(double stored);

// Figure style: tag 1..4 are the host's 0..3; everything else is the font's default (host 4, tag 0).
int32_t EncodeFigureStyle(int32_t tagValue);
int32_t DecodeFigureStyle(int32_t stored);
// Positional form: 1..5 as they are, anything else 0.
int32_t EncodePositionalForm(int32_t tagValue);
int32_t DecodePositionalForm(int32_t stored);
// Position: the tag language's superior (7) is shown as superscript (1).
int32_t EncodePosition(int32_t tagValue);

}  // namespace kesto
