// StoryComposer: flows a story through its frame list, frame by frame and column by column, writes each
// frame's text start and span into its ITextFrame, keeps the lines in the story's IStoryComposition, and
// announces each composition with kStoryComposedChange. Lines go around the items with text wrap on the
// frame's spread (TextWrapFlow).
//
// Where lines go, in frame coordinates: a column is (frame width - left and right insets - (columns - 1) x
// gutter) / columns wide, from the top inset to the frame's height less the bottom inset. The first line
// of a column sits at the top inset plus, by the frame's first-baseline type: the line's ascent, its cap
// height, its leading, its x-height, or nothing (fixed); never above the top inset plus the frame's
// first-baseline minimum. Each further line sits its leading below the one before, plus the space after the
// paragraph before and the space before its own paragraph where a paragraph starts (not at the top of a
// column). A line fits while its descent stays within the column; a line that fits in no column stays
// overset with everything after it. Vertical justification (top, centre, bottom; justify counts as top)
// moves a column's lines down together.
#pragma once

#include <chrono>

#include "host/compose/IStoryComposition.h"
#include "host/db/IDataBase.h"

// Sent with kStoryComposedChange.
struct StoryComposedChange {
  UID story;
  int32_t firstFrame = 0;  // the first frame composed this time
  bool finished = false;   // composed to the end of the text or of the frames
  bool overset = false;
};

// How long composition may go on: until `deadline`, or without end.
struct ComposeTimer {
  std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
  static ComposeTimer For(std::chrono::microseconds budget) {
    return {std::chrono::steady_clock::now() + budget};
  }
  bool Expired() const { return std::chrono::steady_clock::now() >= deadline; }
};

inline constexpr int32_t kComposeStopped = -3;

namespace StoryComposer {

// Whether the story's frames await composition (a damaged frame, or no composition this session).
bool NeedsComposition(IDataBase* db, UID story);
// Composes the story from its first damaged frame. Answers 0 when done (to the end of the text or of the
// frames), kComposeStopped when it stopped before: the timer ran out between frames, or a command was
// scheduled while it composed; kInvalidParameterError for no story. A story without frames composes to
// nothing (all overset).
int32_t ComposeStory(IDataBase* db, UID story, const ComposeTimer& timer = {});
// As ComposeStory, but stops (answering kComposeStopped) after the frame that holds text index `through`.
int32_t ComposeThrough(IDataBase* db, UID story, const ComposeTimer& timer, int32_t through);
// Composes until done, whatever is scheduled meanwhile.
int32_t ComposeFully(IDataBase* db, UID story);
// The story's results, composed at least through the frame holding `index` (all frames for overset text);
// later frames may await composition. nullptr for no story.
const StoryLayout* GetLayoutThrough(IDataBase* db, UID story, int32_t index);
// The story's results, composing first when it needs it; nullptr for no story.
const StoryLayout* GetLayout(IDataBase* db, UID story);
// Marks the frame holding text position `position` (and the ones after it) damaged; the whole story when
// it was not composed this session.
void DamageAt(IDataBase* db, UID story, int32_t position);

}  // namespace StoryComposer
