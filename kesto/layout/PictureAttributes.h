// PictureAttributes: what a picture box's description does to its frame once the picture is in it: the
// contour wraps of picture frames, the frame's placement options, the picture's place and transform, the
// fitting option, and fitting the frame to its picture within limits.
#pragma once

#include <cstdint>

#include "host/layout/TextWrap.h"
#include "kesto/layout/BoxPlacement.h"
#include "kesto/layout/VyPageItemInfo.h"

namespace kesto {

// Record wrap modes 4..10 follow the picture's contour.
inline bool IsContourWrap(int32_t mode) {
  return mode >= 4 && mode <= 10;
}
// Makes `wanted` the contour wrap of record mode `wrap.mode` (4..10) with the record's contour options:
// 4, 5, 6, 9 the bounding box, the frame, the clipping, a path; 7 and 10 detected edges, 8 an alpha channel.
void ContourWrap(const VyTextWrap& wrap, TextWrapSettings& wanted);

// Fitting options of the record: 2 centres the picture, 3 fits it to the frame, 4 proportionally, 5 fills
// the frame proportionally; any other changes nothing. Answers 0 or the host's refusal.
int32_t ApplyFittingOption(IDataBase* db, UID frame, int32_t option);

// Answers of FitBox.
inline constexpr int32_t kFitEmpty = -1;     // no text, or no picture of any size
inline constexpr int32_t kFitTooLarge = -2;  // the size needed is beyond the limits (or text is overset)
inline constexpr int32_t kFitTooComplex = -3;
inline constexpr int32_t kFitGeneral = -5;

// Fits the picture frame `frame` to its picture as `placement` asks: 0 done (or no picture), kFitTooComplex
// for both alternate requests at once, else the host's fitting answer. With `keepOwnSize` the frame never
// grows beyond its size now.
int32_t FitPictureBox(IDataBase* db, UID frame, const BoxPlacement& placement, bool keepOwnSize);

// The whole fitting step of a picture box after its picture is placed: the fitting option alone, or the
// fit the placement asks for and then the option. Answers a builder code (0, 23 or 29).
int32_t FitPictureAfterPlacing(IDataBase* db, UID frame, const VyImageItemInfo& record,
                               const BoxPlacement& placement);

}  // namespace kesto
