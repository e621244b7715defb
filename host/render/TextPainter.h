// TextPainter: draws the text composition put in a text frame: each composed line's character runs as the
// shaper's glyphs at the shaper's positions (nothing is laid out again here), in the run's colour and tint,
// with underline, strike-through, baseline shift and scales, and the paragraphs' rules; the mark of a frame
// whose story holds more text than its frames; and, with guides, the baselines.
#pragma once

#include "host/layout/Geometry.h"
#include "host/render/ItemPainter.h"

namespace TextPainter {

// Draws the composed text of the text frame `frame` whose bounds are `bounds` (user space: the frame's
// spread under its transform), composing its story first when it needs it. A frame without a story or
// composed lines draws nothing.
void DrawFrameText(const PaintContext& paint, UID frame, const PMRect& bounds);
// The overset mark at the bottom-right corner inside `bounds` when `frame` is its story's last frame and the
// story does not fit.
void DrawOversetMark(const PaintContext& paint, UID frame, const PMRect& bounds);

}  // namespace TextPainter
