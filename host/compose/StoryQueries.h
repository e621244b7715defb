// StoryQueries: what the story model asks of a composed story. Each composes the story as far as the index
// it asks about when that is not composed yet (the frame list's own span and damage accessors never
// compose).
#pragma once

#include <optional>
#include <vector>

#include "host/compose/IStoryComposition.h"
#include "host/db/IDataBase.h"
#include "host/layout/Geometry.h"
#include "host/layout/IStoryAnchors.h"

namespace StoryQueries {

// The frame holding text index `index`: overset text answers the story's last frame; a story without
// frames (or no story) answers kInvalidUID.
UID FrameAt(IDataBase* db, UID story, int32_t index);
// The width and height of FrameAt's frame as a point; nullopt when there is none.
std::optional<PMPoint> FrameSizeAt(IDataBase* db, UID story, int32_t index);
// The baseline (frame coordinates) of the line holding `index`; nullopt when that line is not composed
// (overset text, no frames).
std::optional<double> BaselineAt(IDataBase* db, UID story, int32_t index);
// The composed text height of `frame`; 0 for a frame with no composed text or no text frame.
double ComposedTextHeight(IDataBase* db, UID frame);
// The ascent of the run at `index`, in points.
double AscentAt(IDataBase* db, UID story, int32_t index);
// Whether text overflowing at `index` skips pages: `index` starts a paragraph and the paragraph before it
// breaks to an odd or even page.
bool OverflowSkipsPages(IDataBase* db, UID story, int32_t index);

// The item anchored at `index` (inline, above-line or custom); kInvalidUID when none is.
UID InlineItemAt(IDataBase* db, UID story, int32_t index);
// The items anchored in the story, in text order; empty for no story.
std::vector<Anchor> AnchoredItems(IDataBase* db, UID story);
// Where composition put the item anchored at `index`, and in which frame; nullopt when no item is anchored
// there or its character is not composed (overset text, no frames).
struct AnchorPlacement {
  UID frame;
  ComposedAnchor anchor;
};
std::optional<AnchorPlacement> AnchorPlacementAt(IDataBase* db, UID story, int32_t index);

}  // namespace StoryQueries
