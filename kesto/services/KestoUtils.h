// KestoUtils: IKestoUtils on the host's utilities object.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "kesto/include/IKestoUtils.h"

namespace kesto {

inline constexpr ImplementationID kKestoUtilsImpl = kKestoPrefix + 0x0D;

class KestoUtils final : public CPMUnknown<IKestoUtils> {
 public:
  explicit KestoUtils(Boss* boss) : CPMUnknown<IKestoUtils>(boss) {}
  std::unique_ptr<IKestoTextReader> NewReader(IDataBase* document) const override;
  std::unique_ptr<IKestoTextWriter> NewWriter(IDataBase* document) const override;
};

ErrorCode RegisterKestoUtils(Registry& registry);

}  // namespace kesto
