// Preferences for one run.
#include "app/RunPreferences.h"

#include "host/app/IPreferencesProvider.h"

namespace pagehost {

std::string RunPreferences::Set(const std::string& name, const std::string& value) {
  for (const auto& provider : PreferencesProviders()) {
    for (const PreferenceSetting& setting : provider->GetSettings()) {
      if (setting.name != name) continue;
      std::string error;
      if (!provider->Set(name, value, error)) return error;
      restore_.emplace_back(name, setting.value);
      return {};
    }
  }
  return "no loaded plug-in keeps the preference '" + name + "'";
}

RunPreferences::~RunPreferences() {
  for (auto it = restore_.rbegin(); it != restore_.rend(); ++it) {
    for (const auto& provider : PreferencesProviders()) {
      std::string error;
      if (provider->Set(it->first, it->second, error)) break;
    }
  }
}

}  // namespace pagehost
