// The document watcher.
#include "sorvia/DocThreadObserver.h"

#include <algorithm>

#include "host/app/DefaultDocument.h"
#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/compose/StoryComposer.h"
#include "host/core/ServiceRegistry.h"
#include "host/layout/ISpread.h"
#include "host/layout/LayoutChange.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/notify/IResponder.h"
#include "host/notify/ISubject.h"
#include "sorvia/AddPages.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/OverrideMasterFrameCmd.h"
#include "sorvia/PageOrder.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"
#include "sorvia/include/IAutoFlowPrefsData.h"

namespace sorvia {
namespace {

// The document protocols the watcher follows; compositions only once the document has threads.
constexpr PMIID kWatchedProtocols[] = {host_map::kCommandProtocol, host_map::kMasterProtocol,
                                       host_map::kPageItemProtocol, host_map::kTextFrameProtocol};

bool HasThreads(const IDataBase* db) {
  auto threads = QueryThreadList(db);
  return threads && (threads->GetThreadCount() > 0 || threads->GetDefaultThread().IsValid());
}

ClassID ClassOf(const ICommand* command) {
  return command && command->GetBoss() ? command->GetBoss()->GetClass() : kInvalidClass;
}

// The main story's frame list when its only frame lies on `page` and it carries no thread yet.
UID SeparateMainFrameList(IDataBase* db, UID page) {
  UID frameList = LayoutUtils::FrameListOfStory(db, DefaultDocument::GetMainStory(*db));
  auto frames = frameList.IsValid() ? Instantiate<IFrameList>(db, frameList) : InterfacePtr<IFrameList>();
  if (!frames || frames->CountFrames() != 1 || ThreadQueries::ThreadOfStory(db, frameList).IsValid())
    return kInvalidUID;
  return LayoutUtils::PageOfItem(db, frames->GetNthFrame(0)) == page ? frameList : kInvalidUID;
}

// Page 1 of a new document gets the default-thread frame of its master in place of the main frame: the
// local frame is linked after the main frame, which then goes, leaving the main story in the thread.
void FlowMainStory(IDataBase* db, UID page, UID thread) {
  UID frameList = SeparateMainFrameList(db, page);
  if (!frameList.IsValid() || SetStoryThread(db, frameList, thread, true) != kSuccess) return;
  UID mainFrame = Instantiate<IFrameList>(db, frameList)->GetNthFrame(0);
  if (OverrideThreadMasters(db, {page}, false, frameList, kInvalidUID) != kSuccess) return;
  if (Instantiate<IFrameList>(db, frameList)->CountFrames() > 1)
    (void)LayoutCmdUtils::Process(host_map::kDeleteItemsCmd, db, {mainFrame}, {});
}

// Raised while the watcher runs its own commands.
class Busy {
 public:
  explicit Busy(int32_t& depth) : depth_(depth) { ++depth_; }
  ~Busy() { --depth_; }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  int32_t& depth_;
};

// A default-thread frame on each page of the master spread whose master chain has none.
void AddDefaultThreadFrames(IDataBase* db, UID spread, UID thread, UID layer) {
  auto s = Instantiate<ISpread>(db, spread);
  for (int32_t i = s ? s->CountPages() - 1 : -1; i >= 0; --i) {
    UID page = s->GetNthPage(i);
    if (ChainHasThread(db, page, thread)) continue;
    auto p = Instantiate<IPage>(db, page);
    LayoutParams params{
        .bounds = LayoutUtils::MarginBoxInSpread(db, page), .target = spread, .second = layer, .flag = true};
    params.options = LayoutUtils::QueryPageSetup(db)->Get().frameDefaults;
    params.options.columns = std::max(1, p->GetColumns());
    params.options.gutter = p->GetGutter();
    std::vector<UID> made;
    if (LayoutCmdUtils::Process(host_map::kCreateTextFrameCmd, db, {}, params, &made) != kSuccess ||
        made.empty()) {
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
      continue;
    }
    (void)SetStoryThreadAndFlag(db, ThreadQueries::StoryOfItem(db, made[0]), thread, false);
  }
}

// Stories the watcher re-threaded are recomposed once it is no longer busy, last first: their compositions
// come back to it, so that text the new frames cannot hold still gets pages.
void RecomposeAfterwards(ITextThreadManager& manager, const std::vector<UID>& stories) {
  for (auto it = stories.rbegin(); it != stories.rend(); ++it)
    (void)manager.RecomposeStory(*it);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}

class SorviaDocWatchResponder final : public CPMUnknown<IResponder> {
 public:
  explicit SorviaDocWatchResponder(Boss* boss) : CPMUnknown<IResponder>(boss) {}
  std::vector<ClassID> GetSignals(ServiceID) const override {
    return {kAfterOpenDocSignal, kAfterNewDocSignal};
  }
  void Respond(const SignalData& signal) override {
    auto observer = QueryDocThreadObserver(signal.document.GetDataBase());
    if (!observer) return;
    if (signal.signal == kAfterNewDocSignal)
      static_cast<DocThreadObserver*>(observer.get())->ExpectNewDocument();
    observer->AutoAttach();
  }
};

}  // namespace

InterfacePtr<IObserver> QueryDocThreadObserver(const IDataBase* db) {
  if (!db) return {};
  return Instantiate<IObserver>(db, db->GetRootUID(), IID_IDOCTHREADOBSERVER);
}

void DocThreadObserver::AutoAttach() {
  IDataBase* db = GetDataBase(this);
  auto subject = db ? Instantiate<ISubject>(db, db->GetRootUID()) : InterfacePtr<ISubject>();
  if (!subject) return;
  for (PMIID protocol : kWatchedProtocols)
    subject->AttachObserver(this, protocol);
  FollowCompositionOnceThreaded();
}

void DocThreadObserver::FollowCompositionOnceThreaded() {
  IDataBase* db = GetDataBase(this);
  auto subject = db ? Instantiate<ISubject>(db, db->GetRootUID()) : InterfacePtr<ISubject>();
  if (subject && HasThreads(db)) subject->AttachObserver(this, host_map::kComposeProtocol);
}

void DocThreadObserver::AutoDetach() {
  IDataBase* db = GetDataBase(this);
  auto subject = db ? Instantiate<ISubject>(db, db->GetRootUID()) : InterfacePtr<ISubject>();
  if (!subject) return;
  for (PMIID protocol : kWatchedProtocols)
    subject->DetachObserver(this, protocol);
  subject->DetachObserver(this, host_map::kComposeProtocol);
}

void DocThreadObserver::Update(ClassID theChange, ISubject*, PMIID protocol, void* changedBy) {
  if (theChange == host_map::kStoryComposed && protocol == host_map::kComposeProtocol) {
    if (changedBy) StoryComposed(static_cast<StoryComposedChange*>(changedBy)->story);
  } else if (theChange == host_map::kMasterSpreadsListed && protocol == host_map::kMasterProtocol) {
    if (changedBy) MasterSpreadsListed(static_cast<LayoutChange*>(changedBy)->items);
  } else if (theChange == host_map::kItemsOverriddenChange && protocol == host_map::kMasterProtocol) {
    if (changedBy) ItemsOverridden(static_cast<LayoutChange*>(changedBy)->overrides);
  } else if (theChange == host_map::kItemsCopied && protocol == host_map::kPageItemProtocol) {
    if (auto* change = static_cast<LayoutChange*>(changedBy)) ItemsCopied(change->items, change->others);
  } else if (theChange == host_map::kFramesLinked && protocol == host_map::kTextFrameProtocol) {
    if (changedBy) FramesLinked(static_cast<LayoutChange*>(changedBy)->items);
  } else if (protocol == host_map::kCommandProtocol && theChange == host_map::kBeforeCommand) {
    BeforeCommand(static_cast<ICommand*>(changedBy));
    ++commandDepth_;
  } else if (protocol == host_map::kCommandProtocol && theChange == host_map::kAfterCommand) {
    commandDepth_ = std::max(0, commandDepth_ - 1);
    AfterCommand(static_cast<ICommand*>(changedBy));
  }
}

void DocThreadObserver::StoryComposed(UID story) {
  IDataBase* db = GetDataBase(this);
  if (busyDepth_ > 0 || !db) return;
  UID frameList = LayoutUtils::FrameListOfStory(db, story);
  if (!frameList.IsValid() ||
      std::find(oversetStories_.begin(), oversetStories_.end(), frameList) != oversetStories_.end())
    return;
  UID thread = ThreadQueries::ThreadOfStory(db, frameList);
  if (!thread.IsValid() || !IsOversetThreadStory(db, frameList)) return;
  oversetStories_.push_back(frameList);
  if (auto manager = QueryThreadManager(db)) manager->SetThreadPending(thread, true);
  if (commandDepth_ > 0 || triggerScheduled_) return;
  // Outside a command nothing would be done after: a command of our own is, once it runs.
  InterfacePtr<ICommand> trigger = CmdUtils::CreateCommand(kNullCmdBoss);
  if (!trigger) return;
  trigger->SetItemList(UIDList(db, {db->GetRootUID()}));
  if (CmdUtils::ScheduleCommand(trigger.get(), host_map::kNullCmdPriority) == kSuccess)
    triggerScheduled_ = true;
}

namespace {

bool IsDuplication(ClassID command) {
  return command == host_map::kDuplicateSpreadCmd || command == host_map::kDuplicateMasterSpreadCmd;
}

}  // namespace

void DocThreadObserver::BeforeCommand(ICommand* cmd) {
  IDataBase* db = GetDataBase(this);
  if (!db) return;
  ClassID command = ClassOf(cmd);
  if (busyDepth_ == 0 && IsDuplication(command)) ++duplicateDepth_;
  // A duplicated spread's pages keep the masters of their originals: nothing to re-thread.
  if (busyDepth_ == 0 && duplicateDepth_ == 0 && command == host_map::kApplyMasterCmd)
    recordedFrames_ = RecordThreadFrames(db, cmd->GetItemList().UIDs());
  QueuePagesBefore(db, cmd, pendingPages_);
  if (command == host_map::kShufflePagesCmd) ++shuffleDepth_;
}

void DocThreadObserver::AfterMasterApplied(const UIDList& pages) {
  IDataBase* db = GetDataBase(this);
  RecordedFrames recorded = std::move(recordedFrames_);
  recordedFrames_.clear();
  auto manager = QueryThreadManager(db);
  if (!manager || ErrorUtils::PMGetGlobalErrorCode() != kSuccess) return;
  std::vector<UID> linked;
  {
    Busy busy(busyDepth_);
    linked = RethreadPages(db, recorded);
    (void)OverrideThreadMasters(db, pages.UIDs(), false, kInvalidUID, kInvalidUID);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  RecomposeAfterwards(*manager, linked);
}

void DocThreadObserver::AfterCommand(ICommand* cmd) {
  IDataBase* db = GetDataBase(this);
  if (!db) return;
  ClassID command = ClassOf(cmd);
  if (busyDepth_ == 0 && IsDuplication(command)) duplicateDepth_ = std::max(0, duplicateDepth_ - 1);
  // A refused page command changed no page's place.
  if (ErrorUtils::PMGetGlobalErrorCode() != kSuccess && commandDepth_ == 0) pendingPages_.clear();
  if (busyDepth_ == 0) AfterCommandWork(cmd);
  if (command == host_map::kShufflePagesCmd) shuffleDepth_ = std::max(0, shuffleDepth_ - 1);
  bool pageCommand = command == host_map::kDeletePagesCmd || command == host_map::kMovePagesCmd;
  if ((pageCommand || commandDepth_ == 0) && shuffleDepth_ == 0 && !pendingPages_.empty())
    RethreadQueuedPages();
}

void DocThreadObserver::AfterCommandWork(ICommand* cmd) {
  IDataBase* db = GetDataBase(this);
  ClassID command = ClassOf(cmd);
  if (command == host_map::kApplyMasterCmd && !newDocumentPages_.empty())
    FlowNewDocumentPages(cmd->GetItemList());
  if (command == host_map::kApplyMasterCmd) AfterMasterApplied(cmd->GetItemList());
  FollowCompositionOnceThreaded();
  if (oversetStories_.empty()) return;
  if (triggerScheduled_ && command != host_map::kRecomposeCmd && command != kNullCmdBoss) return;
  // A failed command leaves the error set; page adding is work of its own.
  if (ErrorUtils::PMGetGlobalErrorCode() != kSuccess) return;
  Busy busy(busyDepth_);
  std::vector<UID> stories = std::move(oversetStories_);
  oversetStories_.clear();
  triggerScheduled_ = false;
  (void)AddPagesForOversetStories(db, stories);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}

void DocThreadObserver::RethreadQueuedPages() {
  IDataBase* db = GetDataBase(this);
  std::vector<UID> pages = std::move(pendingPages_);
  pendingPages_.clear();
  auto manager = QueryThreadManager(db);
  if (!manager || ErrorUtils::PMGetGlobalErrorCode() != kSuccess) return;
  std::vector<UID> changed;
  {
    Busy busy(busyDepth_);
    changed = PutThreadStoriesInPageOrder(db, pages);
  }
  RecomposeAfterwards(*manager, changed);
}

// Linking a frame of a story outside the threads (or an orphan's) to the first frame of a thread story
// makes one story of the two: it stays in the thread.
void DocThreadObserver::FramesLinked(const std::vector<UID>& frames) {
  IDataBase* db = GetDataBase(this);
  if (busyDepth_ > 0 || !db || frames.size() != 2) return;
  UID from = ThreadQueries::StoryOfItem(db, frames[0]);
  UID thread = ThreadQueries::ThreadOfStory(db, ThreadQueries::StoryOfItem(db, frames[1]));
  if (!thread.IsValid() || !from.IsValid()) return;
  if (ThreadQueries::ThreadOfStory(db, from).IsValid() && !ThreadQueries::IsOrphanStory(db, from)) return;
  Busy busy(busyDepth_);
  (void)SetStoryThread(db, from, thread, true);
}

// A master page's copy of a thread frame of the master it is based on carries that thread itself (with the
// primary flag of a master story), so that the pages based on it show the copy as their thread frame. The
// copies on document pages follow their masters through the override and keep no thread of their own.
void DocThreadObserver::ItemsOverridden(const std::vector<OverrideEntry>& entries) {
  IDataBase* db = GetDataBase(this);
  if (busyDepth_ > 0 || !db) return;
  Busy busy(busyDepth_);
  for (const OverrideEntry& entry : entries) {
    if (!db->IsValidUID(entry.localItem) || !ThreadQueries::IsOnMasterSpread(db, entry.localItem)) continue;
    for (UID frame : LayoutUtils::ItemTree(db, entry.localItem)) {
      UID thread = ThreadQueries::InheritedThread(db, frame, true);
      if (!thread.IsValid() || ThreadQueries::ThreadOfItem(db, frame) == thread) continue;
      (void)SetStoryThreadAndFlag(db, ThreadQueries::StoryOfItem(db, frame), thread, false);
      ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    }
  }
}

// The copies a spread duplication makes keep the threads of the frames they were copied from (a copy
// anywhere else starts outside the threads, as the host makes its story anew).
void DocThreadObserver::ItemsCopied(const std::vector<UID>& copies, const std::vector<UID>& originals) {
  IDataBase* db = GetDataBase(this);
  if (busyDepth_ > 0 || duplicateDepth_ == 0 || !db || copies.size() != originals.size()) return;
  Busy busy(busyDepth_);
  for (size_t i = 0; i < copies.size(); ++i) {
    UID thread = ThreadQueries::ThreadOfItem(db, originals[i]);
    UID story = ThreadQueries::StoryOfItem(db, copies[i]);
    if (!thread.IsValid() || !story.IsValid() || ThreadQueries::ThreadOfStory(db, story).IsValid()) continue;
    (void)SetStoryThreadAndFlag(db, story, thread, true);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
}

void DocThreadObserver::MasterSpreadsListed(const std::vector<UID>& spreads) {
  IDataBase* db = GetDataBase(this);
  if (!newDocument_ || !db) return;
  newDocument_ = false;
  UID workspace = WorkspaceOf(db);
  auto prefs = workspace.IsValid() ? Instantiate<IAutoFlowPrefsData>(db, workspace)
                                   : InterfacePtr<IAutoFlowPrefsData>();
  auto manager = QueryThreadManager(db);
  auto layers = LayoutUtils::QueryLayerList(db);
  if (!prefs || !prefs->GetCreateMasterFrames() || !manager || !layers || layers->CountLayers() == 0) return;
  Busy busy(busyDepth_);
  UID thread = manager->GetDefaultThread();
  if (!thread.IsValid()) {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    return;
  }
  for (UID spread : spreads)
    AddDefaultThreadFrames(db, spread, thread, layers->GetNthLayer(0));
  newDocumentPages_ = LayoutUtils::DocumentPages(db);
}

void DocThreadObserver::FlowNewDocumentPages(const UIDList& pages) {
  IDataBase* db = GetDataBase(this);
  auto list = QueryThreadList(db);
  if (!list || ErrorUtils::PMGetGlobalErrorCode() != kSuccess) return;
  Busy busy(busyDepth_);
  for (UID page : pages) {
    auto at = std::find(newDocumentPages_.begin(), newDocumentPages_.end(), page);
    if (at == newDocumentPages_.end()) continue;
    newDocumentPages_.erase(at);
    int32_t index = LayoutUtils::PageIndexOf(db, page);
    if (index == 0) FlowMainStory(db, page, list->GetDefaultThread());
    (void)OverrideThreadMasters(db, {page}, false, kInvalidUID, LayoutUtils::PageAt(db, index - 1));
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
}

ErrorCode RegisterDocThreadObserver(Registry& registry) {
  if (registry.IsImplementationRegistered(kDocThreadObserverImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<DocThreadObserver>(kDocThreadObserverImpl);
  if (error == kSuccess) error = registry.AddIn(kDocBoss, {{IID_IDOCTHREADOBSERVER, kDocThreadObserverImpl}});
  if (error == kSuccess)
    error = registry.RegisterImplementation<SorviaDocWatchResponder>(kSorviaDocWatchResponderImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kSorviaDocWatchResponderBoss, kInvalidClass, "Sorvia Doc Responder",
                                   {{IID_IRESPONDER, kSorviaDocWatchResponderImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kDocumentSignalService, kSorviaDocWatchResponderBoss);
  return error;
}

}  // namespace sorvia
