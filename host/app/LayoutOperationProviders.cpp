// Finding the layout operations among the registered services.
#include "host/app/ILayoutOperationProvider.h"

#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"

std::vector<InterfacePtr<ILayoutOperationProvider>> LayoutOperationProviders() {
  std::vector<InterfacePtr<ILayoutOperationProvider>> providers;
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kLayoutOperationService)) {
    auto face = CreateObject<ILayoutOperationProvider>(provider, IID_ILAYOUTOPERATIONPROVIDER);
    if (face) providers.push_back(std::move(face));
  }
  return providers;
}
