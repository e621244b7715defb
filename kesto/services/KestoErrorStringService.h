// KestoErrorStringService: owns the host error codes 0xA8D00..0xA8DFF the facade answers with and gives
// their text.
#pragma once

#include "host/app/IErrorStringService.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "kesto/include/KestoID.h"

namespace kesto {

inline constexpr ClassID kKestoErrorStringServiceBoss = kKestoPrefix + 0x0C;
inline constexpr ImplementationID kKestoErrorStringServiceImpl = kKestoPrefix + 0x0C;

class KestoErrorStringService final : public CPMUnknown<IErrorStringService> {
 public:
  explicit KestoErrorStringService(Boss* boss) : CPMUnknown<IErrorStringService>(boss) {}
  bool GetErrorString(int32_t code, std::string& text) const override;
};

ErrorCode RegisterKestoErrorStringService(Registry& registry);

}  // namespace kesto
