// PageOrder: thread stories follow the order of the pages. When pages are deleted, moved or shuffled, the
// watcher queues the pages whose place changed (the rules below, taken before the command, while the old
// places are known); once the command is done, every thread story with a frame on a queued page gets its
// frames back in page order (frames on one page keep their order), so that the text runs from page to page
// as the document now reads.
#pragma once

#include <vector>

#include "host/cmd/ICommand.h"
#include "host/db/IDataBase.h"

namespace sorvia {

// Pages to re-thread for a page-changing command about to be done (deletion, move, position change); the
// pages already in `queue` are not added again.
void QueuePagesBefore(IDataBase* db, ICommand* command, std::vector<UID>& queue);

// Puts the thread stories (not orphans) with frames on `pages` in page order; answers the stories changed.
std::vector<UID> PutThreadStoriesInPageOrder(IDataBase* db, const std::vector<UID>& pages);

}  // namespace sorvia
