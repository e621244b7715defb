// SetPrefsCmd: gives the preferences of the object its item list names (the application workspace,
// normally) the record of the preferences it carries, as an undoable step, and tells that object's
// observers (kKestoPrefsChangedMessage on IID_IKESTOPREFS).
#pragma once

#include "host/cmd/Command.h"
#include "host/core/Registry.h"
#include "kesto/include/IKestoPrefs.h"

namespace kesto {

inline constexpr ClassID kSetPrefsCmdBoss = kKestoPrefix + 0x08;
inline constexpr ImplementationID kSetPrefsCmdImpl = kKestoPrefix + 0x08;

class SetPrefsCmd final : public Command {
 public:
  explicit SetPrefsCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  void DoNotify() override;
  std::string CreateName() const override { return "A8DcSetPrefs"; }
};

ErrorCode RegisterSetPrefsCmd(Registry& registry);

// A SetPrefsCmd aimed at the application workspace, its data holding the workspace's preferences, for
// the caller to change and process; empty when there is no session.
InterfacePtr<ICommand> NewSetApplicationPrefsCmd();
// Changes the application workspace's preferences to `record` with one SetPrefsCmd; answers its result.
ErrorCode SetApplicationPrefs(const KestoPrefsRecord& record);
// The application workspace's preferences, or the defaults of a workspace when there is no session.
KestoPrefsRecord GetApplicationPrefs();

}  // namespace kesto
