// Finding the import provider of a format among the registered services.
#include "host/app/IImportProvider.h"

#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"

InterfacePtr<IImportProvider> FindImportProvider(std::string_view format) {
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kImportProviderService)) {
    InterfacePtr<IImportProvider> face = CreateObject<IImportProvider>(provider, IID_IIMPORTPROVIDER);
    if (face && face->GetFormatName() == format) return face;
  }
  return {};
}
