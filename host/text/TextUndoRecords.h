// The undo records of a story's edits: what an edit did to the text and its runs, kept instead of snapshots
// of the storage blocks it touched, so that undoing (or rolling back a failed command) costs what the edit
// cost. Each finds its story by UID at play-back, so a record never holds the story alive.
#pragma once

#include <memory>

#include "host/db/UndoRecord.h"
#include "host/text/ITextModel.h"

namespace TextUndoRecords {

// `length` units inserted at `position`.
std::unique_ptr<UndoRecord> Inserted(UID story, int32_t position, int32_t length);
// `removed` taken out at `position`.
std::unique_ptr<UndoRecord> Removed(UID story, int32_t position, StyledText removed);
// The paragraph records from paragraph `first` on were `before`.
std::unique_ptr<UndoRecord> ParagraphsReplaced(UID story, int32_t first,
                                               std::vector<StyledText::Attributes> before);
// The character runs from `start` on were `before`.
std::unique_ptr<UndoRecord> RunsReplaced(UID story, int32_t start,
                                         std::vector<StyledText::CharacterRun> before);
// The story was set up with its first paragraph return in these styles.
std::unique_ptr<UndoRecord> Initialized(UID story, UID paragraphStyle, UID characterStyle);

}  // namespace TextUndoRecords
