// Finding the import provider of a format among the registered services.
#include "host/app/IImportProvider.h"

#include "host/core/Boss.h"
#include "host/core/ServiceRegistry.h"

InterfacePtr<IImportProvider> FindImportProvider(std::string_view format) {
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kImportProviderService)) {
    Boss* boss = Boss::Create(provider);
    if (!boss) continue;
    InterfacePtr<IImportProvider> face(
        static_cast<IImportProvider*>(boss->QueryInterface(IID_IIMPORTPROVIDER)));
    boss->Release();
    if (face && face->GetFormatName() == format) return face;
  }
  return {};
}
