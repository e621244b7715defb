// A story's thread data on its frame list.
#include "sorvia/StoryThreadData.h"

#include "host/layout/LayoutIDs.h"
#include "sorvia/include/IThreadStoryData.h"

namespace sorvia {

ErrorCode RegisterStoryThreadData(Registry& registry) {
  if (registry.IsImplementationRegistered(kPersistUIDRefDataImpl)) return kSuccess;
  ErrorCode error =
      registry.RegisterImplementation<PersistValueData<IThreadReference>>(kPersistUIDRefDataImpl, true);
  if (error == kSuccess)
    error = registry.RegisterImplementation<PersistValueData<IThreadOrphan>>(kPersistBoolDataImpl, true);
  if (error == kSuccess)
    error = registry.RegisterImplementation<ValueData<IPreviousPageData>>(kPreviousPageDataImpl);
  if (error == kSuccess) {
    error = registry.AddIn(kFrameListBoss, {{IID_ITHREADREFERENCE, kPersistUIDRefDataImpl},
                                            {IID_ITHREADORPHAN, kPersistBoolDataImpl}});
  }
  return error;
}

}  // namespace sorvia
