// AnchorUtils: where page items are anchored in text, and the edits that keep anchored items with their
// characters. The edits change objects directly and must run inside a command (an open undo step).
#pragma once

#include <unordered_map>
#include <vector>

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"
#include "host/layout/IStoryAnchors.h"

namespace AnchorUtils {

// The anchors of `story`; empty for no story.
InterfacePtr<IStoryAnchors> QueryAnchors(const IDataBase* db, UID story);
// The story `item` is anchored in; kInvalidUID when it is not anchored.
UID StoryOfItem(const IDataBase* db, UID item);
// Whether `item` lies outside the spreads: it is anchored in text, or inside an item that is.
bool IsInAnchoredItem(const IDataBase* db, UID item);
// Whether anchoring `item` in `story` would put the story inside itself: the item holds a frame of the
// story, or of a story in which the story's frames are anchored, and so on, however deep.
bool WouldNest(const IDataBase* db, UID item, UID story);
// A story that is shown inside itself (a frame of it lies in an item anchored in its own text, or in the
// text of a story shown there, and so on); kInvalidUID when no story is.
UID FindNestedStory(const IDataBase* db);

// Takes `item` out of the anchors of the story it is anchored in.
void Unanchor(IDataBase* db, UID item);
// Moves the anchors of `story` with a text edit (`deleted` units at `position` replaced by `inserted`)
// and deletes the items whose characters were deleted.
void FollowTextEdit(IDataBase* db, UID story, int32_t position, int32_t deleted, int32_t inserted);

}  // namespace AnchorUtils
