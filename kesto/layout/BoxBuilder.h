// BoxBuilder: what the box tags of one import do to the layout: making a box from its description, placing
// it relative to the text, the page, another box or the spread (or anchoring it at the insertion point),
// putting it on its layer, and grouping recent boxes. It remembers the last 100 boxes so that later tags
// can name them by relative number (1 = the newest). Every step answers a builder code (BuilderCodes.h).
#pragma once

#include <array>
#include <cstdint>

#include "kesto/layout/BoxPlacement.h"
#include "kesto/layout/VyPageItem.h"
#include "kesto/layout/VyPageItemInfo.h"
#include "kesto/model/XStory.h"

namespace kesto {

// Answers of PlaceBox.
inline constexpr int32_t kPlaceTooLarge = -1;     // larger than the spread
inline constexpr int32_t kPlaceNotComposed = -2;  // the text position has no composed line
inline constexpr int32_t kPlaceNoFrame = -3;      // no frame at the text position, or no reference box

class BoxBuilder {
 public:
  static constexpr int32_t kRingSize = 100;

  explicit BoxBuilder(VyRef<VyDocument> document) : document_(std::move(document)) {}
  const VyRef<VyDocument>& Document() const { return document_; }

  // Writes `box` (kInvalidUID for a box that failed, keeping the numbering aligned with the tags) as the
  // newest box.
  void Enter(UID box);
  // The box `n` tags back (1..100); kInvalidUID for an empty entry or another number.
  UID Recent(int32_t n) const;
  UID GetCurrentBox() const { return current_; }
  void SetCurrentBox(UID box) { current_ = box; }

  // Makes, places or anchors the box of one box tag in `story`, with `reference` the box a placement names
  // (none: the ring entry the placement's number gives). `item` receives the box, left empty (and deleted)
  // when a code other than 0 results.
  int32_t MakeBox(XStory& story, const VyPageItemInfo& record, const BoxPlacement& placement, UID reference,
                  XPageItem& item);
  // Moves and sizes `item` for `placement` from the corners of `record` (see BoxPlacement); answers 0 or
  // one of the kPlace codes.
  int32_t PlaceBox(XStory& story, XPageItem& item, const VyPageItemInfo& record,
                   const BoxPlacement& placement, UID reference);
  // Inserts U+FFFC at the insertion point and anchors `item` on it; kInvalidUID (the character removed
  // again) when the host refused.
  UID AnchorAtInsertionPoint(XStory& story, XPageItem& item, const AnchorSettings& settings);
  // Groups the boxes of these relative numbers and enters the group (or none) as the newest box.
  int32_t Group(const int32_t* numbers, int32_t count);

 private:
  // The reference a placement by number names; `code` set when there is none.
  UID NumberedReference(XStory& story, const BoxPlacement& placement, int32_t& code);
  UID LayerFor(const BoxPlacement& placement, int32_t& code);
  // The position of the line at the insertion point in spread coordinates; false when none is composed.
  bool TextPosition(XStory& story, UID frame, PMPoint& at);

  VyRef<VyDocument> document_;
  std::array<UID, kRingSize> ring_{};
  int32_t write_ = 0;
  UID current_;
};

}  // namespace kesto
