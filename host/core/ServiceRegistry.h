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
  // Where the registrations stand, to go back to when a plug-in's registration fails half way (every
  // provider registered since is taken out, latest first).
  class Checkpoint;
  Checkpoint Save() const;
  void Restore(Checkpoint checkpoint);

 private:
  using Providers = std::unordered_map<ServiceID, std::vector<ClassID>>;
  Providers providers_;
  std::vector<ServiceID> registered_;  // in order, for Restore
  std::vector<std::string> clashes_;
};

class ServiceRegistry::Checkpoint {
  friend class ServiceRegistry;
  explicit Checkpoint(size_t registered) : registered_(registered) {}
  size_t registered_;
};
