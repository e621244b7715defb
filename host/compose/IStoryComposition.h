// IStoryComposition (on a story): the results of the story's last composition, kept in memory only (they
// are recomputed after opening): per frame its lines and composed text height, and where the story's text
// runs out of frames.
#pragma once

#include <vector>

#include "host/compose/ComposeIDs.h"
#include "host/core/IPMUnknown.h"

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

struct ComposedFrame {
  UID frame;
  int32_t start = 0;
  int32_t span = 0;
  double textHeight = 0;  // from the top inset to the deepest line's descent
  std::vector<ComposedLine> lines;
};

struct StoryLayout {
  std::vector<ComposedFrame> frames;  // in frame-list order
  // The first index no frame holds; the story's length when everything fits. Overset text is
  // [oversetStart, length).
  int32_t oversetStart = 0;
  int32_t length = 0;
  bool IsOverset() const { return oversetStart < length; }
};

class IStoryComposition : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTORYCOMPOSITION.Get() };
  // False until the story was composed in this session (then the frames' text ranges may be stale).
  virtual bool IsComposed() const = 0;
  virtual const StoryLayout& GetLayout() const = 0;
  virtual void SetLayout(StoryLayout layout) = 0;
  virtual void Invalidate() = 0;
};
