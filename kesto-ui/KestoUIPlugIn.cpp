// The Kesto UI plug-in object.
#include "kesto-ui/KestoUIPlugIn.h"

#include "kesto-ui/KestoUIID.h"
#include "kesto/include/KestoID.h"

namespace kestoui {

KestoUIPlugIn::KestoUIPlugIn()
    : UIPlugIn(kKestoUIPluginID, kKestoUIPluginName, kesto::kKestoVersion, kesto::kKestoPluginID) {}

ErrorCode KestoUIPlugIn::RegisterUI(Registry& registry) { return kSuccess; }

}  // namespace kestoui
