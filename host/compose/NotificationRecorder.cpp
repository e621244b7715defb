// Following a document's notifications.
#include "host/layout/NotificationRecorder.h"

#include <unordered_set>

#include "host/cmd/ICommand.h"
#include "host/cmd/UndoRedoChange.h"
#include "host/core/HostIDs.h"
#include "host/layout/LayoutChange.h"
#include "host/layout/LayoutCommands.h"
#include "host/notify/ISubject.h"
#include "host/text/TextChange.h"
#include "host/text/TextIDs.h"

std::vector<PMIID> DocumentNotificationProtocols() {
  return {IID_ICOMMANDMGR,    IID_ITEXTMODEL,     IID_IPAGEITEMCHANGES,
          IID_ISPREADCHANGES, IID_IMASTERCHANGES, IID_ILAYERCHANGES,
          IID_ISTORYCHANGES,  IID_IFRAMELIST,     IID_ITEXTFRAMECHANGES};
}

namespace {

// Whether the host's layout commands send `theChange` with a LayoutChange (others, such as plug-ins'
// changes on the same protocols, carry data the recorder does not know).
bool IsLayoutChange(ClassID theChange) {
  static const std::unordered_set<ClassID> known = [] {
    std::unordered_set<ClassID> classes = {
        kFramesLinkedChange, kFrameListChange,     kMasterSpreadsListedChange, kMasterItemsOverriddenChange,
        kStoryGivenUpChange, kItemsCopiedChange,   kPagesInsertedChange,       kPagesDeletedChange,
        kPagesMovedChange,   kPagesShuffledChange, kItemsCreatedChange,        kStoriesCopiedChange};
    for (const LayoutCommandInfo& info : LayoutCommandTable())
      classes.insert(info.cls);
    return classes;
  }();
  return known.contains(theChange);
}

}  // namespace

NotificationRecord DescribeNotification(ClassID theChange, PMIID protocol, void* changedBy) {
  NotificationRecord r{"change", theChange, protocol, {}, false, nullptr};
  if (theChange == kBeforeDoMessageBoss || theChange == kAfterDoMessageBoss) {
    auto* cmd = static_cast<ICommand*>(changedBy);
    r.role = theChange == kBeforeDoMessageBoss ? "before" : "after";
    r.cls = cmd ? cmd->GetBoss()->GetClass() : kInvalidClass;
    if (cmd) r.items = cmd->GetItemList().UIDs();
    r.failed = cmd && cmd->GetCommandState() == ICommand::State::kFailed;
    r.command = cmd;
  } else if (theChange == kBeforeUndoRedoMessageBoss || theChange == kAfterUndoRedoMessageBoss) {
    auto* change = static_cast<UndoRedoChange*>(changedBy);
    bool redo = change && change->redo;
    r.role = std::string(theChange == kBeforeUndoRedoMessageBoss ? "before-" : "after-") +
             (redo ? "redo" : "undo");
    if (change) r.items = change->objects;
  } else if (protocol == IID_ITEXTMODEL) {
    if (auto* change = static_cast<TextChange*>(changedBy)) r.items = {change->story};
  } else if (auto* change = IsLayoutChange(theChange) ? static_cast<LayoutChange*>(changedBy) : nullptr) {
    r.items = change->items;
    r.command = change->command;
  }
  return r;
}

void NotificationRecorder::Attach(IDataBase* db) {
  auto subject = db ? Instantiate<ISubject>(db, db->GetRootUID()) : InterfacePtr<ISubject>();
  if (!subject) return;
  for (PMIID protocol : DocumentNotificationProtocols())
    subject->AttachObserver(this, protocol);
  attached_.push_back(subject);
}

void NotificationRecorder::Detach() {
  for (const InterfacePtr<ISubject>& subject : attached_) {
    for (PMIID protocol : DocumentNotificationProtocols())
      subject->DetachObserver(this, protocol);
  }
  attached_.clear();
}

void NotificationRecorder::Update(ClassID theChange, ISubject*, PMIID protocol, void* changedBy) {
  bool message = theChange == kBeforeDoMessageBoss || theChange == kAfterDoMessageBoss ||
                 theChange == kBeforeUndoRedoMessageBoss || theChange == kAfterUndoRedoMessageBoss;
  if (message && protocol != IID_ICOMMANDMGR) return;
  sink_(DescribeNotification(theChange, protocol, changedBy));
}
