// ThreadQueries: the thread facts of stories, items and pages that the manager, the commands and the
// suites share. A story is named by its frame list. Every query answers kInvalidUID, false or nothing for
// missing objects and changes nothing.
#pragma once

#include <vector>

#include "host/db/IDataBase.h"

namespace sorvia::ThreadQueries {

// Stories that never belong to a thread: in our host, a story without frames, or whose first frame lies in
// an item anchored in text, since text links (which threads are made of) refuse such frames.
bool IsExcludedStory(const IDataBase* db, UID frameList);
// The thread of a story: kInvalidUID for an excluded story, one without a thread, or one whose thread was
// deleted.
UID ThreadOfStory(const IDataBase* db, UID frameList);
bool IsOrphanStory(const IDataBase* db, UID frameList);
// The frame list of a page item's story (a text frame's); kInvalidUID for other items.
UID StoryOfItem(const IDataBase* db, UID item);
UID ThreadOfItem(const IDataBase* db, UID item);
// The thread of the item, else (when asked to, or for an item on a master spread) that of the master item
// it overrides, up the chain of overrides.
UID InheritedThread(const IDataBase* db, UID item, bool throughOverrides);
// Whether `item` is a leaf frame of `thread` (kInvalidUID: of any thread).
bool IsThreadFrame(const IDataBase* db, UID item, UID thread);
// Appends the leaf frames of `thread` in `item`'s tree (group children front to back).
void CollectThreadFrames(const IDataBase* db, UID item, UID thread, std::vector<UID>& out);
// The thread frames on `page` grouped by story, each story's run in flow order.
std::vector<UID> ThreadFramesOnPage(const IDataBase* db, UID page, UID thread);
// The distinct threads of the leaf frames in `item`'s tree, front to back.
void CollectThreadsOfItem(const IDataBase* db, UID item, std::vector<UID>& out);
// The first frame of a story.
UID FirstFrame(const IDataBase* db, UID frameList);
bool IsOnMasterSpread(const IDataBase* db, UID item);
bool IsMasterPage(const IDataBase* db, UID page);
// The one page the story's frames that lie on pages share; kInvalidUID when they lie on none or on two.
UID SinglePageOfStory(const IDataBase* db, UID frameList);

}  // namespace sorvia::ThreadQueries
