// DocThreadObserver: the watcher each document carries. It notes thread stories that composition leaves
// overset and, once the command that caused it is done, adds pages for them; and it gives a new document's
// master pages their default-thread frames when the document asks for that. Its own commands come back to
// it as notifications: while it runs them (busy) they start no new work.
//
// SorviaDocWatchResponder attaches it after a document is made or opened.
#pragma once

#include <vector>

#include "host/cmd/ICommand.h"
#include "host/core/CPMUnknown.h"
#include "host/core/InterfacePtr.h"
#include "host/core/Registry.h"
#include "host/db/IDataBase.h"
#include "host/layout/IPage.h"
#include "host/notify/IObserver.h"
#include "sorvia/Rethread.h"
#include "sorvia/include/SorviaID.h"

namespace sorvia {

inline constexpr ClassID kSorviaDocWatchResponderBoss = kSorviaPrefix + 0x70;
inline constexpr ImplementationID kDocThreadObserverImpl = kSorviaPrefix + 0x70;
inline constexpr ImplementationID kSorviaDocWatchResponderImpl = kSorviaPrefix + 0x71;

class DocThreadObserver final : public CPMUnknown<IObserver> {
 public:
  explicit DocThreadObserver(Boss* boss) : CPMUnknown<IObserver>(boss) {}
  void Update(ClassID theChange, ISubject* theSubject, PMIID protocol, void* changedBy) override;
  void AutoAttach() override;
  void AutoDetach() override;

  // The next master-spread listing belongs to a document just made (set by the responder).
  void ExpectNewDocument() { newDocument_ = true; }
  int32_t BusyDepth() const { return busyDepth_; }
  int32_t CommandDepth() const { return commandDepth_; }
  const std::vector<UID>& OversetStories() const { return oversetStories_; }
  bool TriggerScheduled() const { return triggerScheduled_; }
  const std::vector<UID>& PendingPages() const { return pendingPages_; }

 private:
  // Attaches for compositions when the document has threads (a document without them has no thread
  // story to watch); attaching again does nothing.
  void FollowCompositionOnceThreaded();
  void StoryComposed(UID story);
  void BeforeCommand(ICommand* command);
  void AfterCommand(ICommand* command);
  void AfterMasterApplied(const UIDList& pages);
  void FlowNewDocumentPages(const UIDList& pages);
  void MasterSpreadsListed(const std::vector<UID>& spreads);
  // Work that waits for the end of the command that caused it: master applications and page adding.
  void AfterCommandWork(ICommand* command);
  void FramesLinked(const std::vector<UID>& frames);
  void ItemsOverridden(const std::vector<OverrideEntry>& entries);
  void ItemsCopied(const std::vector<UID>& copies, const std::vector<UID>& originals);
  void RethreadQueuedPages();

  int32_t busyDepth_ = 0;
  int32_t commandDepth_ = 0;
  std::vector<UID> oversetStories_;  // frame lists, no duplicates
  bool triggerScheduled_ = false;
  bool newDocument_ = false;
  // The pages of a document just made with master frames, until their master is applied.
  std::vector<UID> newDocumentPages_;
  RecordedFrames recordedFrames_;  // thread frames of pages, recorded before a master application
  int32_t duplicateDepth_ = 0;     // spread duplications under way
  int32_t shuffleDepth_ = 0;       // page redistributions under way
  std::vector<UID> pendingPages_;  // pages whose place changed, to re-thread (see PageOrder)
};

// The observer of a document (none for a database without one).
InterfacePtr<IObserver> QueryDocThreadObserver(const IDataBase* db);

// Registers the observer on the document class and the responder for the document signals.
ErrorCode RegisterDocThreadObserver(Registry& registry);

}  // namespace sorvia
