// The text of Kesto's host error codes.
#include "kesto/services/KestoErrorStringService.h"

#include "host/core/ServiceRegistry.h"
#include "kesto/services/KestoHostCodes.h"

namespace kesto {

bool KestoErrorStringService::GetErrorString(int32_t code, std::string& text) const {
  if (code < kKestoHostCodeFirst || code > kKestoHostCodeLast) return false;
  text = Utf8FromWide(HostErrorText(code));
  return true;
}

ErrorCode RegisterKestoErrorStringService(Registry& registry) {
  if (registry.IsClassRegistered(kKestoErrorStringServiceBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<KestoErrorStringService>(kKestoErrorStringServiceImpl);
  if (error == kSuccess) {
    error =
        registry.RegisterClass(kKestoErrorStringServiceBoss, kInvalidClass, "kKestoErrorStringServiceBoss",
                               {{IID_IERRORSTRINGSERVICE, kKestoErrorStringServiceImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kErrorStringService, kKestoErrorStringServiceBoss);
  return error;
}

}  // namespace kesto
