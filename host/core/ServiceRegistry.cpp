// The process-wide service registry.
#include "host/core/ServiceRegistry.h"

#include <algorithm>
#include <cstdio>

ServiceRegistry& ServiceRegistry::Get() {
  static ServiceRegistry registry;
  return registry;
}

ErrorCode ServiceRegistry::Register(ServiceID service, ClassID provider) {
  if (!service.IsValid() || !provider.IsValid()) return kInvalidParameterError;
  auto& list = providers_[service];
  if (std::find(list.begin(), list.end(), provider) != list.end()) {
    char text[96];
    std::snprintf(text, sizeof(text), "class 0x%06X already provides service 0x%06X", provider.Get(),
                  service.Get());
    clashes_.push_back(text);
    return kIDClashError;
  }
  list.push_back(provider);
  registered_.push_back(service);
  return kSuccess;
}

const std::vector<ClassID>& ServiceRegistry::GetProviders(ServiceID service) const {
  static const std::vector<ClassID> kNone;
  auto it = providers_.find(service);
  return it == providers_.end() ? kNone : it->second;
}

ServiceRegistry::Checkpoint ServiceRegistry::Save() const {
  return Checkpoint(registered_.size());
}

// A service's providers grow only at their end, so the latest registration is its list's last entry.
void ServiceRegistry::Restore(Checkpoint checkpoint) {
  while (registered_.size() > checkpoint.registered_) {
    auto list = providers_.find(registered_.back());
    list->second.pop_back();
    if (list->second.empty()) providers_.erase(list);
    registered_.pop_back();
  }
}
