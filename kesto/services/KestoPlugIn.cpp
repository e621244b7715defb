// The Kesto plug-in object.
#include "kesto/services/KestoPlugIn.h"

#include "kesto/include/KestoID.h"
#include "kesto/reader/ErrorMessages.h"

namespace kesto {

KestoPlugIn::KestoPlugIn() : PlugIn(kKestoPluginID, kKestoPluginName, kKestoVersion) {}

ErrorCode KestoPlugIn::Register(Registry& registry) {
  return RegisterKestoMessageLists();
}

}  // namespace kesto
