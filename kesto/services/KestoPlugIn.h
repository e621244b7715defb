// KestoPlugIn: the Kesto model plug-in object; registers the engine's classes and implementations.
#pragma once

#include "host/core/PlugIn.h"

namespace kesto {

class KestoPlugIn final : public PlugIn {
 public:
  KestoPlugIn();
  ErrorCode Register(Registry& registry) override;
};

}  // namespace kesto
