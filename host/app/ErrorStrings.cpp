// Asking the error-string services for the text of a code.
#include "host/app/IErrorStringService.h"

#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"

std::string ErrorStringFor(int32_t code) {
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kErrorStringService)) {
    auto service = CreateObject<IErrorStringService>(provider, IID_IERRORSTRINGSERVICE);
    std::string text;
    if (service && service->GetErrorString(code, text)) return text;
  }
  return {};
}
