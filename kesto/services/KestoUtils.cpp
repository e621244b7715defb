// Handing out scanners and writers.
#include "kesto/services/KestoUtils.h"

#include <new>

#include "host/core/HostIDs.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/writer/KestoPutter.h"

namespace kesto {

KestoScanner* KestoUtils::NewScanner(IDataBase* document) const {
  return new (std::nothrow) KestoScanner(document);
}

KestoPutter* KestoUtils::NewPutter() const {
  return new (std::nothrow) KestoPutter();
}

ErrorCode RegisterKestoUtils(Registry& registry) {
  if (registry.IsImplementationRegistered(kKestoUtilsImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<KestoUtils>(kKestoUtilsImpl);
  if (error == kSuccess) error = registry.AddIn(kUtilsBoss, {{IID_IKESTOUTILS, kKestoUtilsImpl}});
  return error;
}

}  // namespace kesto
