// BoxTagState: what the scanner keeps for the box tag being read (the placement and one description
// record per kind) and the origin offset of <&o…>, which lasts until it is cleared.
#pragma once

#include "kesto/layout/BoxPlacement.h"
#include "kesto/layout/VyPageItemInfo.h"

namespace kesto {

// Box kinds as the agent receives them.
enum class TagBoxKind : int32_t { kText = 0, kPicture = 1, kEmpty = 2, kLine = 3 };

struct OriginOffset {
  double x = 0, y = 0;
  bool active = false;
  bool fixed = false;  // later <&o…> tags leave it
};

struct BoxTagState {
  TagBoxKind kind = TagBoxKind::kText;
  BoxPlacement placement;
  VyTextItemInfo text;
  VyImageItemInfo picture;
  VyPageItemInfo other;  // boxes without content and lines
  OriginOffset origin;
  bool failed = false;          // the tag had an error: its box is skipped (a text box still opens a level)
  int32_t pushedTextBoxes = 0;  // attribute-stack entries that text box tags pushed and <&te> pops

  VyPageItemInfo& Record() {
    if (kind == TagBoxKind::kText) return text;
    if (kind == TagBoxKind::kPicture) return picture;
    return other;
  }
};

}  // namespace kesto
