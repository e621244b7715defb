// ThreadFunctions: the thread operations several parts of the engine share: the threads and master frames
// a page inherits along its master chain, assigning a master story to a thread, and the one-command
// changes of a story's thread data. Pages, stories (frame lists) and threads are UIDs of `db`. Changing
// functions answer the commands' result (kFailure, nothing changed, for missing objects).
#pragma once

#include <vector>

#include "host/core/InterfacePtr.h"
#include "host/core/WideString.h"
#include "host/db/IDataBase.h"
#include "sorvia/include/ITextThreadList.h"
#include "sorvia/include/ITextThreadManager.h"

namespace sorvia {

// The document's workspace, its thread list and its thread manager; none for a database without them.
UID WorkspaceOf(const IDataBase* db);
InterfacePtr<ITextThreadList> QueryThreadList(const IDataBase* db);
InterfacePtr<ITextThreadManager> QueryThreadManager(const IDataBase* db);

// Runs the new-thread command; `made` receives the new thread.
ErrorCode NewThread(IDataBase* db, const WideString& name, bool makeDefault, UID& made);

// Empties `out`, then appends the threads of each page of `page`'s master chain, in chain order.
void CollectMasterThreads(std::vector<UID>& out, IDataBase* db, UID page);
// The master frames of `thread` that `page` shows: those of its master page, else (recursively) those its
// master page inherits, each replaced by the master page's local copy where it overrides one (kInvalidUID
// where that copy no longer carries the thread).
void MasterFramesOfThread(std::vector<UID>& out, IDataBase* db, UID page, UID thread);
bool ChainHasThread(IDataBase* db, UID page, UID thread);

// Whether a story can be assigned to a thread: it has frames, those on pages lie on one page, and its first
// frame lies on a master spread. (A story of our host has one flow, so that condition always holds.)
bool CanAssignMasterStory(IDataBase* db, UID frameList);
// Gives the story `thread` on its page, taking it from the story that carried it there (one undo step).
// Assigning a story its own thread clears it. kFailure when the story's frames do not lie on one page,
// or when another story carries the thread there and `keepExisting` is set.
ErrorCode AssignMasterStory(IDataBase* db, UID frameList, UID thread, bool keepExisting);

ErrorCode SetStoryThread(IDataBase* db, UID frameList, UID thread, bool clearOrphan);
ErrorCode SetStoryOrphan(IDataBase* db, UID frameList, bool value);
// The host's primary-text-flow flag of the story, which the engine keeps set on master stories that carry
// a thread.
ErrorCode SetPrimaryFlag(IDataBase* db, UID frameList, bool value);
// SetStoryThread, then, for a story on a master spread, the primary flag to match.
ErrorCode SetStoryThreadAndFlag(IDataBase* db, UID frameList, UID thread, bool clearOrphan);

// Keeps new local items (in the back-to-front order of their master items) stacked as their masters were:
// each that is not directly in front of the one before is sent directly behind it.
ErrorCode KeepStackingOrder(IDataBase* db, const std::vector<UID>& locals);

}  // namespace sorvia
