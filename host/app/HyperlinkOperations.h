// HyperlinkOperations: the layout operations that make destinations, hyperlinks and text anchors
// (destination, hyperlink, text-anchor), offered as a layout operation service.
#pragma once

#include "host/app/ILayoutOperationProvider.h"
#include "host/core/CPMUnknown.h"

inline constexpr ClassID kHyperlinkOperationsBoss = 0x20BA0;
inline constexpr ImplementationID kHyperlinkOperationsImpl = 0x20BA0;

class HyperlinkOperations final : public CPMUnknown<ILayoutOperationProvider> {
 public:
  explicit HyperlinkOperations(Boss* boss) : CPMUnknown(boss) {}
  std::vector<LayoutOperationInfo> GetOperations() const override;
  LayoutOperationResult Run(IDataBase& db, std::string_view name, LayoutOperationWords& words) override;
};

// Registers the provider's class and implementation and offers it as a layout operation service.
ErrorCode RegisterHyperlinkOperations();
