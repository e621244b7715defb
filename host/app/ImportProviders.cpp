// Finding the import provider of a format, or the one that claims a source, among the registered services.
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

InterfacePtr<IImportProvider> FindPlaceProvider(std::span<const uint8_t> head,
                                                const std::filesystem::path& file, int32_t& strength) {
  InterfacePtr<IImportProvider> best;
  strength = 0;
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kImportProviderService)) {
    InterfacePtr<IImportProvider> face = CreateObject<IImportProvider>(provider, IID_IIMPORTPROVIDER);
    int32_t answer = face ? face->CanImportStream(head, file) : 0;
    if (answer > strength) {
      strength = answer;
      best = std::move(face);
    }
  }
  return best;
}
