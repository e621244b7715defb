// Master pages applied during an import, and the move to a thread's story that may follow.
#include "kesto/layout/MasterPageStep.h"

#include "host/layout/LayoutUtils.h"
#include "host/text/ITextModel.h"

namespace kesto {
namespace {

int32_t StoryLength(IDataBase* db, UID story) {
  auto model = Instantiate<ITextModel>(db, story);
  return model ? model->TotalLength() : 0;
}

// The thread step after a successful application: stay, or switch to the thread story on the page.
int32_t FollowThread(XStory& story, const VyDocument& document, const TextThreadQueries& threads, UID thread,
                     UID frame, int32_t pageIndex) {
  if (threads.IsOrphanFrame(frame)) return kMasterApplied;
  UID page = document.PageAt(pageIndex);
  if (!page.IsValid()) return kMasterApplied;
  UID target = threads.ThreadStoryOnPage(page, thread);
  if (!target.IsValid()) return kMasterNoThreadFlow;
  if (target == story.GetStoryUID()) return kMasterApplied;
  int32_t start = 0, end = 0;
  story.GetRange(start, end);
  int32_t at = story.GetBaseIndex() + start;
  if (StoryLength(document.GetDataBase(), target) > at) story.SwitchToStory(target, at, at);
  return kMasterApplied;
}

}  // namespace

int32_t ApplyMasterPage(XStory& story, const VyDocument& document, const TextThreadQueries* threads,
                        int32_t masterIndex, bool pageOnly, bool onlyOnChange) {
  UID thread = threads ? threads->ThreadOfStory(story.GetStoryUID()) : kInvalidUID;
  UID frame = story.FrameAt(-1);
  if (!frame.IsValid()) return kMasterNoFrame;
  int32_t pageIndex = document.PageIndexOfItem(frame);
  LastAppliedMaster memory{story.GetLastMasterPage(), story.GetLastMasterSpread()};
  int32_t result = document.ApplyMaster(pageIndex, masterIndex, pageOnly, onlyOnChange, &memory);
  story.SetLastMaster(memory.page, memory.spread);
  if (result != VyDocument::kApplied) return result;
  if (!thread.IsValid()) return kMasterApplied;
  return FollowThread(story, document, *threads, thread, frame, pageIndex);
}

}  // namespace kesto
