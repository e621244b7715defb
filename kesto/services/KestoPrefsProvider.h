// KestoPrefsProvider: the engine's preferences by readable names, for front ends (pagehost prefs); changes
// go through SetPrefsCmd on the application workspace.
#pragma once

#include "host/app/IPreferencesProvider.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "kesto/include/KestoID.h"

namespace kesto {

inline constexpr ClassID kKestoPrefsProviderBoss = kKestoPrefix + 0x15;
inline constexpr ImplementationID kKestoPrefsProviderImpl = kKestoPrefix + 0x15;

class KestoPrefsProvider : public CPMUnknown<IPreferencesProvider> {
 public:
  explicit KestoPrefsProvider(Boss* boss) : CPMUnknown<IPreferencesProvider>(boss) {}
  // convert-quotes, style-sheets, report-errors, no-screen-update, delete-source, export-fragment,
  // export-separate-tags, export-compact, link-downloads, download-depth, downloads-folder, extensions.
  std::vector<PreferenceSetting> GetSettings() const override;
  bool Set(std::string_view name, std::string_view value, std::string& error) override;
  bool Reset(std::string& error) override;
};

ErrorCode RegisterKestoPrefsProvider(Registry& registry);

}  // namespace kesto
