// Finding the export provider of a format among the registered services.
#include "host/app/IExportProvider.h"

#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"

InterfacePtr<IExportProvider> FindExportProvider(std::string_view format) {
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kExportProviderService)) {
    InterfacePtr<IExportProvider> face = CreateObject<IExportProvider>(provider, IID_IEXPORTPROVIDER);
    if (face && face->GetFormatName() == format) return face;
  }
  return {};
}
