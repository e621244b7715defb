// BoxPlacement: where and how a box tag puts its box: anchored at the insertion point or placed relative to
// the text position, the page, another box or the spread; its size rules, stacking, layer, labels,
// threading and the paragraph adjustments of an anchored box.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "host/core/WideString.h"
#include "kesto/layout/AnchorSettings.h"

namespace kesto {

enum class BoxOrigin : int32_t { kTextPosition = 0, kPage = 1, kBox = 2, kSpread = 3 };

struct BoxPlacement {
  bool anchored = false;
  bool sendToBack = false;
  BoxOrigin origin = BoxOrigin::kTextPosition;
  WideString referenceName;      // a box label; a leading "?" makes the reference optional
  int32_t referenceScope = 0;    // 0 spread, 1 page, 2 document
  int32_t referenceIndex = 1;    // 1..100 the n-th newest box, 0 the current box
  int32_t referenceCorner = -1;  // 0 left-top, 1 left-bottom, 2 right-top, 3 right-bottom; others: the text
  double offsetX = 0, offsetY = 0;
  bool widthFromReference = false, heightFromReference = false;
  double widthDelta = 0, heightDelta = 0;
  bool fitWidth = false, fitWidthAlternate = false, fitHeight = false, fitHeightAlternate = false;
  bool columnWidth = false, columnHeight = false;
  double widthLimit = 0, heightLimit = 0;
  bool stackWithReference = false;
  bool itemState = false;
  AnchorSettings anchor;
  WideString layerName;
  WideString label;
  std::vector<std::pair<WideString, WideString>> labels;  // keyed labels; when given, the label is not used
  bool thread = false;
  bool leadingFromBox = false, spaceBeforeFromBox = false;
  double leadingDelta = 0, spaceBeforeDelta = 0;

  bool AnyFit() const { return fitWidth || fitWidthAlternate || fitHeight || fitHeightAlternate; }
};

}  // namespace kesto
