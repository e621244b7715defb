// SorviaUIPlugIn: the Sorvia UI plug-in object; loads only beside a Sorvia of the same version.
#pragma once

#include "host/core/UIPlugIn.h"

namespace sorviaui {

class SorviaUIPlugIn final : public UIPlugIn {
 public:
  SorviaUIPlugIn();

 protected:
  ErrorCode RegisterUI(Registry& registry) override;
};

}  // namespace sorviaui
