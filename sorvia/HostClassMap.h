// HostClassMap: the host's commands, change protocols, parameter interfaces and priorities that the thread
// engine (and the watcher that builds on it) names, by the role each plays. Keep every such name here, so
// that a change of host numbering touches one file.
#pragma once

#include "host/cmd/ICommand.h"
#include "host/compose/ComposeIDs.h"
#include "host/core/HostIDs.h"
#include "host/layout/LayoutIDs.h"

namespace sorvia::host_map {

// Parameter interfaces of commands: a flag (4099) and a UID (4100).
inline constexpr PMIID kBoolParameter = IID_IBOOLDATA;
inline constexpr PMIID kUIDParameter = IID_IUIDDATA;

// Protocols: a story's frame list (572) and the stacking order of page items (11306).
inline constexpr PMIID kFrameListProtocol = IID_IFRAMELIST;
inline constexpr PMIID kHierarchyProtocol = IID_ILAYERCHANGES;

// Commands the engine runs.
inline constexpr ClassID kOverrideItemsCmd = kOverrideMasterItemsCmdBoss;
inline constexpr ClassID kTextLinkCmd = kTextLinkCmdBoss;
inline constexpr ClassID kPrimaryFlowCmd = kSetPrimaryTextFlowCmdBoss;
inline constexpr ClassID kRecomposeCmd = kRecomposeCmdBoss;
inline constexpr ClassID kSendBehindItemsCmd = kSendBehindCmdBoss;

// Commands and changes the watcher follows.
inline constexpr ClassID kApplyMasterCmd = kApplyMasterCmdBoss;
inline constexpr ClassID kDuplicateSpreadCmd = kDuplicateSpreadCmdBoss;
inline constexpr ClassID kItemsOverriddenChange = kMasterItemsOverriddenChange;
inline constexpr ClassID kFramesLinked = kFramesLinkedChange;
inline constexpr ClassID kFrameListChanged = kFrameListChange;
inline constexpr PMIID kMasterProtocol = IID_IMASTERCHANGES;
inline constexpr PMIID kCommandProtocol = IID_ICOMMANDMGR;

// Scheduling: the deferred trigger (1) and the deferred override (3).
inline constexpr int32_t kNullCmdPriority = ICommand::kLowPriority;
inline constexpr int32_t kOverridePriority = ICommand::kHighPriority;

}  // namespace sorvia::host_map
