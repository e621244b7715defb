// IStoryComposition (on a story): the results of the story's last composition, kept in memory only (they
// are recomputed after opening): per frame its lines and composed text height, and where the story's text
// runs out of frames.
#pragma once

#include <vector>

#include "host/compose/ComposeIDs.h"
#include "host/core/IPMUnknown.h"
#include "host/layout/IStoryAnchors.h"

// One composed line: its text range, the x of its origin and its baseline, in frame coordinates (from the
// frame's top-left corner).
struct ComposedLine {
  int32_t start = 0;
  int32_t end = 0;
  double x = 0;
  double baseline = 0;
  double width = 0;  // the text's width, trailing spaces and the return left out
  bool operator==(const ComposedLine&) const = default;
};

// Where composition put an item anchored in the text, in frame coordinates: the top-left corner of an
// inline or above-line item; for a custom item the point of its character on the baseline, from which the
// item's own placement is measured.
struct ComposedAnchor {
  UID item;
  int32_t index = 0;
  AnchorKind kind = AnchorKind::kInline;
  double x = 0;
  double y = 0;
  bool operator==(const ComposedAnchor&) const = default;
};

struct ComposedFrame {
  UID frame;
  int32_t start = 0;
  int32_t span = 0;
  double textHeight = 0;  // from the top inset to the deepest line's descent
  std::vector<ComposedLine> lines;
  std::vector<ComposedAnchor> anchors;  // in text order
};

struct StoryLayout {
  std::vector<ComposedFrame> frames;  // in frame-list order
  // The first index no frame holds; the story's length when everything fits. Overset text is
  // [oversetStart, length).
  int32_t oversetStart = 0;
  int32_t length = 0;
  bool IsOverset() const { return oversetStart < length; }
};

// What changed in the text since the last composition, in the text's present positions: the text before
// `start` and from `end` on is as it was, the latter moved by `delta`. Composition reuses the frames after
// the change whose text start moved by just `delta`.
struct TextEdits {
  bool reusable = false;  // false: nothing may be reused (not composed yet, or the layout changed since)
  bool any = false;
  int32_t start = 0;
  int32_t end = 0;
  int32_t delta = 0;
};

class IStoryComposition : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTORYCOMPOSITION.Get() };
  // False until the story was composed in this session (then the frames' text ranges may be stale).
  virtual bool IsComposed() const = 0;
  virtual const StoryLayout& GetLayout() const = 0;
  // Moves the results out, for a composition that reuses them; SetLayout puts new ones back.
  virtual StoryLayout TakeLayout() = 0;
  // Keeps `layout` as the composed state and starts noting edits afresh.
  virtual void SetLayout(StoryLayout layout) = 0;
  virtual void Invalidate() = 0;

  virtual const TextEdits& GetEdits() const = 0;
  // `removed` units at `position` became `added` others, and what follows up to `changedEnd` (present
  // positions) changed attributes.
  virtual void NoteEdit(int32_t position, int32_t removed, int32_t added, int32_t changedEnd) = 0;
  // The layout changed: no composed frame may be reused.
  virtual void ForgetEdits() = 0;
};
