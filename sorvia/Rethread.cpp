// Re-threading pages after a master application.
#include "sorvia/Rethread.h"

#include <algorithm>

#include "host/cmd/ErrorUtils.h"
#include "host/layout/IPage.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "sorvia/AddPages.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/OverrideMasterFrameCmd.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"

namespace sorvia {
namespace {

// A thread run of a recorded page that continues on the new master's frames.
struct Continued {
  UID story;  // frame list
  UID thread;
  UID linkStart;  // the frame the new frames are linked after
  std::vector<UID> masterFrames;
};

bool IsLocalCopyOn(const IDataBase* db, UID page, UID item) {
  auto p = Instantiate<IPage>(db, page);
  if (!p) return false;
  const auto& overrides = p->GetOverrides();
  return std::any_of(overrides.begin(), overrides.end(),
                     [&](const OverrideEntry& e) { return e.localItem == item; });
}

// A story that still has a copy of a master thread frame on the page stays in its thread: it follows the
// master there. (The page gave up its copies of the old master's items when its master changed.)
bool FollowsAMasterThreadFrame(const IDataBase* db, UID frameList, UID page) {
  auto frames = Instantiate<IFrameList>(db, frameList);
  for (int32_t i = 0; frames && i < frames->CountFrames(); ++i) {
    UID frame = frames->GetNthFrame(i);
    if (LayoutUtils::PageOfItem(db, frame) != page) continue;
    if (ThreadQueries::InheritedThread(db, frame, true).IsValid() &&
        !ThreadQueries::ThreadOfItem(db, frame).IsValid())
      return true;
  }
  return false;
}

UID LinkStartOf(const IDataBase* db, UID frameList, UID frame) {
  auto frames = Instantiate<IFrameList>(db, frameList);
  int32_t index = frames ? frames->IndexOfFrame(frame) : -1;
  return index > 0 ? frames->GetNthFrame(index - 1) : frame;
}

// The text frame of `thread` in the local copy `local`.
UID LocalThreadFrame(const IDataBase* db, UID local, UID thread) {
  for (UID item : LayoutUtils::ItemTree(db, local)) {
    if (LayoutUtils::IsTextFrame(db, item) && ThreadQueries::InheritedThread(db, item, true) == thread)
      return item;
  }
  return kInvalidUID;
}

// The page's copy of the master frame's top group: made now, or the one the page has.
UID OverrideOnto(IDataBase* db, UID page, UID masterFrame) {
  UID top = TopGroupOf(db, masterFrame);
  std::vector<UID> made;
  LayoutParams params;
  params.pages = {page};
  if (LayoutCmdUtils::Process(host_map::kOverrideItemsCmd, db, {top}, params, &made) == kSuccess &&
      made.size() == 1)
    return made[0];
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  for (const OverrideEntry& entry : Instantiate<IPage>(db, page)->GetOverrides()) {
    if (entry.masterItem == top) return entry.localItem;
  }
  return kInvalidUID;
}

// Links the local frames of the run after its link start, in the master's order; the copies it uses stay.
void LinkRun(IDataBase* db, UID page, const Continued& run, std::vector<UID>& gone) {
  UID end = run.linkStart;
  for (UID master : run.masterFrames) {
    UID copy = master.IsValid() ? OverrideOnto(db, page, master) : kInvalidUID;
    UID local = copy.IsValid() ? LocalThreadFrame(db, copy, run.thread) : kInvalidUID;
    std::erase(gone, local);
    if (!local.IsValid() || local == end) continue;
    auto frames = Instantiate<IFrameList>(db, ThreadQueries::StoryOfItem(db, end));
    if (frames && frames->IndexOfFrame(local) == frames->IndexOfFrame(end) + 1) {
      end = local;
      continue;
    }
    if (LayoutCmdUtils::Process(host_map::kTextLinkCmd, db, {end, local}, {}) != kSuccess) {
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
      continue;
    }
    end = local;
  }
}

std::vector<UID> RethreadPage(IDataBase* db, UID page, const std::vector<UID>& recorded,
                              std::vector<UID>& linked) {
  std::vector<Continued> runs;
  std::vector<UID> gone;
  UID runStory;
  for (UID frame : recorded) {
    if (!db->IsValidUID(frame) || !Instantiate<ITextFrame>(db, frame)) continue;
    UID story = ThreadQueries::StoryOfItem(db, frame);
    if (story == runStory) {  // the rest of a run goes, whether its first frame stays or not
      gone.push_back(frame);
      continue;
    }
    UID thread = ThreadQueries::ThreadOfStory(db, story);
    if (ThreadQueries::IsOrphanStory(db, story) || !thread.IsValid()) continue;
    runStory = story;
    std::vector<UID> masters;
    MasterFramesOfThread(masters, db, page, thread);
    if (masters.empty()) {
      if (StoryLength(db, story) > 1 && !FollowsAMasterThreadFrame(db, story, page))
        (void)SetStoryOrphan(db, story, true);
      continue;
    }
    gone.push_back(frame);
    runs.push_back({story, thread, LinkStartOf(db, story, frame), std::move(masters)});
  }
  for (const Continued& run : runs) {
    LinkRun(db, page, run, gone);
    if (std::find(linked.begin(), linked.end(), run.story) == linked.end()) linked.push_back(run.story);
  }
  return gone;
}

}  // namespace

RecordedFrames RecordThreadFrames(IDataBase* db, const std::vector<UID>& pages) {
  RecordedFrames recorded;
  auto manager = QueryThreadManager(db);
  for (UID page : pages) {
    if (!manager || ThreadQueries::IsMasterPage(db, page)) continue;
    manager->GetThreadFramesOnPage(page, recorded[page], kInvalidUID);
  }
  return recorded;
}

std::vector<UID> RethreadPages(IDataBase* db, const RecordedFrames& recorded) {
  std::vector<UID> linked;
  for (const auto& [page, frames] : recorded) {
    if (!db->IsValidUID(page)) continue;
    std::vector<UID> gone = RethreadPage(db, page, frames, linked);
    std::vector<UID> revert, remove;
    for (UID frame : gone) {
      UID top = TopGroupOf(db, frame);
      auto& list = IsLocalCopyOn(db, page, top) ? revert : remove;
      if (db->IsValidUID(top) && std::find(list.begin(), list.end(), top) == list.end()) list.push_back(top);
    }
    if (!remove.empty()) (void)LayoutCmdUtils::Process(host_map::kDeleteItemsCmd, db, remove, {});
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    if (!revert.empty()) (void)LayoutCmdUtils::Process(host_map::kRevertOverridesCmd, db, revert, {});
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  return linked;
}

}  // namespace sorvia
