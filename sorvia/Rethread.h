// Rethread: bringing pages' thread frames in line with their masters after a master application. Before
// it, the thread frames of each page are recorded; after it, each recorded thread run whose story carries
// on gets the new master's frames of its thread (overridden onto the page and linked where the recorded
// frame was), and the recorded frames go: deleted, or reverted where they are still local copies. A story
// whose thread the new master lacks is kept where it is and marked orphan, so that it is no longer linked
// automatically.
#pragma once

#include <map>
#include <vector>

#include "host/db/IDataBase.h"

namespace sorvia {

// Page -> its thread frames, grouped by story, in flow order.
using RecordedFrames = std::map<UID, std::vector<UID>>;

// The thread frames of the document pages among `pages`.
RecordedFrames RecordThreadFrames(IDataBase* db, const std::vector<UID>& pages);

// Re-threads the recorded pages; answers the stories it linked into (to recompose).
std::vector<UID> RethreadPages(IDataBase* db, const RecordedFrames& recorded);

}  // namespace sorvia
