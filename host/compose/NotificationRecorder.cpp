// Following a document's notifications.
#include "host/compose/NotificationRecorder.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "host/cmd/ICommand.h"
#include "host/cmd/UndoRedoChange.h"
#include "host/compose/ComposeIDs.h"
#include "host/compose/StoryComposer.h"
#include "host/core/HostIDs.h"
#include "host/layout/GraphicIDs.h"
#include "host/layout/ItemLookClasses.h"
#include "host/layout/HyperlinkIDs.h"
#include "host/layout/LayoutChange.h"
#include "host/layout/LayoutCommands.h"
#include "host/notify/ISubject.h"
#include "host/text/TextChange.h"
#include "host/text/TextIDs.h"

std::vector<PMIID> DocumentNotificationProtocols() {
  return {IID_ICOMMANDMGR,       IID_ITEXTMODEL,      IID_IPAGEITEMCHANGES,    IID_ISPREADCHANGES,
          IID_IMASTERCHANGES,    IID_ILAYERCHANGES,   IID_ISTORYCHANGES,       IID_IFRAMELIST,
          IID_ITEXTFRAMECHANGES, IID_ICOMPOSECHANGES, IID_IOBJECTSTYLECHANGES, IID_IHYPERLINKCHANGES};
}

namespace {

// The changes the host's layout commands send with a LayoutChange, by the name a reader of a trace knows
// them by (others, such as plug-ins' changes on the same protocols, carry data the recorder does not know).
const std::unordered_map<ClassID, std::string_view>& LayoutChangeNames() {
  static const std::unordered_map<ClassID, std::string_view> names = {
      {kFramesLinkedChange, "frames linked"},
      {kFrameListChange, "frame list changed"},
      {kMasterSpreadsListedChange, "master spreads listed"},
      {kMasterItemsOverriddenChange, "master items overridden"},
      {kStoryCopiedChange, "story copied"},
      {kStoryGivenUpChange, "stories given up"},
      {kItemsCopiedChange, "items copied"},
      {kPagesInsertedChange, "pages inserted"},
      {kPagesDeletedChange, "pages deleted"},
      {kPagesMovedChange, "pages moved"},
      {kPagesShuffledChange, "pages shuffled"},
      {kItemsCreatedChange, "items created"},
  };
  return names;
}

bool IsLayoutChange(ClassID theChange) {
  static const std::unordered_set<ClassID> commands = [] {
    std::unordered_set<ClassID> classes;
    for (const LayoutCommandInfo& info : LayoutCommandTable())
      classes.insert(info.cls);
    for (ClassID look : ItemLookCommandClasses())
      classes.insert(look);
    return classes;
  }();
  return LayoutChangeNames().contains(theChange) || commands.contains(theChange);
}

}  // namespace

std::string_view ChangeName(ClassID theChange) {
  if (theChange == kStoryComposedChange) return "story composed";
  auto it = LayoutChangeNames().find(theChange);
  return it == LayoutChangeNames().end() ? std::string_view() : it->second;
}

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
  } else if (theChange == kStoryComposedChange && protocol == IID_ICOMPOSECHANGES) {
    if (auto* change = static_cast<StoryComposedChange*>(changedBy)) r.items = {change->story};
  } else if (protocol == IID_ITEXTMODEL) {
    if (auto* change = static_cast<TextChange*>(changedBy)) r.items = {change->story};
  } else if (auto* change = IsLayoutChange(theChange) || protocol == IID_IHYPERLINKCHANGES
                                ? static_cast<LayoutChange*>(changedBy)
                                : nullptr) {
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
