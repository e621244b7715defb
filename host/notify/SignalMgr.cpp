// Sending signals to the responders of a service.
#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"
#include "host/notify/IResponder.h"

#include <algorithm>

int SignalMgr::Signal(ServiceID service, ClassID signal, const UIDRef& document, void* detail) {
  int called = 0;
  const std::vector<ClassID> providers = ServiceRegistry::Get().GetProviders(service);
  for (ClassID provider : providers) {
    InterfacePtr<IResponder> responder = CreateObject<IResponder>(provider);
    if (!responder) continue;
    auto wanted = responder->GetSignals(service);
    if (std::find(wanted.begin(), wanted.end(), signal) == wanted.end()) continue;
    responder->Respond({service, signal, document, detail});
    ++called;
  }
  return called;
}
