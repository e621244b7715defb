// The document's thread manager.
#include "sorvia/TextThreadManager.h"

#include <algorithm>

#include "host/core/HostIDs.h"
#include "host/core/ObjectModel.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"
#include "sorvia/include/ITextThreadList.h"

namespace sorvia {

void TextThreadManager::GetThreadFramesOnPage(UID page, std::vector<UID>& out, UID thread) const {
  out = ThreadQueries::ThreadFramesOnPage(DataBase(), page, thread);
}

bool TextThreadManager::PageHasThreadFrame(UID page, UID thread) const {
  IDataBase* db = DataBase();
  std::vector<UID> items = LayoutUtils::ItemsOnPage(db, page);
  std::vector<UID> frames;
  for (auto it = items.rbegin(); it != items.rend() && frames.empty(); ++it)
    ThreadQueries::CollectThreadFrames(db, *it, thread, frames);
  return !frames.empty();
}

UID TextThreadManager::FindThreadStoryOnPage(UID page, UID thread) const {
  if (!thread.IsValid()) return kInvalidUID;
  IDataBase* db = DataBase();
  for (UID frame : ThreadQueries::ThreadFramesOnPage(db, page, thread)) {
    UID story = ThreadQueries::StoryOfItem(db, frame);
    if (!ThreadQueries::IsOrphanStory(db, story)) return story;
  }
  return kInvalidUID;
}

UID TextThreadManager::GetStoryOfItem(UID item) const {
  return ThreadQueries::StoryOfItem(DataBase(), item);
}

UID TextThreadManager::GetThreadOfFrameList(const IFrameList* frameList) const {
  return frameList ? ThreadQueries::ThreadOfStory(::GetDataBase(frameList), ::GetUID(frameList))
                   : kInvalidUID;
}

UID TextThreadManager::GetThreadOfTextFrame(const ITextFrame* frame) const {
  return frame ? ThreadQueries::ThreadOfStory(::GetDataBase(frame), frame->GetFrameList()) : kInvalidUID;
}

UID TextThreadManager::GetThreadOfItem(UID item) const {
  return ThreadQueries::ThreadOfItem(DataBase(), item);
}

UID TextThreadManager::GetDefaultThread() {
  IDataBase* db = DataBase();
  auto list = Instantiate<ITextThreadList>(db, WorkspaceOf(db));
  if (!list) return kInvalidUID;
  if (list->GetDefaultThread().IsValid()) return list->GetDefaultThread();
  UID made;
  return NewThread(db, u"A672sDT", true, made) == kSuccess ? made : kInvalidUID;
}

ErrorCode TextThreadManager::RecomposeStory(UID frameList) {
  IDataBase* db = DataBase();
  auto list = Instantiate<IFrameList>(db, frameList);
  if (!list || list->CountFrames() == 0) return kFailure;
  return LayoutCmdUtils::Process(host_map::kRecomposeCmd, db, {list->GetNthFrame(list->CountFrames() - 1)},
                                 {});
}

bool TextThreadManager::IsOrphanFrame(const ITextFrame* frame) const {
  return frame && ThreadQueries::IsOrphanStory(::GetDataBase(frame), frame->GetFrameList());
}

bool TextThreadManager::IsOrphanItem(UID item) const {
  IDataBase* db = DataBase();
  return ThreadQueries::IsOrphanStory(db, ThreadQueries::StoryOfItem(db, item));
}

void TextThreadManager::SetThreadPending(UID thread, bool pending) {
  auto it = std::find(pendingThreads_.begin(), pendingThreads_.end(), thread);
  if (pending && it == pendingThreads_.end()) pendingThreads_.push_back(thread);
  if (!pending && it != pendingThreads_.end()) pendingThreads_.erase(it);
}

bool TextThreadManager::IsThreadPending(UID thread) const {
  return std::find(pendingThreads_.begin(), pendingThreads_.end(), thread) != pendingThreads_.end();
}

void TextThreadManager::CollectThreadsOnPage(std::vector<UID>& out, UID page) const {
  IDataBase* db = DataBase();
  std::vector<UID> items = LayoutUtils::ItemsOnPage(db, page);
  for (auto it = items.rbegin(); it != items.rend(); ++it)
    ThreadQueries::CollectThreadsOfItem(db, *it, out);
}

ErrorCode RegisterTextThreadManager(Registry& registry) {
  if (registry.IsImplementationRegistered(kTextThreadManagerImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<TextThreadManager>(kTextThreadManagerImpl);
  if (error == kSuccess) error = registry.AddIn(kDocBoss, {{IID_ITEXTTHREADMANAGER, kTextThreadManagerImpl}});
  return error;
}

}  // namespace sorvia
