// AddPages: adding pages for thread stories whose text does not fit their frames. Each pass inserts one
// page based on the master of the page holding the story's last frame, where the document's add-pages mode
// says, gives it its thread frames and links them onto the story, until the text fits, no room is gained,
// or the bound on pages per run is reached. Every change is a host command (undoable).
#pragma once

#include <vector>

#include "host/db/IDataBase.h"

namespace sorvia {

// No run adds more pages than this: a story that keeps growing faster than pages give room (or a damaged
// document) ends with the story still overset and a message, never with memory exhausted.
inline constexpr int32_t kMaxPagesAddedPerRun = 100000;

// Runs AddPagesForStory for each story (frame list) that awaits no composition, with the document's mode,
// and takes its thread off the manager's pending set. Does nothing when the mode is off. Answers the
// number of pages added.
int32_t AddPagesForOversetStories(IDataBase* db, const std::vector<UID>& stories);

// The loop for one story with `mode` (an AddPagesMode); `budget` is lowered by the pages added. Answers the
// first page inserted by the last successful pass, or kInvalidUID.
UID AddPagesForStory(IDataBase* db, UID frameList, int16_t mode, int32_t& budget);

// The text end of the story's last frame and the story's length.
int32_t StoryTextEnd(const IDataBase* db, UID frameList);
int32_t StoryLength(const IDataBase* db, UID frameList);
// Whether composition left text of the story outside its frames (and no frame awaits composition).
bool IsOversetThreadStory(const IDataBase* db, UID frameList);

}  // namespace sorvia
