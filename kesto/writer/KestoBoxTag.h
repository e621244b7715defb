// KestoBoxTag: one page item written as a box tag (&tb, &pb, &nb, &lb with their placed "u" and long "2"
// forms) from its box description: the elements the reader's form takes, in its order, a comma before
// each but the first, and values left empty where the reader's default or the item's object style
// already gives them.
#pragma once

#include <utility>
#include <vector>

#include "host/core/WideString.h"
#include "kesto/layout/VyPageItemInfo.h"
#include "kesto/writer/CTaggedTextPutter.h"

namespace kesto {

// Positions as the spread has them, not moved to the item's page.
inline constexpr uint32_t kPutSpreadCoordinates = 0x10000000;

// What a box tag says beyond the description record.
struct BoxTagItem {
  const VyPageItemInfo* record = nullptr;  // a VyTextItemInfo for kBoxText, a VyImageItemInfo for kBoxPicture
  bool freeStanding = true;
  PMRect bounds;         // where the tag puts the item: page (or spread) coordinates, minus the origin
  WideString layerName;  // free-standing items; empty for none
  WideString label;
  std::vector<std::pair<WideString, WideString>> keyedLabels;
};

// Writes the whole tag ("<&tbu2(…)>") through `out`.
void PutBoxTag(CTaggedTextPutter& out, const BoxTagItem& item);

// The tag's name: "&tbu2", "&lbu", "&pb" and so on.
const char* BoxTagName(const BoxTagItem& item);

}  // namespace kesto
