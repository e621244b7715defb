// AutoFlowPrefsProvider: the application's automatic-flow preferences by name for front ends
// (create-master-frames, add-pages-mode), each change one SetAutoFlowPrefsCmd.
#pragma once

#include "host/app/IPreferencesProvider.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"

namespace sorvia {

class AutoFlowPrefsProvider final : public CPMUnknown<IPreferencesProvider> {
 public:
  explicit AutoFlowPrefsProvider(Boss* boss) : CPMUnknown<IPreferencesProvider>(boss) {}
  std::vector<PreferenceSetting> GetSettings() const override;
  bool Set(std::string_view name, std::string_view value, std::string& error) override;
  bool Reset(std::string& error) override;
};

ErrorCode RegisterAutoFlowPrefsProvider(Registry& registry);

}  // namespace sorvia
