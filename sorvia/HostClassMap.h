// HostClassMap: the host's commands, change protocols, parameter interfaces and priorities that the thread
// engine (and the watcher that builds on it) names, by the role each plays. Keep every such name here, so
// that a change of host numbering touches one file.
#pragma once

#include "host/cmd/ICommand.h"
#include "host/compose/ComposeIDs.h"
#include "host/core/HostIDs.h"
#include "host/layout/FrameOrderIDs.h"
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
inline constexpr ClassID kDeleteItemsCmd = kDeleteItemsCmdBoss;
inline constexpr ClassID kRevertOverridesCmd = kRevertOverridesCmdBoss;
inline constexpr ClassID kCreateTextFrameCmd = kCreateTextFrameCmdBoss;
inline constexpr ClassID kInsertPagesCmd = kInsertPagesCmdBoss;
inline constexpr ClassID kNewSpreadCmd = kNewSpreadCmdBoss;
inline constexpr ClassID kFrameOrderCmd = kSetFrameOrderCmdBoss;

// Commands and changes the watcher follows.
inline constexpr ClassID kApplyMasterCmd = kApplyMasterCmdBoss;
inline constexpr ClassID kDuplicateSpreadCmd = kDuplicateSpreadCmdBoss;
inline constexpr ClassID kDuplicateMasterSpreadCmd = kDuplicateMasterSpreadCmdBoss;
inline constexpr ClassID kDeletePagesCmd = kDeletePagesCmdBoss;
inline constexpr ClassID kMovePagesCmd = kMovePagesCmdBoss;
inline constexpr ClassID kShufflePagesCmd = kShufflePagesCmdBoss;
inline constexpr ClassID kSetPagePositionCmd = kSetPagePositionCmdBoss;
// Copies (of a spread duplication, of overrides) paired with their originals, on the page-item protocol.
inline constexpr ClassID kItemsCopied = kItemsCopiedChange;
inline constexpr PMIID kPageItemProtocol = IID_IPAGEITEMCHANGES;
// A text link, before its merge, on the text-frame protocol.
inline constexpr PMIID kTextFrameProtocol = IID_ITEXTFRAMECHANGES;
inline constexpr ClassID kItemsOverriddenChange = kMasterItemsOverriddenChange;
inline constexpr ClassID kFramesLinked = kFramesLinkedChange;
inline constexpr ClassID kFrameListChanged = kFrameListChange;
inline constexpr PMIID kMasterProtocol = IID_IMASTERCHANGES;
inline constexpr ClassID kMasterSpreadsListed = kMasterSpreadsListedChange;
inline constexpr ClassID kStoryComposed = kStoryComposedChange;
inline constexpr PMIID kComposeProtocol = IID_ICOMPOSECHANGES;
// The before and after messages of every command, on the command protocol.
inline constexpr ClassID kBeforeCommand = kBeforeDoMessageBoss;
inline constexpr ClassID kAfterCommand = kAfterDoMessageBoss;
inline constexpr PMIID kCommandProtocol = IID_ICOMMANDMGR;

// Scheduling: the deferred trigger (1) and the deferred override (3).
inline constexpr int32_t kNullCmdPriority = ICommand::kLowPriority;
inline constexpr int32_t kOverridePriority = ICommand::kHighPriority;

}  // namespace sorvia::host_map
