// The Sorvia UI plug-in object.
#include "sorvia-ui/SorviaUIPlugIn.h"

#include "sorvia-ui/SorviaUIID.h"
#include "sorvia/include/SorviaID.h"

namespace sorviaui {

SorviaUIPlugIn::SorviaUIPlugIn()
    : UIPlugIn(kSorviaUIPluginID, kSorviaUIPluginName, sorvia::kSorviaVersion, sorvia::kSorviaPluginID) {}

ErrorCode SorviaUIPlugIn::RegisterUI(Registry& registry) { return kSuccess; }

}  // namespace sorviaui
