// The Sorvia plug-in object.
#include "sorvia/SorviaPlugIn.h"

#include "sorvia/include/SorviaID.h"

namespace sorvia {

SorviaPlugIn::SorviaPlugIn() : PlugIn(kSorviaPluginID, kSorviaPluginName, kSorviaVersion) {}

ErrorCode SorviaPlugIn::Register(Registry& registry) { return kSuccess; }

}  // namespace sorvia
