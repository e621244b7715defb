// Shared thread operations.
#include "sorvia/ThreadFunctions.h"

#include <algorithm>

#include "host/cmd/CmdUtils.h"
#include "host/db/IDocument.h"
#include "host/db/ValueData.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/ThreadQueries.h"
#include "sorvia/include/IThreadStoryData.h"

namespace sorvia {
namespace {

// Master chains are short; this bounds one that loops in a damaged document.
constexpr int kMaxChain = 64;

void MasterFrames(std::vector<UID>& out, IDataBase* db, UID page, UID thread, int depth) {
  out.clear();
  UID master = LayoutUtils::MasterPageOf(db, page);
  if (!master.IsValid() || depth > kMaxChain) return;
  out = ThreadQueries::ThreadFramesOnPage(db, master, thread);
  if (!out.empty()) return;
  MasterFrames(out, db, master, thread, depth + 1);
  auto masterPage = Instantiate<IPage>(db, master);
  if (out.empty() || !masterPage) return;
  const std::vector<OverrideEntry>& overrides = masterPage->GetOverrides();
  for (auto it = overrides.rbegin(); it != overrides.rend(); ++it) {
    for (UID& frame : out) {
      if (frame != it->masterItem) continue;
      bool carries = it->localItem.IsValid() && ThreadQueries::IsThreadFrame(db, it->localItem, thread);
      frame = carries ? it->localItem : kInvalidUID;
    }
  }
}

ErrorCode RunCommand(IDataBase* db, ClassID cls, UID item, UID uid, bool flag) {
  InterfacePtr<ICommand> command = CmdUtils::CreateCommand(cls);
  if (!command || !db) return kFailure;
  if (InterfacePtr<IUIDData> data(command, host_map::kUIDParameter); data) data->Set(uid);
  if (InterfacePtr<IBoolData> data(command, host_map::kBoolParameter); data) data->Set(flag);
  command->SetItemList(UIDList(db, {item}));
  return CmdUtils::ProcessCommand(command.get());
}

}  // namespace

UID WorkspaceOf(const IDataBase* db) {
  auto document = db ? Instantiate<IDocument>(db, db->GetRootUID()) : InterfacePtr<IDocument>();
  return document ? document->GetDocWorkSpace() : kInvalidUID;
}

InterfacePtr<ITextThreadList> QueryThreadList(const IDataBase* db) {
  return Instantiate<ITextThreadList>(db, WorkspaceOf(db));
}

InterfacePtr<ITextThreadManager> QueryThreadManager(const IDataBase* db) {
  return db ? Instantiate<ITextThreadManager>(db, db->GetRootUID()) : InterfacePtr<ITextThreadManager>();
}

ErrorCode NewThread(IDataBase* db, const WideString& name, bool makeDefault, UID& made) {
  made = kInvalidUID;
  InterfacePtr<ICommand> command = CmdUtils::CreateCommand(kNewTextThreadCmdBoss);
  InterfacePtr<ITextThreadData> data(command, UseDefaultIID());
  InterfacePtr<IBoolData> flag(command, host_map::kBoolParameter);
  if (!data || !flag || !WorkspaceOf(db).IsValid()) return kFailure;
  data->SetName(name);
  flag->Set(makeDefault);
  command->SetItemList(UIDList(db, {WorkspaceOf(db)}));
  ErrorCode error = CmdUtils::ProcessCommand(command.get());
  if (error == kSuccess) made = command->GetItemList()[0];
  return error;
}

void CollectMasterThreads(std::vector<UID>& out, IDataBase* db, UID page) {
  out.clear();
  auto manager = QueryThreadManager(db);
  if (!manager) return;
  for (UID master : LayoutUtils::MasterChain(db, page))
    manager->CollectThreadsOnPage(out, master);
}

void MasterFramesOfThread(std::vector<UID>& out, IDataBase* db, UID page, UID thread) {
  MasterFrames(out, db, page, thread, 0);
}

bool ChainHasThread(IDataBase* db, UID page, UID thread) {
  auto manager = QueryThreadManager(db);
  if (!manager) return false;
  if (manager->PageHasThreadFrame(page, thread)) return true;
  for (UID master : LayoutUtils::MasterChain(db, page)) {
    if (manager->PageHasThreadFrame(master, thread)) return true;
  }
  return false;
}

bool CanAssignMasterStory(IDataBase* db, UID frameList) {
  UID first = ThreadQueries::FirstFrame(db, frameList);
  return first.IsValid() && ThreadQueries::SinglePageOfStory(db, frameList).IsValid() &&
         ThreadQueries::IsOnMasterSpread(db, first);
}

ErrorCode AssignMasterStory(IDataBase* db, UID frameList, UID thread, bool keepExisting) {
  auto manager = QueryThreadManager(db);
  UID first = ThreadQueries::FirstFrame(db, frameList);
  if (!manager || !LayoutUtils::SpreadOfItem(db, first).IsValid()) return kFailure;
  UID page = ThreadQueries::SinglePageOfStory(db, frameList);
  if (!page.IsValid()) return kFailure;
  UID other = manager->FindThreadStoryOnPage(page, thread);
  if (other.IsValid() && keepExisting) return kFailure;
  CommandSequenceScope sequence("A672i");
  ErrorCode error = kSuccess;
  if (other.IsValid()) {
    error = SetStoryThread(db, other, kInvalidUID, false);
    if (error == kSuccess) error = SetPrimaryFlag(db, other, false);
  }
  if (error == kSuccess && other != frameList) {
    error = SetStoryThread(db, frameList, thread, false);
    if (error == kSuccess) error = SetPrimaryFlag(db, frameList, true);
  }
  if (error != kSuccess) sequence.Abort();
  return error;
}

ErrorCode SetStoryThread(IDataBase* db, UID frameList, UID thread, bool clearOrphan) {
  return RunCommand(db, kSetTextThreadUIDCmdBoss, frameList, thread, clearOrphan);
}

ErrorCode SetStoryOrphan(IDataBase* db, UID frameList, bool value) {
  return RunCommand(db, kSetThreadOrphanCmdBoss, frameList, kInvalidUID, value);
}

ErrorCode SetPrimaryFlag(IDataBase* db, UID frameList, bool value) {
  auto list = Instantiate<IFrameList>(db, frameList);
  if (!list) return kFailure;
  LayoutParams params;
  params.flag = value;
  return LayoutCmdUtils::Process(host_map::kPrimaryFlowCmd, db, {list->GetStory()}, params);
}

ErrorCode SetStoryThreadAndFlag(IDataBase* db, UID frameList, UID thread, bool clearOrphan) {
  CommandSequenceScope sequence("A672e");
  ErrorCode error = SetStoryThread(db, frameList, thread, clearOrphan);
  if (error == kSuccess && ThreadQueries::IsOnMasterSpread(db, ThreadQueries::FirstFrame(db, frameList)))
    error = SetPrimaryFlag(db, frameList, thread.IsValid());
  if (error != kSuccess) sequence.Abort();
  return error;
}

ErrorCode KeepStackingOrder(IDataBase* db, const std::vector<UID>& locals) {
  for (size_t i = 1; i < locals.size(); ++i) {
    auto earlier = Instantiate<IHierarchy>(db, locals[i - 1]);
    auto later = Instantiate<IHierarchy>(db, locals[i]);
    if (!earlier || !later) continue;
    auto parent = Instantiate<IHierarchy>(db, earlier->GetParent());
    bool stacked = parent && later->GetParent() == earlier->GetParent() &&
                   parent->IndexOfChild(locals[i]) + 1 == parent->IndexOfChild(locals[i - 1]);
    if (stacked) continue;
    if (ErrorCode error = RunCommand(db, kThreadSendBehindCmdBoss, locals[i], locals[i - 1], false);
        error != kSuccess)
      return error;
  }
  return kSuccess;
}

}  // namespace sorvia
