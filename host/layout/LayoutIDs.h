// Identifiers of the layout area: the document's layout lists, spreads, pages, layers, page items, frame
// lists, the layout commands and the changes they announce. Most are taken from the host's layout block
// 0x20600. The command classes, change classes and protocols that observers in plug-ins name by number keep
// the fixed numbers those observers expect.
#pragma once

#include "host/core/IDs.h"

// Classes of the document's objects.
inline constexpr ClassID kSpreadBoss = 0x20600;
inline constexpr ClassID kMasterSpreadBoss = 0x20601;
inline constexpr ClassID kPageBoss = 0x20602;
inline constexpr ClassID kSpreadLayerBoss = 0x20603;
inline constexpr ClassID kDocumentLayerBoss = 0x20604;
inline constexpr ClassID kFrameListBoss = 0x20605;
inline constexpr ClassID kPageItemBoss = 0x20606;  // the parent of every kind of page item
inline constexpr ClassID kTextFrameBoss = 0x20607;
inline constexpr ClassID kGraphicFrameBoss = 0x20608;
inline constexpr ClassID kRectangleBoss = 0x20609;
inline constexpr ClassID kOvalBoss = 0x2060A;
inline constexpr ClassID kLineBoss = 0x2060B;
inline constexpr ClassID kGroupBoss = 0x2060C;

// Interfaces.
inline constexpr PMIID IID_IPAGESETUP = 0x20600;
inline constexpr PMIID IID_ISPREADLIST = 0x20601;
inline constexpr PMIID IID_ILAYERLIST = 0x20602;
inline constexpr PMIID IID_ISECTIONLIST = 0x20603;
inline constexpr PMIID IID_ISPREAD = 0x20604;
inline constexpr PMIID IID_IMASTERSPREAD = 0x20605;
inline constexpr PMIID IID_IPAGE = 0x20606;
inline constexpr PMIID IID_IHIERARCHY = 0x20607;
inline constexpr PMIID IID_ISPREADLAYER = 0x20608;
inline constexpr PMIID IID_IDOCUMENTLAYER = 0x20609;
inline constexpr PMIID IID_IPAGEITEM = 0x2060A;
inline constexpr PMIID IID_ITEXTFRAME = 0x2060B;
inline constexpr PMIID IID_ISTORYFRAMES = 0x2060D;
inline constexpr PMIID IID_ILAYOUTCMDDATA = 0x2060E;
inline constexpr PMIID IID_ISTORYANCHORS = 0x20610;

// Notification protocols on the document's subject (and, for 572, on a frame list's subject).
inline constexpr PMIID IID_IPAGEITEMCHANGES = 570;  // items created, deleted, moved, changed
inline constexpr PMIID IID_ISPREADCHANGES = 1281;   // spreads and pages inserted, deleted, moved, shuffled
inline constexpr PMIID IID_IMASTERCHANGES = 5121;   // masters applied, listed, overridden, reverted
inline constexpr PMIID IID_ILAYERCHANGES = 4114;    // layers and stacking order
inline constexpr PMIID IID_ISTORYCHANGES = 11306;   // stories made or given up by layout commands
// A frame list's interface is also the protocol on which its changes are sent.
inline constexpr PMIID IID_IFRAMELIST = 572;
inline constexpr PMIID IID_ITEXTFRAMECHANGES = 5130;  // frame options, links

// Change classes: what a command's own change message (or a change sent while it works) says happened.
inline constexpr ClassID kFramesLinkedChange = 516;          // sent before the merge of a text link
inline constexpr ClassID kFrameListChange = 552;             // on the frame list's subject and the document's
inline constexpr ClassID kMasterSpreadsListedChange = 5124;  // a new document's master spreads
inline constexpr ClassID kMasterItemsOverriddenChange = 5126;
// A story made as a copy of another (override, spread duplication): whatever the original belonged to, the
// copy does not yet. Sent before kItemsCopiedChange of the same command, which pairs the copies' frames with
// their originals, so that an observer can first clear what a copy took over and then decide what it keeps.
inline constexpr ClassID kStoryCopiedChange = 5140;
inline constexpr ClassID kItemsCopiedChange = 11289;  // copies (duplicate spread, override) and originals
inline constexpr ClassID kPagesInsertedChange = 0x20680;
inline constexpr ClassID kPagesDeletedChange = 0x20681;
inline constexpr ClassID kPagesMovedChange = 0x20682;
inline constexpr ClassID kPagesShuffledChange = 0x20683;
inline constexpr ClassID kItemsCreatedChange = 0x20684;
inline constexpr ClassID kStoryGivenUpChange = 0x20686;  // stories deleted by a layout command

// Command classes.
inline constexpr ClassID kTextLinkCmdBoss = 516;
inline constexpr ClassID kDeletePagesCmdBoss = 1289;
inline constexpr ClassID kMovePagesCmdBoss = 1290;
inline constexpr ClassID kDuplicateSpreadCmdBoss = 1323;
inline constexpr ClassID kShufflePagesCmdBoss = 1329;
inline constexpr ClassID kSetPagePositionCmdBoss = 1332;
inline constexpr ClassID kApplyMasterCmdBoss = 5133;
inline constexpr ClassID kDuplicateMasterSpreadCmdBoss = 5135;
inline constexpr ClassID kSetPrimaryTextFlowCmdBoss = 11298;
inline constexpr ClassID kOverrideMasterItemsCmdBoss = 11380;
inline constexpr ClassID kRevertOverridesCmdBoss = 11381;
inline constexpr ClassID kNewMasterCmdBoss = 11382;
inline constexpr ClassID kSetMasterOfMasterCmdBoss = 11383;
inline constexpr ClassID kCreateTextFrameCmdBoss = 0x20620;
inline constexpr ClassID kCreateGraphicFrameCmdBoss = 0x20621;
inline constexpr ClassID kCreateRectangleCmdBoss = 0x20622;
inline constexpr ClassID kCreateOvalCmdBoss = 0x20623;
inline constexpr ClassID kCreateLineCmdBoss = 0x20624;
inline constexpr ClassID kConvertPathCmdBoss = 0x20625;
inline constexpr ClassID kDeleteItemsCmdBoss = 0x20626;
inline constexpr ClassID kMoveToLayerCmdBoss = 0x20627;
inline constexpr ClassID kSendBehindCmdBoss = 0x20628;
inline constexpr ClassID kSendToBackCmdBoss = 0x20629;
inline constexpr ClassID kMoveItemsCmdBoss = 0x2062A;
inline constexpr ClassID kResizeItemsCmdBoss = 0x2062B;
inline constexpr ClassID kSetBoundsCmdBoss = 0x2062C;
inline constexpr ClassID kTransformItemsCmdBoss = 0x2062D;
inline constexpr ClassID kSetFrameColumnsCmdBoss = 0x2062E;
inline constexpr ClassID kSetFrameInsetsCmdBoss = 0x2062F;
inline constexpr ClassID kSetVerticalJustificationCmdBoss = 0x20630;
inline constexpr ClassID kSetFirstBaselineCmdBoss = 0x20631;
inline constexpr ClassID kSetParagraphSpacingLimitCmdBoss = 0x20632;
inline constexpr ClassID kLockItemsCmdBoss = 0x20633;
inline constexpr ClassID kSetLabelCmdBoss = 0x20634;
inline constexpr ClassID kNewLayerCmdBoss = 0x20635;
inline constexpr ClassID kGroupItemsCmdBoss = 0x20636;
inline constexpr ClassID kInsertPagesCmdBoss = 0x20637;
inline constexpr ClassID kNewSpreadCmdBoss = 0x20638;
inline constexpr ClassID kNewSectionCmdBoss = 0x20639;
inline constexpr ClassID kSetPageSetupCmdBoss = 0x2063A;
inline constexpr ClassID kAnchorItemCmdBoss = 0x2063B;

// Implementations.
inline constexpr ImplementationID kPageSetupImpl = 0x20600;
inline constexpr ImplementationID kSpreadListImpl = 0x20601;
inline constexpr ImplementationID kLayerListImpl = 0x20602;
inline constexpr ImplementationID kSectionListImpl = 0x20603;
inline constexpr ImplementationID kSpreadImpl = 0x20604;
inline constexpr ImplementationID kMasterSpreadImpl = 0x20605;
inline constexpr ImplementationID kPageImpl = 0x20606;
inline constexpr ImplementationID kHierarchyImpl = 0x20607;
inline constexpr ImplementationID kSpreadLayerImpl = 0x20608;
inline constexpr ImplementationID kDocumentLayerImpl = 0x20609;
inline constexpr ImplementationID kPageItemImpl = 0x2060A;
inline constexpr ImplementationID kTextFrameImpl = 0x2060B;
inline constexpr ImplementationID kFrameListImpl = 0x2060C;
inline constexpr ImplementationID kStoryFramesImpl = 0x2060D;
inline constexpr ImplementationID kLayoutCmdDataImpl = 0x2060E;
inline constexpr ImplementationID kStoryAnchorsImpl = 0x20610;
inline constexpr ImplementationID kLayoutCmdImplBase = 0x20640;  // one per command class from here
