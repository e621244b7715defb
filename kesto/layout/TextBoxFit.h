// TextBoxFit: fitting a text box's height to its composed text, within limits, after its text is in.
#pragma once

#include <cstdint>

#include "kesto/layout/BoxPlacement.h"
#include "kesto/layout/VyPageItem.h"

namespace kesto {

// Makes the text frame `frame` as high as its text needs: twice the height delta, the composed text's
// height (at least 2 points), the stroke inside the frame and the top and bottom insets. Answers 0,
// kFitEmpty (no text), kFitTooLarge (overset text, or a height beyond the limit), kFitTooComplex (a width
// fit, an alternate fit, or more than one column) or kFitGeneral (the host refused). The limit is the
// placement's (none when not above 0), and with `keepOwnSize` never more than the frame's height now.
int32_t FitTextBox(XPageItem& frame, const BoxPlacement& placement, bool keepOwnSize);

}  // namespace kesto
