// ServiceRegistry: providers of a service, found by service ID (import and export providers, responders,
// kerning methods, error strings ...). A provider is a class whose bosses answer the service.
#pragma once

#include <unordered_map>
#include <vector>

#include "host/core/IDs.h"

class ServiceRegistry {
 public:
  static ServiceRegistry& Get();
  void Register(ServiceID service, ClassID provider);
  // Providers in registration order; empty when none.
  const std::vector<ClassID>& GetProviders(ServiceID service) const;

 private:
  std::unordered_map<ServiceID, std::vector<ClassID>> providers_;
};
