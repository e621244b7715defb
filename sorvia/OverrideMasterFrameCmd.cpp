// Overriding master thread frames and linking them into their threads.
#include "sorvia/OverrideMasterFrameCmd.h"

#include <algorithm>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/db/ValueData.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/res/Translator.h"
#include "host/ui/RangeProgressBar.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"
#include "sorvia/include/IThreadStoryData.h"

namespace sorvia {
namespace {

class OverrideFramesData final : public CPMUnknown<IOverrideFramesData> {
 public:
  explicit OverrideFramesData(Boss* boss) : CPMUnknown<IOverrideFramesData>(boss) {}
};

struct Queued {
  UID masterItem;
  UID page;
  UID local;
};

UID TopGroupOf(const IDataBase* db, UID item) {
  for (int depth = 0; depth < kMaxItemDepth; ++depth) {
    UID parent = Instantiate<IHierarchy>(db, item)->GetParent();
    if (!LayoutUtils::IsGroup(db, parent)) break;
    item = parent;
  }
  return item;
}

UID LocalCopyOn(const IDataBase* db, UID page, UID masterItem) {
  auto p = Instantiate<IPage>(db, page);
  if (!p) return kInvalidUID;
  for (const OverrideEntry& entry : p->GetOverrides()) {
    if (entry.masterItem == masterItem) return entry.localItem;
  }
  return kInvalidUID;
}

// Where an item stands in its spread's back-to-front order.
size_t StackingRank(const IDataBase* db, UID item) {
  std::vector<UID> items = LayoutUtils::ItemsOfSpread(db, LayoutUtils::SpreadOfItem(db, item));
  return static_cast<size_t>(std::find(items.begin(), items.end(), item) - items.begin());
}

ErrorCode OverrideOne(IDataBase* db, Queued& entry) {
  LayoutParams params;
  params.pages = {entry.page};
  std::vector<UID> made;
  ErrorCode error =
      LayoutCmdUtils::Process(host_map::kOverrideItemsCmd, db, {entry.masterItem}, params, &made);
  entry.local = made.size() == 1 ? made[0] : LocalCopyOn(db, entry.page, entry.masterItem);
  return error;
}

// Appends the frames of `source` to the story `target`, one text link at a time, until none are left.
ErrorCode AppendStory(IDataBase* db, UID target, UID source) {
  auto into = Instantiate<IFrameList>(db, target);
  if (!into) return kFailure;
  UID after = into->GetNthFrame(into->CountFrames() - 1);
  for (int guard = 0; guard < 1 << 20; ++guard) {
    auto from = Instantiate<IFrameList>(db, source);
    if (!from || from->CountFrames() == 0) return kSuccess;
    UID next = from->GetNthFrame(0);
    if (ErrorCode error = LayoutCmdUtils::Process(host_map::kTextLinkCmd, db, {after, next}, {});
        error != kSuccess)
      return error;
    after = next;
  }
  return kFailure;
}

// The link rule for the new local story `story` of `thread` on `page`; answers the story linked into
// (kInvalidUID when nothing was linked).
UID LinkThreadStory(IDataBase* db, UID story, UID thread, UID page, UID continued, UID previous) {
  auto manager = QueryThreadManager(db);
  auto list = QueryThreadList(db);
  if (!manager || !list) return kInvalidUID;
  if (ThreadQueries::IsMasterPage(db, page)) {
    bool others = false;
    for (UID frame : ThreadQueries::ThreadFramesOnPage(db, page, thread))
      others = others || ThreadQueries::StoryOfItem(db, frame) != story;
    if (!others) (void)SetStoryThread(db, story, thread, false);
    return kInvalidUID;
  }
  UID target;
  if (thread == list->GetDefaultThread() && continued.IsValid()) {
    target = continued;
  } else {
    target = manager->FindThreadStoryOnPage(page, thread);
    if (!target.IsValid() && previous.IsValid()) target = manager->FindThreadStoryOnPage(previous, thread);
  }
  if (!target.IsValid()) {
    (void)SetStoryThread(db, story, thread, true);
    return kInvalidUID;
  }
  if (target == story) return kInvalidUID;
  (void)AppendStory(db, target, story);
  return target;
}

void LinkLocal(IDataBase* db, const Queued& entry, UID continued, UID previous, std::vector<UID>& linked) {
  std::vector<UID> threads;
  ThreadQueries::CollectThreadsOfItem(db, entry.masterItem, threads);
  for (UID thread : threads) {
    std::vector<UID> frames;
    for (UID item : LayoutUtils::ItemTree(db, entry.local)) {
      if (LayoutUtils::IsTextFrame(db, item) && ThreadQueries::InheritedThread(db, item, true) == thread) {
        frames.push_back(item);
        break;
      }
    }
    if (frames.empty()) continue;
    UID story = ThreadQueries::StoryOfItem(db, frames[0]);
    UID into = LinkThreadStory(db, story, thread, entry.page, continued, previous);
    if (into.IsValid() && std::find(linked.begin(), linked.end(), into) == linked.end())
      linked.push_back(into);
  }
}

std::unique_ptr<RangeProgressBar> Progress(const char* task, size_t count) {
  return RangeProgressBar::Create("Sorvia(tm)",
                                  Utf8FromWide(Translator::Get().Translate(std::string_view(task))), 0,
                                  static_cast<int32_t>(count));
}

}  // namespace

void OverrideMasterFrameCmd::Do() {
  IDataBase* db = GetItemList().GetDataBase();
  InterfacePtr<IOverrideFramesData> data(this, UseDefaultIID());
  if (!db || !data || data->entries.empty()) return;
  std::vector<Queued> queue;
  for (const auto& entry : data->entries)
    queue.push_back({entry.masterItem, entry.page, kInvalidUID});
  std::stable_sort(queue.begin(), queue.end(), [&](const Queued& a, const Queued& b) {
    return StackingRank(db, a.masterItem) < StackingRank(db, b.masterItem);
  });
  auto bar = Progress("A672sO", queue.size());
  int32_t done = 0;
  for (auto it = queue.rbegin(); it != queue.rend(); ++it) {
    if (ErrorCode error = OverrideOne(db, *it); error != kSuccess) return;
    if (bar) bar->SetPosition(++done);
  }
  InterfacePtr<IUIDData> continued(this, host_map::kUIDParameter);
  InterfacePtr<IPreviousPageData> previous(this, UseDefaultIID());
  std::vector<UID> linked;
  for (const Queued& entry : queue) {
    if (entry.local.IsValid())
      LinkLocal(db, entry, continued ? continued->Get() : kInvalidUID,
                previous ? previous->Get() : kInvalidUID, linked);
  }
  auto manager = QueryThreadManager(db);
  for (auto it = linked.rbegin(); manager && it != linked.rend(); ++it)
    (void)manager->RecomposeStory(*it);
}

ErrorCode OverrideThreadMasters(IDataBase* db, const std::vector<UID>& pages, bool schedule, UID story,
                                UID previousPage) {
  std::vector<IOverrideFramesData::Entry> queue;
  for (UID page : pages) {
    auto p = Instantiate<IPage>(db, page);
    if (!p || LayoutUtils::IsMasterSpread(db, p->GetSpread())) continue;
    std::vector<UID> threads;
    CollectMasterThreads(threads, db, page);
    // A master item can be overridden on the page when the page shows it: our host's override command
    // takes exactly those, and an item the page (or a master nearer to it) overrides already is not shown.
    std::vector<UID> shown = LayoutUtils::MasterItemsShownOnPage(db, page);
    for (auto thread = threads.rbegin(); thread != threads.rend(); ++thread) {
      std::vector<UID> frames;
      MasterFramesOfThread(frames, db, page, *thread);
      for (UID frame : frames) {
        if (!frame.IsValid() || LocalCopyOn(db, page, frame).IsValid()) continue;
        UID top = TopGroupOf(db, frame);
        if (std::find(shown.begin(), shown.end(), top) == shown.end()) continue;
        bool queued = std::any_of(queue.begin(), queue.end(),
                                  [&](const auto& e) { return e.masterItem == top && e.page == page; });
        if (!queued) queue.push_back({top, page});
      }
    }
  }
  if (queue.empty()) return kSuccess;
  InterfacePtr<ICommand> command = CmdUtils::CreateCommand(kOverrideMasterFrameCmdBoss);
  InterfacePtr<IOverrideFramesData> data(command, UseDefaultIID());
  InterfacePtr<IUIDData> continued(command, host_map::kUIDParameter);
  InterfacePtr<IPreviousPageData> previous(command, UseDefaultIID());
  if (!data || !continued || !previous) return kFailure;
  data->entries = std::move(queue);
  continued->Set(story);
  previous->Set(previousPage);
  command->SetItemList(UIDList(db, {db->GetRootUID()}));
  return schedule ? CmdUtils::ScheduleCommand(command.get(), host_map::kOverridePriority)
                  : CmdUtils::ProcessCommand(command.get());
}

ErrorCode RegisterOverrideMasterFrameCmd(Registry& registry) {
  if (registry.IsClassRegistered(kOverrideMasterFrameCmdBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<OverrideMasterFrameCmd>(kOverrideMasterFrameCmdImpl);
  if (error == kSuccess) error = registry.RegisterImplementation<OverrideFramesData>(kOverrideFramesDataImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kOverrideMasterFrameCmdBoss, kInvalidClass, "kOverrideMasterFrameCmdBoss",
                                   {{IID_ICOMMAND, kOverrideMasterFrameCmdImpl},
                                    {IID_IOVERRIDEFRAMESDATA, kOverrideFramesDataImpl},
                                    {host_map::kUIDParameter, kUIDDataImpl},
                                    {IID_IPREVIOUSPAGEDATA, kPreviousPageDataImpl}});
  }
  return error;
}

}  // namespace sorvia
