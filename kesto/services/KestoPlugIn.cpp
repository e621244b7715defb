// The Kesto plug-in object.
#include "kesto/services/KestoPlugIn.h"

#include "kesto/include/KestoID.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/reader/ErrorMessages.h"
#include "kesto/services/KestoErrorStringService.h"
#include "kesto/services/KestoExportProvider.h"
#include "kesto/services/KestoFacade.h"
#include "kesto/services/KestoImportProvider.h"
#include "kesto/services/KestoPrefs.h"
#include "kesto/services/KestoPrefsProvider.h"
#include "kesto/services/KestoSuites.h"
#include "kesto/services/KestoUtils.h"
#include "kesto/services/SetPrefsCmd.h"

namespace kesto {

KestoPlugIn::KestoPlugIn() : PlugIn(kKestoPluginID, kKestoPluginName, kKestoVersion) {}

ErrorCode KestoPlugIn::Register(Registry& registry) {
  ErrorCode error = RegisterKestoMessageLists();
  if (error == kSuccess) error = RegisterKestoAttributes();
  if (error == kSuccess) error = RegisterKestoImportProvider(registry);
  if (error == kSuccess) error = RegisterKestoExportProvider(registry);
  if (error == kSuccess) error = RegisterKestoPrefs(registry);
  if (error == kSuccess) error = RegisterSetPrefsCmd(registry);
  if (error == kSuccess) error = RegisterKestoPrefsProvider(registry);
  if (error == kSuccess) error = RegisterKestoFacade(registry);
  if (error == kSuccess) error = RegisterKestoErrorStringService(registry);
  if (error == kSuccess) error = RegisterKestoSuites(registry);
  if (error == kSuccess) error = RegisterKestoUtils(registry);
  return error;
}

}  // namespace kesto
