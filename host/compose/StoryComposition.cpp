// Noting the edits since a story's last composition.
#include "host/compose/StoryComposition.h"

#include <algorithm>

void StoryComposition::NoteEdit(int32_t position, int32_t removed, int32_t added, int32_t changedEnd) {
  int32_t end = std::max(changedEnd, position + added);
  if (edits_.any) {
    // Where the changed region's end went through this edit.
    int32_t moved = edits_.end <= position             ? edits_.end
                    : edits_.end >= position + removed ? edits_.end + added - removed
                                                       : position + added;
    end = std::max(end, moved);
    position = std::min(position, edits_.start);
  }
  edits_.any = true;
  edits_.start = position;
  edits_.end = end;
  edits_.delta += added - removed;
}
