// The options of a text frame: columns, insets, vertical justification, first baseline and the
// paragraph-spacing limit. The document's page setup holds the defaults new frames take.
#pragma once

#include <cstdint>

#include "host/layout/Geometry.h"

enum class VerticalJustification : uint8_t { kTop, kCenter, kBottom, kJustify };
// Where a frame's first baseline sits below its top inset (never above the minimum): the line's ascent,
// cap height, leading, x-height, nothing (the minimum alone) or its em box (the largest point size). The
// enumerators keep the order documents store them in; users and files of tagged text number the kinds as
// FirstBaselineType does.
enum class FirstBaseline : uint8_t { kAscent, kCapHeight, kLeading, kXHeight, kFixed, kEmBox };

// The kind's type number: 0 leading, 1 ascent (the default), 2 cap height, 3 em box, 4 x-height, 5 fixed.
int32_t FirstBaselineType(FirstBaseline kind);
// The kind of type number `type`; ascent for a number outside 0..5.
FirstBaseline FirstBaselineOfType(int32_t type);

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
