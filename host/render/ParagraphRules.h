// ParagraphRules: the rules drawn above a paragraph's first line and below its last, as its paragraph
// attributes set them (on/off, weight, colour, tint, offset, indents, width of the column or of the text).
#pragma once

#include <cairo.h>

#include "host/compose/IStoryComposition.h"
#include "host/layout/FrameOptions.h"
#include "host/text/ITextModel.h"

namespace ParagraphRules {

// Draws the rules of the paragraphs that start or end in `composed`, in frame coordinates.
void Draw(cairo_t* cr, const ITextModel& model, const ComposedFrame& composed, const PMRect& bounds,
          const FrameOptions& options);

}  // namespace ParagraphRules
