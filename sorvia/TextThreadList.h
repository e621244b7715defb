// PersistTextThreadList: the document workspace's default thread and named threads, saved with the document.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "sorvia/include/ITextThreadList.h"

namespace sorvia {

class PersistTextThreadList final : public CPMUnknown<ITextThreadList> {
 public:
  explicit PersistTextThreadList(Boss* boss) : CPMUnknown<ITextThreadList>(boss) {}
  int32_t GetThreadCount() const override { return static_cast<int32_t>(threads_.size()); }
  int32_t FindThreadByName(const WideString& name) const override;
  int32_t IndexOfThread(UID uid) const override;
  UID GetNthThread(int32_t index) const override;
  InterfacePtr<ITextThreadData> QueryNthThread(int32_t index) const override;
  void AddThread(UID uid) override;
  void RemoveThread(UID uid) override;
  void SetDefaultThread(UID uid) override;
  UID GetDefaultThread() const override { return defaultThread_; }
  // The default thread as a reference, the count, then the listed threads as references; a negative count
  // reads as none.
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  UID defaultThread_;
  std::vector<UID> threads_;
};

// Registers the implementation and adds it to the document workspace.
ErrorCode RegisterTextThreadList(Registry& registry);

}  // namespace sorvia
