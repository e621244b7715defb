// Finding the plug-ins' preferences among the registered services.
#include "host/app/IPreferencesProvider.h"

#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"

std::vector<InterfacePtr<IPreferencesProvider>> PreferencesProviders() {
  std::vector<InterfacePtr<IPreferencesProvider>> providers;
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kPreferencesProviderService)) {
    auto face = CreateObject<IPreferencesProvider>(provider, IID_IPREFERENCESPROVIDER);
    if (face) providers.push_back(std::move(face));
  }
  return providers;
}
