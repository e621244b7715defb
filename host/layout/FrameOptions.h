// The options of a text frame: columns, insets, vertical justification, first baseline and the
// paragraph-spacing limit. The document's page setup holds the defaults new frames take.
#pragma once

#include <cstdint>

#include "host/layout/Geometry.h"

enum class VerticalJustification : uint8_t { kTop, kCenter, kBottom, kJustify };
enum class FirstBaseline : uint8_t { kAscent, kCapHeight, kLeading, kXHeight, kFixed };

struct FrameInsets {
  double top = 0;
  double left = 0;
  double bottom = 0;
  double right = 0;
  bool operator==(const FrameInsets&) const = default;
};

inline constexpr int32_t kMaxColumns = 40;

struct FrameOptions {
  int32_t columns = 1;  // 1 .. kMaxColumns
  double gutter = 12;
  FrameInsets insets;
  VerticalJustification verticalJustification = VerticalJustification::kTop;
  FirstBaseline firstBaseline = FirstBaseline::kAscent;
  double firstBaselineMinimum = 0;
  double paragraphSpacingLimit = 150;
  bool operator==(const FrameOptions&) const = default;
};

class IPMStream;
void XferFrameOptions(IPMStream* stream, FrameOptions& options);
