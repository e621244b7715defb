// SorviaPlugIn: the Sorvia model plug-in object; registers the text-thread engine.
#pragma once

#include "host/core/PlugIn.h"

namespace sorvia {

class SorviaPlugIn final : public PlugIn {
 public:
  SorviaPlugIn();
  ErrorCode Register(Registry& registry) override;
};

}  // namespace sorvia
