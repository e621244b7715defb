// IStoryAnchors (on a story): the page items anchored in the story's text, in text order. Each is the
// object of the U+FFFC at its index: it has left the spread hierarchy (it has no parent) and follows the
// text; when its character is deleted the item goes with it. The changing operations are for the anchor
// command and for text edits.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/layout/LayoutIDs.h"

inline constexpr char16_t kAnchorChar = 0xFFFC;

// How composition places an anchored item: inline items take their width in the line and raise it under
// automatic leading; above-line items take no width and sit above their line, which moves down by their
// height; custom items take no room in the text at all.
enum class AnchorKind : uint8_t { kInline, kAboveLine, kCustom };
inline constexpr int32_t kAnchorKindCount = 3;

struct Anchor {
  int32_t index = 0;
  UID item;
  AnchorKind kind = AnchorKind::kInline;
  bool operator==(const Anchor&) const = default;
};

class IStoryAnchors : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTORYANCHORS.Get() };
  // Ascending by index.
  virtual const std::vector<Anchor>& GetAnchors() const = 0;
  // The anchor at `index`; nullptr when no item is anchored there.
  virtual const Anchor* AnchorAt(int32_t index) const = 0;
  // Adds `anchor` in text order; nothing happens when its index already holds one.
  virtual void AddAnchor(const Anchor& anchor) = 0;
  virtual void RemoveAnchor(UID item) = 0;
  // `deleted` units at `position` were replaced by `inserted` others: anchors after them move, and the
  // items anchored in the deleted units are taken out of the list and answered.
  virtual std::vector<UID> NoteTextEdit(int32_t position, int32_t deleted, int32_t inserted) = 0;
};
