// KestoUIPlugIn: the Kesto UI plug-in object; loads only beside a Kesto of the same version.
#pragma once

#include "host/core/UIPlugIn.h"

namespace kestoui {

class KestoUIPlugIn final : public UIPlugIn {
 public:
  KestoUIPlugIn();

 protected:
  ErrorCode RegisterUI(Registry& registry) override;
};

}  // namespace kestoui
