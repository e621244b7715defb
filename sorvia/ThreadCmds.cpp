// The thread commands.
#include "sorvia/ThreadCmds.h"

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/layout/IHierarchy.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/notify/ISubject.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/include/IAutoFlowPrefsData.h"
#include "sorvia/include/ITextThreadList.h"
#include "sorvia/include/IThreadStoryData.h"

namespace sorvia {
namespace {

void Tell(IDataBase* db, UID subjectUID, ClassID change, PMIID protocol, ICommand* command) {
  if (auto subject = Instantiate<ISubject>(db, subjectUID)) subject->Change(change, protocol, command);
}

// The one item of a command that takes exactly one (and not none).
UID OnlyItem(const UIDList& items) {
  return items.size() == 1 && items.GetDataBase() ? items[0] : kInvalidUID;
}

bool FlagParameter(const IPMUnknown* command) {
  InterfacePtr<IBoolData> flag(command, host_map::kBoolParameter);
  return flag && flag->Get();
}

UID UIDParameter(const IPMUnknown* command) {
  InterfacePtr<IUIDData> uid(command, host_map::kUIDParameter);
  return uid ? uid->Get() : kInvalidUID;
}

template <class Impl>
ErrorCode RegisterCommand(Registry& registry, ClassID cls, const char* name, ImplementationID impl,
                          std::vector<InterfaceEntry> parameters) {
  ErrorCode error = registry.RegisterImplementation<Impl>(impl);
  parameters.insert(parameters.begin(), {IID_ICOMMAND, impl});
  if (error == kSuccess) error = registry.RegisterClass(cls, kInvalidClass, name, std::move(parameters));
  return error;
}

}  // namespace

void NewTextThreadCmd::Do() {
  IDataBase* db = GetItemList().GetDataBase();
  auto list = Instantiate<ITextThreadList>(db, OnlyItem(GetItemList()));
  InterfacePtr<ITextThreadData> name(this, UseDefaultIID());
  if (!list || !name) return Refuse("a new thread needs a document workspace and a name", kFailure);
  makeDefault_ = FlagParameter(this);
  newThread_ = db->NewObject(kTextThreadBoss);
  auto thread = Instantiate<ITextThreadData>(db, newThread_);
  if (!thread) return Refuse("the thread object could not be made", kFailure);
  if (makeDefault_) {
    replacedDefault_ = list->GetDefaultThread();
    list->SetDefaultThread(newThread_);
    if (replacedDefault_.IsValid()) (void)db->DeleteObject(replacedDefault_);
  } else {
    list->AddThread(newThread_);
  }
  thread->SetName(name->GetName());
  SetItemList(UIDList(db, {newThread_}));
}

void NewTextThreadCmd::DoNotify() {
  Tell(GetItemList().GetDataBase(), newThread_, kNewTextThreadCmdBoss, IID_ITEXTTHREADLIST, this);
}

void DeleteTextThreadCmd::Do() {
  IDataBase* db = GetItemList().GetDataBase();
  UID thread = OnlyItem(GetItemList());
  auto list = Instantiate<ITextThreadList>(db, WorkspaceOf(db));
  if (!thread.IsValid() || !list) return Refuse("delete one thread at a time", kFailure);
  if (!Instantiate<ITextThreadData>(db, thread))
    return Refuse("item " + std::to_string(thread.Get()) + " is no thread", kFailure);
  if (list->GetDefaultThread() == thread) return Refuse("the default thread cannot be deleted", kFailure);
  list->RemoveThread(thread);
  (void)db->DeleteObject(thread);
}

void DeleteTextThreadCmd::DoNotify() {
  IDataBase* db = GetItemList().GetDataBase();
  Tell(db, WorkspaceOf(db), kDeleteTextThreadCmdBoss, IID_ITEXTTHREADLIST, this);
}

void SetTextThreadCmd::Do() {
  IDataBase* db = GetItemList().GetDataBase();
  auto thread = Instantiate<ITextThreadData>(db, OnlyItem(GetItemList()));
  InterfacePtr<ITextThreadData> name(this, UseDefaultIID());
  if (!thread || !name) return Refuse("rename one thread at a time", kFailure);
  thread->SetName(name->GetName());
}

void SetTextThreadCmd::DoNotify() {
  IDataBase* db = GetItemList().GetDataBase();
  Tell(db, WorkspaceOf(db), kSetTextThreadCmdBoss, IID_ITEXTTHREADLIST, this);
}

void SetTextThreadUIDCmd::Do() {
  IDataBase* db = GetItemList().GetDataBase();
  UID frameList = OnlyItem(GetItemList());
  auto reference = Instantiate<IThreadReference>(db, frameList);
  auto orphan = Instantiate<IThreadOrphan>(db, frameList);
  if (!reference || !orphan) return Refuse("set the thread of one story at a time", kFailure);
  UID thread = UIDParameter(this);
  if (thread.IsValid() && !Instantiate<ITextThreadData>(db, thread))
    return Refuse("item " + std::to_string(thread.Get()) + " is no thread", kFailure);
  reference->Set(thread);
  if (FlagParameter(this)) orphan->Set(false);
}

void SetTextThreadUIDCmd::DoNotify() {
  IDataBase* db = GetItemList().GetDataBase();
  Tell(db, OnlyItem(GetItemList()), kSetTextThreadUIDCmdBoss, IID_ITHREADREFERENCE, this);
  Tell(db, db->GetRootUID(), kSetTextThreadUIDCmdBoss, host_map::kFrameListProtocol, this);
}

void SetThreadOrphanCmd::Do() {
  IDataBase* db = GetItemList().GetDataBase();
  auto orphan = Instantiate<IThreadOrphan>(db, OnlyItem(GetItemList()));
  if (!orphan) return Refuse("set the orphan flag of one story at a time", kFailure);
  orphan->Set(FlagParameter(this));
}

void SetThreadOrphanCmd::DoNotify() {
  IDataBase* db = GetItemList().GetDataBase();
  Tell(db, WorkspaceOf(db), kSetThreadOrphanCmdBoss, IID_ITEXTTHREADLIST, this);
}

void SetAutoFlowPrefsCmd::Do() {
  auto target = Instantiate<IAutoFlowPrefsData>(GetItemList().GetDataBase(), OnlyItem(GetItemList()));
  InterfacePtr<IAutoFlowPrefsData> data(this, UseDefaultIID());
  if (!target || !data) return Refuse("the preferences belong to one workspace", kFailure);
  target->CopyFrom(data.get());
}

void SetAutoFlowPrefsCmd::DoNotify() {
  Tell(GetItemList().GetDataBase(), OnlyItem(GetItemList()), kSetAutoFlowPrefsCmdBoss, IID_IAUTOFLOWPREFSDATA,
       this);
}

void ThreadSendBehindCmd::Do() {
  IDataBase* db = GetItemList().GetDataBase();
  UID reference = UIDParameter(this);
  auto node = Instantiate<IHierarchy>(db, reference);
  if (!node || !node->GetParent().IsValid() || GetItemList().empty()) return;
  LayoutParams params;
  params.target = reference;
  (void)LayoutCmdUtils::Process(host_map::kSendBehindItemsCmd, db, GetItemList().UIDs(), params);
}

void ThreadSendBehindCmd::DoNotify() {
  IDataBase* db = GetItemList().GetDataBase();
  auto node = Instantiate<IHierarchy>(db, UIDParameter(this));
  if (!node) return;
  // A spread layer keeps no subject of its own: its changes reach the document's observers.
  UID parent = node->GetParent();
  Tell(db, Instantiate<ISubject>(db, parent) ? parent : db->GetRootUID(), kThreadSendBehindCmdBoss,
       host_map::kHierarchyProtocol, this);
}

ErrorCode RegisterThreadCmds(Registry& registry) {
  if (registry.IsClassRegistered(kNewTextThreadCmdBoss)) return kSuccess;
  InterfaceEntry flag{host_map::kBoolParameter, kBoolDataImpl};
  InterfaceEntry uid{host_map::kUIDParameter, kUIDDataImpl};
  InterfaceEntry name{IID_ITEXTTHREADDATA, kTextThreadDataImpl};
  InterfaceEntry prefs{IID_IAUTOFLOWPREFSDATA, kAutoFlowPrefsDataImpl};
  ErrorCode error = RegisterCommand<NewTextThreadCmd>(
      registry, kNewTextThreadCmdBoss, "kNewTextThreadCmdBoss", kNewTextThreadCmdImpl, {name, flag});
  if (error == kSuccess) {
    error = RegisterCommand<DeleteTextThreadCmd>(registry, kDeleteTextThreadCmdBoss,
                                                 "kDeleteTextThreadCmdBoss", kDeleteTextThreadCmdImpl, {});
  }
  if (error == kSuccess) {
    error = RegisterCommand<SetTextThreadCmd>(registry, kSetTextThreadCmdBoss, "kSetTextThreadCmdBoss",
                                              kSetTextThreadCmdImpl, {name});
  }
  if (error == kSuccess) {
    error =
        RegisterCommand<SetTextThreadUIDCmd>(registry, kSetTextThreadUIDCmdBoss, "kSetTextThreadUIDCmdBoss",
                                             kSetTextThreadUIDCmdImpl, {uid, flag});
  }
  if (error == kSuccess) {
    error = RegisterCommand<SetThreadOrphanCmd>(registry, kSetThreadOrphanCmdBoss, "kSetThreadOrphanCmdBoss",
                                                kSetThreadOrphanCmdImpl, {flag});
  }
  if (error == kSuccess) {
    error = RegisterCommand<SetAutoFlowPrefsCmd>(
        registry, kSetAutoFlowPrefsCmdBoss, "kSetAutoFlowPrefsCmdBoss", kSetAutoFlowPrefsCmdImpl, {prefs});
  }
  if (error == kSuccess) {
    error = RegisterCommand<ThreadSendBehindCmd>(registry, kThreadSendBehindCmdBoss,
                                                 "kThreadSendBehindCmdBoss", kThreadSendBehindCmdImpl, {uid});
  }
  if (error == kSuccess)
    error = RegisterCommand<NullCmd>(registry, kNullCmdBoss, "kNullCmdBoss", kNullCmdImpl, {});
  return error;
}

}  // namespace sorvia
