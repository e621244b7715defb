// The process-wide service registry.
#include "host/core/ServiceRegistry.h"

#include <algorithm>

ServiceRegistry& ServiceRegistry::Get() {
  static ServiceRegistry registry;
  return registry;
}

void ServiceRegistry::Register(ServiceID service, ClassID provider) {
  auto& list = providers_[service];
  if (std::find(list.begin(), list.end(), provider) == list.end()) list.push_back(provider);
}

const std::vector<ClassID>& ServiceRegistry::GetProviders(ServiceID service) const {
  static const std::vector<ClassID> kNone;
  auto it = providers_.find(service);
  return it == providers_.end() ? kNone : it->second;
}
