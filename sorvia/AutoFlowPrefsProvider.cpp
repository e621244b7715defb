// The automatic-flow preferences by name.
#include "sorvia/AutoFlowPrefsProvider.h"

#include <algorithm>
#include <iterator>

#include "host/app/ISession.h"
#include "host/cmd/CmdUtils.h"
#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"
#include "sorvia/include/IAutoFlowPrefsData.h"

namespace sorvia {
namespace {

constexpr const char* kModes[] = {"off", "page", "section", "document"};
constexpr const char* kMasterFrames = "create-master-frames";
constexpr const char* kAddPages = "add-pages-mode";

bool Fail(std::string& error, std::string why) {
  error = std::move(why);
  return false;
}

// A command aimed at the application workspace, its data holding the workspace's preferences.
InterfacePtr<ICommand> NewCommand() {
  ISession* session = GetExecutionContextSession();
  auto current = QueryApplicationWorkspace<IAutoFlowPrefsData>();
  InterfacePtr<ICommand> command = CmdUtils::CreateCommand(kSetAutoFlowPrefsCmdBoss);
  InterfacePtr<IAutoFlowPrefsData> data(command, UseDefaultIID());
  if (!session || !current || !data) return {};
  data->CopyFrom(current.get());
  command->SetItemList(UIDList(session->GetSessionDataBase(), {session->GetWorkspaceUID()}));
  return command;
}

std::string ModeName(int16_t mode) {
  return mode >= 0 && mode < static_cast<int16_t>(std::size(kModes)) ? kModes[mode] : std::to_string(mode);
}

}  // namespace

std::vector<PreferenceSetting> AutoFlowPrefsProvider::GetSettings() const {
  auto prefs = QueryApplicationWorkspace<IAutoFlowPrefsData>();
  bool frames = prefs && prefs->GetCreateMasterFrames();
  std::string mode = ModeName(prefs ? prefs->GetAddPagesMode() : int16_t{1});
  return {{kMasterFrames, frames ? "on" : "off", frames ? "true" : "false",
           "threads: new documents get a default-thread frame on each master page"},
          {kAddPages, mode, "\"" + mode + "\"",
           "threads: where pages go for overset thread text (off, page, section, document)"}};
}

bool AutoFlowPrefsProvider::Set(std::string_view name, std::string_view value, std::string& error) {
  if (name != kMasterFrames && name != kAddPages)
    return Fail(error, "no preference '" + std::string(name) + "'");
  InterfacePtr<ICommand> command = NewCommand();
  InterfacePtr<IAutoFlowPrefsData> data(command, UseDefaultIID());
  if (!data) return Fail(error, "the preferences are not available");
  if (name == kMasterFrames) {
    if (value != "on" && value != "off") return Fail(error, std::string(kMasterFrames) + " is on or off");
    data->SetCreateMasterFrames(value == "on");
  } else {
    auto found = std::find(std::begin(kModes), std::end(kModes), value);
    if (found == std::end(kModes))
      return Fail(error, std::string(kAddPages) + " is off, page, section or document");
    data->SetAddPagesMode(static_cast<int16_t>(found - std::begin(kModes)));
  }
  if (CmdUtils::ProcessCommand(command.get()) != kSuccess)
    return Fail(error, "the preferences could not be changed");
  return true;
}

bool AutoFlowPrefsProvider::Reset(std::string& error) {
  InterfacePtr<ICommand> command = NewCommand();
  InterfacePtr<IAutoFlowPrefsData> data(command, UseDefaultIID());
  InterfacePtr<IAutoFlowPrefsData> defaults = CreateObject<IAutoFlowPrefsData>(kSetAutoFlowPrefsCmdBoss);
  if (!data || !defaults) return Fail(error, "the preferences are not available");
  data->CopyFrom(defaults.get());
  if (CmdUtils::ProcessCommand(command.get()) != kSuccess)
    return Fail(error, "the preferences could not be changed");
  return true;
}

ErrorCode RegisterAutoFlowPrefsProvider(Registry& registry) {
  if (registry.IsClassRegistered(kAutoFlowPrefsProviderBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<AutoFlowPrefsProvider>(kAutoFlowPrefsProviderImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kAutoFlowPrefsProviderBoss, kInvalidClass, "kAutoFlowPrefsProviderBoss",
                                   {{IID_IPREFERENCESPROVIDER, kAutoFlowPrefsProviderImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kPreferencesProviderService, kAutoFlowPrefsProviderBoss);
  return error;
}

}  // namespace sorvia
