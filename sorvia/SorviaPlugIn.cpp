// The Sorvia plug-in object.
#include "sorvia/SorviaPlugIn.h"

#include "sorvia/AutoFlowPrefsData.h"
#include "sorvia/AutoFlowPrefsProvider.h"
#include "sorvia/OverrideMasterFrameCmd.h"
#include "sorvia/SorviaStrings.h"
#include "sorvia/SorviaSuites.h"
#include "sorvia/StoryThreadData.h"
#include "sorvia/TextThreadData.h"
#include "sorvia/TextThreadList.h"
#include "sorvia/TextThreadManager.h"
#include "sorvia/ThreadCheck.h"
#include "sorvia/ThreadCmds.h"
#include "sorvia/ThreadInspectMember.h"
#include "sorvia/ThreadLayoutOperations.h"
#include "sorvia/include/SorviaID.h"

namespace sorvia {

SorviaPlugIn::SorviaPlugIn() : PlugIn(kSorviaPluginID, kSorviaPluginName, kSorviaVersion) {}

ErrorCode SorviaPlugIn::Register(Registry& registry) {
  RegisterSorviaStrings();
  ErrorCode error = RegisterTextThreadData(registry);
  if (error == kSuccess) error = RegisterTextThreadList(registry);
  if (error == kSuccess) error = RegisterAutoFlowPrefsData(registry);
  if (error == kSuccess) error = RegisterStoryThreadData(registry);
  if (error == kSuccess) error = RegisterTextThreadManager(registry);
  if (error == kSuccess) error = RegisterThreadCmds(registry);
  if (error == kSuccess) error = RegisterOverrideMasterFrameCmd(registry);
  if (error == kSuccess) error = RegisterSorviaSuites(registry);
  if (error == kSuccess) error = RegisterThreadLayoutOperations(registry);
  if (error == kSuccess) error = RegisterThreadInspectMember(registry);
  if (error == kSuccess) error = RegisterAutoFlowPrefsProvider(registry);
  if (error == kSuccess) ThreadCheck::AddToOpenChecks();
  return error;
}

}  // namespace sorvia
