// The Kesto plug-in object.
#include "kesto/services/KestoPlugIn.h"

#include "kesto/include/KestoID.h"

namespace kesto {

KestoPlugIn::KestoPlugIn() : PlugIn(kKestoPluginID, kKestoPluginName, kKestoVersion) {}

ErrorCode KestoPlugIn::Register(Registry& registry) { return kSuccess; }

}  // namespace kesto
