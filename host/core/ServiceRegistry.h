// ServiceRegistry: providers of a service, found by service ID (import and export providers, responders,
// kerning methods, error strings ...). A provider is a class whose bosses answer the service.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "host/core/IDs.h"

class ServiceRegistry {
 public:
  static ServiceRegistry& Get();
  // Answers kSuccess; kInvalidParameterError for an invalid ID; kIDClashError, noting the clash, when
  // `provider` already provides `service`.
  ErrorCode Register(ServiceID service, ClassID provider);
  // Providers in registration order; empty when none.
  const std::vector<ClassID>& GetProviders(ServiceID service) const;

  // Every refused registration so far, oldest first, as a sentence for the user.
  const std::vector<std::string>& GetClashes() const { return clashes_; }
  // The providers as they are now, to be put back when a plug-in's registration fails half way.
  class Checkpoint;
  Checkpoint Save() const;
  void Restore(Checkpoint checkpoint);

 private:
  using Providers = std::unordered_map<ServiceID, std::vector<ClassID>>;
  Providers providers_;
  std::vector<std::string> clashes_;
};

class ServiceRegistry::Checkpoint {
  friend class ServiceRegistry;
  explicit Checkpoint(Providers providers) : providers_(std::move(providers)) {}
  Providers providers_;
};
