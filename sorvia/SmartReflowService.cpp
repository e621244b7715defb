// Sorvia's smart-reflow answers.
#include "sorvia/SmartReflowService.h"

#include "host/core/ServiceRegistry.h"
#include "sorvia/ThreadQueries.h"

namespace sorvia {

bool SmartReflowService::MayAddPagesForStory(const IDataBase* db, UID frameList) const {
  return !ThreadQueries::ThreadOfStory(db, frameList).IsValid();
}

bool SmartReflowService::MayRemovePagesOfStory(const IDataBase* db, UID frameList) const {
  return !ThreadQueries::ThreadOfStory(db, frameList).IsValid();
}

ErrorCode RegisterSmartReflowService(Registry& registry) {
  if (registry.IsImplementationRegistered(kSmartReflowServiceImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<SmartReflowService>(kSmartReflowServiceImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kSmartReflowServiceBoss, kInvalidClass, "Sorvia Smart Reflow",
                                   {{IID_ISMARTREFLOWSERVICE, kSmartReflowServiceImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kSmartReflowService, kSmartReflowServiceBoss);
  return error;
}

}  // namespace sorvia
