// SmartReflowService: Sorvia's answers to the host's smart text reflow. Thread stories get their pages from
// the document watcher, which only ever adds pages: the host adds or removes pages only for stories outside
// the threads. Everything else is left to the host.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/layout/ISmartReflowService.h"
#include "sorvia/include/SorviaID.h"

namespace sorvia {

inline constexpr ClassID kSmartReflowServiceBoss = kSorviaPrefix + 0x3B;
inline constexpr ImplementationID kSmartReflowServiceImpl = kSorviaPrefix + 0x3B;

class SmartReflowService final : public CPMUnknown<ISmartReflowService> {
 public:
  explicit SmartReflowService(Boss* boss) : CPMUnknown(boss) {}
  bool MayAddPagesForStory(const IDataBase* db, UID frameList) const override;
  bool MayRemovePagesOfStory(const IDataBase* db, UID frameList) const override;
  bool MayReflowDocument(const IDataBase*) const override { return true; }
  bool MayAddSpreads(const IDataBase*) const override { return true; }
  bool MayRemoveEmptyPages(const IDataBase*) const override { return true; }
};

ErrorCode RegisterSmartReflowService(Registry& registry);

}  // namespace sorvia
