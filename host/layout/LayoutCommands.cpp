// The layout command classes.
#include "host/layout/LayoutCommands.h"

#include "host/layout/AnchorItemCmd.h"
#include "host/layout/ArrangeCmds.h"
#include "host/layout/FrameOptionCmd.h"
#include "host/layout/ItemCmds.h"
#include "host/layout/ItemGeometryCmd.h"
#include "host/layout/ItemStateCmds.h"
#include "host/layout/MasterCmds.h"
#include "host/layout/PageCmds.h"
#include "host/layout/TextLinkCmd.h"

namespace {

template <class Impl>
CreatedImplementation Make(Boss* boss) {
  auto* impl = new Impl(boss);
  return {impl, static_cast<IPMUnknown*>(static_cast<ICommand*>(impl))};
}

}  // namespace

const std::vector<LayoutCommandInfo>& LayoutCommandTable() {
  static const std::vector<LayoutCommandInfo> table = {
      {kCreateTextFrameCmdBoss, "kCreateTextFrameCmdBoss", Make<CreatePageItemCmd>},
      {kCreateGraphicFrameCmdBoss, "kCreateGraphicFrameCmdBoss", Make<CreatePageItemCmd>},
      {kCreateRectangleCmdBoss, "kCreateRectangleCmdBoss", Make<CreatePageItemCmd>},
      {kCreateOvalCmdBoss, "kCreateOvalCmdBoss", Make<CreatePageItemCmd>},
      {kCreateLineCmdBoss, "kCreateLineCmdBoss", Make<CreatePageItemCmd>},
      {kConvertPathCmdBoss, "kConvertPathCmdBoss", Make<ConvertPathCmd>},
      {kDeleteItemsCmdBoss, "kDeleteItemsCmdBoss", Make<DeleteItemsCmd>},
      {kGroupItemsCmdBoss, "kGroupItemsCmdBoss", Make<GroupItemsCmd>},
      {kMoveToLayerCmdBoss, "kMoveToLayerCmdBoss", Make<MoveToLayerCmd>},
      {kSendBehindCmdBoss, "kSendBehindCmdBoss", Make<SendBehindCmd>},
      {kSendToBackCmdBoss, "kSendToBackCmdBoss", Make<SendToBackCmd>},
      {kNewLayerCmdBoss, "kNewLayerCmdBoss", Make<NewLayerCmd>},
      {kMoveItemsCmdBoss, "kMoveItemsCmdBoss", Make<ItemGeometryCmd>},
      {kResizeItemsCmdBoss, "kResizeItemsCmdBoss", Make<ItemGeometryCmd>},
      {kSetBoundsCmdBoss, "kSetBoundsCmdBoss", Make<ItemGeometryCmd>},
      {kTransformItemsCmdBoss, "kTransformItemsCmdBoss", Make<ItemGeometryCmd>},
      {kSetFrameColumnsCmdBoss, "kSetFrameColumnsCmdBoss", Make<FrameOptionCmd>},
      {kSetFrameInsetsCmdBoss, "kSetFrameInsetsCmdBoss", Make<FrameOptionCmd>},
      {kSetVerticalJustificationCmdBoss, "kSetVerticalJustificationCmdBoss", Make<FrameOptionCmd>},
      {kSetFirstBaselineCmdBoss, "kSetFirstBaselineCmdBoss", Make<FrameOptionCmd>},
      {kSetParagraphSpacingLimitCmdBoss, "kSetParagraphSpacingLimitCmdBoss", Make<FrameOptionCmd>},
      {kLockItemsCmdBoss, "kLockItemsCmdBoss", Make<LockItemsCmd>},
      {kSetLabelCmdBoss, "kSetLabelCmdBoss", Make<SetLabelCmd>},
      {kTextLinkCmdBoss, "kTextLinkCmdBoss", Make<TextLinkCmd>},
      {kSetPrimaryTextFlowCmdBoss, "kSetPrimaryTextFlowCmdBoss", Make<SetPrimaryTextFlowCmd>},
      {kApplyMasterCmdBoss, "kApplyMasterCmdBoss", Make<ApplyMasterCmd>},
      {kNewMasterCmdBoss, "kNewMasterCmdBoss", Make<NewMasterCmd>},
      {kSetMasterOfMasterCmdBoss, "kSetMasterOfMasterCmdBoss", Make<SetMasterOfMasterCmd>},
      {kOverrideMasterItemsCmdBoss, "kOverrideMasterItemsCmdBoss", Make<OverrideMasterItemsCmd>},
      {kRevertOverridesCmdBoss, "kRevertOverridesCmdBoss", Make<RevertOverridesCmd>},
      {kDuplicateSpreadCmdBoss, "kDuplicateSpreadCmdBoss", Make<DuplicateSpreadCmd>},
      {kDuplicateMasterSpreadCmdBoss, "kDuplicateMasterSpreadCmdBoss", Make<DuplicateSpreadCmd>},
      {kInsertPagesCmdBoss, "kInsertPagesCmdBoss", Make<InsertPagesCmd>},
      {kNewSpreadCmdBoss, "kNewSpreadCmdBoss", Make<NewSpreadCmd>},
      {kDeletePagesCmdBoss, "kDeletePagesCmdBoss", Make<DeletePagesCmd>},
      {kMovePagesCmdBoss, "kMovePagesCmdBoss", Make<MovePagesCmd>},
      {kShufflePagesCmdBoss, "kShufflePagesCmdBoss", Make<ShufflePagesCmd>},
      {kSetPagePositionCmdBoss, "kSetPagePositionCmdBoss", Make<SetPagePositionCmd>},
      {kNewSectionCmdBoss, "kNewSectionCmdBoss", Make<NewSectionCmd>},
      {kSetPageSetupCmdBoss, "kSetPageSetupCmdBoss", Make<SetPageSetupCmd>},
      {kAnchorItemCmdBoss, "kAnchorItemCmdBoss", Make<AnchorItemCmd>},
  };
  return table;
}
