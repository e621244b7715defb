// The thread operations of pagehost layout.
#include "sorvia/ThreadLayoutOperations.h"

#include <algorithm>
#include <map>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/ServiceRegistry.h"
#include "host/db/ValueData.h"
#include "host/layout/LayoutReferences.h"
#include "host/layout/LayoutUtils.h"
#include "host/layout/UserInput.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/OverrideMasterFrameCmd.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"
#include "sorvia/include/IAutoFlowPrefsData.h"

namespace sorvia {
namespace {

using Result = LayoutOperationResult;
using Words = LayoutOperationWords;

// A reference that names nothing, or a word that is wrong, ends the operation with its result.
struct Stop {
  Result result;
};

// The modes of --add-pages-mode, in the order of their values.
constexpr const char* kAddPagesModes[] = {"off", "page", "section", "document"};

std::vector<std::string> Positional(Words& words, size_t least, size_t most, const char* usage) {
  std::string problem;
  std::vector<std::string> left = words.Positional(problem);
  if (!problem.empty()) throw Stop{Result::Usage(problem)};
  if (left.size() < least || left.size() > most) throw Stop{Result::Usage(usage)};
  return left;
}

UID Resolved(const LayoutReference& ref) {
  if (ref.usage) throw Stop{Result::Usage(ref.problem)};
  if (!ref.ok()) throw Stop{Result::Failure(ref.problem)};
  return ref.uid;
}

UID FrameListOf(IDataBase* db, const std::string& ref) {
  return LayoutUtils::FrameListOfStory(db, Resolved(LayoutReferences::Story(db, ref)));
}

bool IsThread(IDataBase* db, UID uid) {
  return Instantiate<ITextThreadData>(db, uid).get() != nullptr;
}

// A thread by UID, "default" (made when the document has none yet), or name (the last listed thread of
// that name ignoring case, else the default thread when it has that name).
UID FindThread(IDataBase* db, const std::string& ref) {
  auto list = QueryThreadList(db);
  auto manager = QueryThreadManager(db);
  if (!list || !manager) throw Stop{Result::Failure("the document keeps no threads")};
  if (LayoutUtils::SameIgnoringCase(WideFromUtf8(ref), u"default")) {
    UID made = manager->GetDefaultThread();
    if (!made.IsValid()) throw Stop{Result::Done(ErrorUtils::PMGetGlobalErrorCode())};
    return made;
  }
  if (auto number = UserInput::ParseInteger(ref); number && *number > 0) {
    UID uid = static_cast<uint32_t>(*number);
    if (!IsThread(db, uid)) throw Stop{Result::Failure("item " + ref + " is no thread")};
    return uid;
  }
  if (int32_t index = list->FindThreadByName(WideFromUtf8(ref)); index >= 0) return list->GetNthThread(index);
  auto fallback = Instantiate<ITextThreadData>(db, list->GetDefaultThread());
  if (fallback && LayoutUtils::SameIgnoringCase(fallback->GetName(), WideFromUtf8(ref)))
    return list->GetDefaultThread();
  throw Stop{Result::Failure("no thread named '" + ref + "'")};
}

bool OnOff(const std::string& word, const char* what) {
  if (word == "on") return true;
  if (word == "off") return false;
  throw Stop{Result::Usage(std::string(what) + " is on or off, not '" + word + "'")};
}

ErrorCode RunNamed(IDataBase& db, ClassID cls, UID item, const WideString& name) {
  InterfacePtr<ICommand> command = CmdUtils::CreateCommand(cls);
  InterfacePtr<ITextThreadData> data(command, UseDefaultIID());
  if (!data) return kFailure;
  data->SetName(name);
  command->SetItemList(UIDList(&db, {item}));
  return CmdUtils::ProcessCommand(command.get());
}

Result NewThreadOp(IDataBase& db, Words& words) {
  bool makeDefault = words.Flag("--default");
  auto name = Positional(words, 1, 1, "thread-new needs one name");
  UID made;
  ErrorCode error = NewThread(&db, WideFromUtf8(name[0]), makeDefault, made);
  return Result::Done(error, error == kSuccess ? std::to_string(made.Get()) + "\n" : "");
}

Result RenameOp(IDataBase& db, Words& words) {
  auto args = Positional(words, 2, 2, "thread-rename needs a thread and a name");
  return Result::Done(RunNamed(db, kSetTextThreadCmdBoss, FindThread(&db, args[0]), WideFromUtf8(args[1])));
}

Result DeleteOp(IDataBase& db, Words& words) {
  auto args = Positional(words, 1, 1, "thread-delete needs one thread");
  InterfacePtr<ICommand> command = CmdUtils::CreateCommand(kDeleteTextThreadCmdBoss);
  command->SetItemList(UIDList(&db, {FindThread(&db, args[0])}));
  return Result::Done(CmdUtils::ProcessCommand(command.get()));
}

Result AssignOp(IDataBase& db, Words& words) {
  bool keep = words.Flag("--keep");
  auto args = Positional(words, 2, 2, "thread-assign needs a frame (or story:UID) and a thread");
  UID story = FrameListOf(&db, args[0]);
  if (!CanAssignMasterStory(&db, story))
    return Result::Failure("story of " + args[0] + " does not lie on one master page");
  UID thread = FindThread(&db, args[1]);
  UID page = ThreadQueries::SinglePageOfStory(&db, story);
  UID other = QueryThreadManager(&db)->FindThreadStoryOnPage(page, thread);
  if (keep && other.IsValid() && other != story)
    return Result::Failure("another story carries thread " + args[1] + " on that page (--keep)");
  return Result::Done(AssignMasterStory(&db, story, thread, keep));
}

Result SetOp(IDataBase& db, Words& words) {
  bool clearOrphan = words.Flag("--clear-orphan");
  auto args = Positional(words, 2, 2, "thread-set needs a frame (or story:UID) and a thread (or none)");
  UID story = FrameListOf(&db, args[0]);
  UID thread = args[1] == "none" ? kInvalidUID : FindThread(&db, args[1]);
  return Result::Done(SetStoryThreadAndFlag(&db, story, thread, clearOrphan));
}

Result OrphanOp(IDataBase& db, Words& words) {
  auto args = Positional(words, 2, 2, "thread-orphan needs a frame (or story:UID) and on or off");
  UID story = FrameListOf(&db, args[0]);
  return Result::Done(SetStoryOrphan(&db, story, OnOff(args[1], "the orphan flag")));
}

Result OverrideOp(IDataBase& db, Words& words) {
  auto continued = words.Value("--continue");
  auto previous = words.Value("--previous");
  auto refs = Positional(words, 1, SIZE_MAX, "thread-override needs pages");
  std::vector<UID> pages;
  for (const std::string& ref : refs) {
    UID page = Resolved(LayoutReferences::Page(&db, ref));
    if (ThreadQueries::IsMasterPage(&db, page)) return Result::Failure("page " + ref + " is a master page");
    pages.push_back(page);
  }
  UID story = continued ? FrameListOf(&db, *continued) : kInvalidUID;
  UID before = previous ? Resolved(LayoutReferences::Page(&db, *previous)) : kInvalidUID;
  return Result::Done(OverrideThreadMasters(&db, pages, false, story, before));
}

Result SendBehindOp(IDataBase& db, Words& words) {
  auto behind = words.Value("--behind");
  if (!behind) return Result::Usage("thread-send-behind needs --behind ITEM");
  auto refs = Positional(words, 1, SIZE_MAX, "thread-send-behind needs items");
  std::vector<UID> items;
  for (const std::string& ref : refs)
    items.push_back(Resolved(LayoutReferences::Item(&db, ref)));
  InterfacePtr<ICommand> command = CmdUtils::CreateCommand(kThreadSendBehindCmdBoss);
  InterfacePtr<IUIDData> reference(command, host_map::kUIDParameter);
  reference->Set(Resolved(LayoutReferences::Item(&db, *behind)));
  command->SetItemList(UIDList(&db, items));
  return Result::Done(CmdUtils::ProcessCommand(command.get()));
}

Result AutoFlowOp(IDataBase& db, Words& words) {
  auto frames = words.Value("--create-master-frames");
  auto mode = words.Value("--add-pages-mode");
  Positional(words, 0, 0, "auto-flow takes only --create-master-frames and --add-pages-mode");
  auto current = Instantiate<IAutoFlowPrefsData>(&db, WorkspaceOf(&db));
  InterfacePtr<ICommand> command = CmdUtils::CreateCommand(kSetAutoFlowPrefsCmdBoss);
  InterfacePtr<IAutoFlowPrefsData> data(command, UseDefaultIID());
  if (!current || !data) return Result::Failure("the document keeps no automatic-flow preferences");
  data->CopyFrom(current.get());
  if (frames) data->SetCreateMasterFrames(OnOff(*frames, "--create-master-frames"));
  if (mode) {
    auto* end = std::end(kAddPagesModes);
    auto* found = std::find_if(std::begin(kAddPagesModes), end, [&](const char* m) { return *mode == m; });
    if (found == end)
      return Result::Usage("--add-pages-mode is off, page, section or document, not '" + *mode + "'");
    data->SetAddPagesMode(static_cast<int16_t>(found - std::begin(kAddPagesModes)));
  }
  command->SetItemList(UIDList(&db, {WorkspaceOf(&db)}));
  return Result::Done(CmdUtils::ProcessCommand(command.get()));
}

struct Operation {
  const char* name;
  const char* help;
  Result (*run)(IDataBase&, Words&);
};

const Operation kOperations[] = {
    {"thread-new",
     "  thread-new NAME [--default]      a new text thread (prints its UID); --default: the default",
     NewThreadOp},
    {"thread-rename", "  thread-rename THREAD NAME", RenameOp},
    {"thread-delete", "  thread-delete THREAD             (not the default thread)", DeleteOp},
    {"thread-assign",
     "  thread-assign FRAME|STORY THREAD [--keep]   a master story carries the thread on its page", AssignOp},
    {"thread-set", "  thread-set FRAME|STORY THREAD|none [--clear-orphan]", SetOp},
    {"thread-orphan", "  thread-orphan FRAME|STORY on|off", OrphanOp},
    {"thread-override",
     "  thread-override PAGE... [--continue STORY] [--previous PAGE]   flow the master thread frames onto "
     "pages",
     OverrideOp},
    {"thread-send-behind", "  thread-send-behind ITEM... --behind ITEM", SendBehindOp},
    {"auto-flow", "  auto-flow [--create-master-frames on|off] [--add-pages-mode off|page|section|document]",
     AutoFlowOp},
};

}  // namespace

std::vector<LayoutOperationInfo> ThreadLayoutOperations::GetOperations() const {
  std::vector<LayoutOperationInfo> infos;
  for (const Operation& op : kOperations)
    infos.push_back({op.name, std::string(op.help) + "\n"});
  infos.front().help += "  (threads are given by name ignoring case, 'default' or UID)\n";
  return infos;
}

LayoutOperationResult ThreadLayoutOperations::Run(IDataBase& db, std::string_view name,
                                                  LayoutOperationWords& words) {
  for (const Operation& op : kOperations) {
    if (name != op.name) continue;
    try {
      return op.run(db, words);
    } catch (const Stop& stop) {
      return stop.result;
    }
  }
  return Result::Usage("unknown operation '" + std::string(name) + "'");
}

ErrorCode RegisterThreadLayoutOperations(Registry& registry) {
  if (registry.IsClassRegistered(kThreadLayoutOperationsBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<ThreadLayoutOperations>(kThreadLayoutOperationsImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kThreadLayoutOperationsBoss, kInvalidClass, "kThreadLayoutOperationsBoss",
                                   {{IID_ILAYOUTOPERATIONPROVIDER, kThreadLayoutOperationsImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kLayoutOperationService, kThreadLayoutOperationsBoss);
  return error;
}

}  // namespace sorvia
