// Changing the engine's preferences as a command.
#include "kesto/services/SetPrefsCmd.h"

#include "host/app/ISession.h"
#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/ObjectModel.h"
#include "host/notify/ISubject.h"
#include "kesto/services/KestoPrefs.h"

namespace kesto {
namespace {

InterfacePtr<IKestoPrefs> TargetPrefs(const UIDList& items) {
  if (items.size() != 1 || !items.GetDataBase()) return {};
  return Instantiate<IKestoPrefs>(items.GetDataBase(), items[0]);
}

}  // namespace

void SetPrefsCmd::Do() {
  InterfacePtr<IKestoPrefs> target = TargetPrefs(GetItemList());
  InterfacePtr<IKestoPrefs> data(this, UseDefaultIID());
  if (!target || !data) return ErrorUtils::PMSetGlobalErrorCode(kFailure);
  target->CopyFrom(data.get());
}

void SetPrefsCmd::DoNotify() {
  const UIDList& items = GetItemList();
  if (items.size() != 1 || !items.GetDataBase()) return;
  InterfacePtr<ISubject> subject = Instantiate<ISubject>(items.GetDataBase(), items[0]);
  if (subject) subject->Change(kKestoPrefsChangedMessage, IID_IKESTOPREFS, static_cast<ICommand*>(this));
}

ErrorCode RegisterSetPrefsCmd(Registry& registry) {
  if (registry.IsClassRegistered(kSetPrefsCmdBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<SetPrefsCmd>(kSetPrefsCmdImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kSetPrefsCmdBoss, kInvalidClass, "kSetPrefsCmdBoss",
                                   {{IID_ICOMMAND, kSetPrefsCmdImpl}, {IID_IKESTOPREFS, kKestoPrefsImpl}});
  }
  return error;
}

InterfacePtr<ICommand> NewSetApplicationPrefsCmd() {
  ISession* session = GetExecutionContextSession();
  InterfacePtr<ICommand> command = session ? CmdUtils::CreateCommand(kSetPrefsCmdBoss) : InterfacePtr<ICommand>();
  InterfacePtr<IKestoPrefs> data(command.get(), UseDefaultIID());
  if (!data) return {};
  data->SetAll(GetApplicationPrefs());
  command->SetItemList(UIDList(session->GetSessionDataBase(), {session->GetWorkspaceUID()}));
  return command;
}

ErrorCode SetApplicationPrefs(const KestoPrefsRecord& record) {
  InterfacePtr<ICommand> command = NewSetApplicationPrefsCmd();
  InterfacePtr<IKestoPrefs> data(command.get(), UseDefaultIID());
  if (!data) return kFailure;
  data->SetAll(record);
  return CmdUtils::ProcessCommand(command.get());
}

KestoPrefsRecord GetApplicationPrefs() {
  InterfacePtr<IKestoPrefs> prefs = QueryApplicationWorkspace<IKestoPrefs>();
  KestoPrefsRecord record;
  if (prefs) {
    prefs->GetAll(record);
  } else {
    record.options |= kPrefConvertQuotes | kPrefIncludeStyleSheets;
  }
  return record;
}

}  // namespace kesto
