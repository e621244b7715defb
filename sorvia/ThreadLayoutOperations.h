// ThreadLayoutOperations: the thread operations of pagehost layout (thread-new, thread-assign,
// thread-override, auto-flow ...), each run through the thread commands as one undoable step.
#pragma once

#include "host/app/ILayoutOperationProvider.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"

namespace sorvia {

class ThreadLayoutOperations final : public CPMUnknown<ILayoutOperationProvider> {
 public:
  explicit ThreadLayoutOperations(Boss* boss) : CPMUnknown<ILayoutOperationProvider>(boss) {}
  std::vector<LayoutOperationInfo> GetOperations() const override;
  LayoutOperationResult Run(IDataBase& db, std::string_view name, LayoutOperationWords& words) override;
};

ErrorCode RegisterThreadLayoutOperations(Registry& registry);

}  // namespace sorvia
