// Registration of the layout area.
#include "host/layout/LayoutClasses.h"

#include "host/core/HostIDs.h"
#include "host/core/Registry.h"
#include "host/layout/Hierarchy.h"
#include "host/layout/HyperlinkClasses.h"
#include "host/layout/ItemLookClasses.h"
#include "host/layout/LayerList.h"
#include "host/layout/LayoutCmdData.h"
#include "host/layout/LayoutCommands.h"
#include "host/layout/Page.h"
#include "host/layout/PageItem.h"
#include "host/layout/PageSetup.h"
#include "host/layout/PictureClasses.h"
#include "host/layout/SectionList.h"
#include "host/layout/SetFrameOrderCmd.h"
#include "host/layout/Spread.h"
#include "host/layout/SpreadList.h"
#include "host/layout/StoryAnchors.h"
#include "host/layout/TextFrame.h"
#include "host/text/TextIDs.h"

namespace {

ErrorCode RegisterDocumentParts(Registry& r) {
  ErrorCode error = r.RegisterImplementation<PageSetup>(kPageSetupImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<SpreadList>(kSpreadListImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<LayerList>(kLayerListImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<SectionList>(kSectionListImpl, true);
  if (error == kSuccess)
    error = r.AddIn(kDocBoss, {{IID_IPAGESETUP, kPageSetupImpl},
                               {IID_ISPREADLIST, kSpreadListImpl},
                               {IID_ILAYERLIST, kLayerListImpl},
                               {IID_ISECTIONLIST, kSectionListImpl}});
  if (error == kSuccess) error = r.RegisterImplementation<StoryFrames>(kStoryFramesImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<StoryAnchors>(kStoryAnchorsImpl, true);
  if (error == kSuccess)
    error = r.AddIn(kTextStoryBoss,
                    {{IID_ISTORYFRAMES, kStoryFramesImpl}, {IID_ISTORYANCHORS, kStoryAnchorsImpl}});
  return error;
}

ErrorCode RegisterLayoutObjects(Registry& r) {
  ErrorCode error = r.RegisterImplementation<Spread>(kSpreadImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<MasterSpread>(kMasterSpreadImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<Page>(kPageImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<Hierarchy>(kHierarchyImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<SpreadLayer>(kSpreadLayerImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<DocumentLayer>(kDocumentLayerImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<PageItem>(kPageItemImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<TextFrame>(kTextFrameImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<FrameList>(kFrameListImpl, true);
  InterfaceEntry hierarchy{IID_IHIERARCHY, kHierarchyImpl};
  InterfaceEntry subject{IID_ISUBJECT, kSubjectImpl};
  if (error == kSuccess)
    error =
        r.RegisterClass(kSpreadBoss, kInvalidClass, "kSpreadBoss", {{IID_ISPREAD, kSpreadImpl}, hierarchy});
  if (error == kSuccess)
    error = r.RegisterClass(kMasterSpreadBoss, kSpreadBoss, "kMasterSpreadBoss",
                            {{IID_IMASTERSPREAD, kMasterSpreadImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kPageBoss, kInvalidClass, "kPageBoss", {{IID_IPAGE, kPageImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kSpreadLayerBoss, kInvalidClass, "kSpreadLayerBoss",
                            {{IID_ISPREADLAYER, kSpreadLayerImpl}, hierarchy});
  if (error == kSuccess)
    error = r.RegisterClass(kDocumentLayerBoss, kInvalidClass, "kDocumentLayerBoss",
                            {{IID_IDOCUMENTLAYER, kDocumentLayerImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kFrameListBoss, kInvalidClass, "kFrameListBoss",
                            {{IID_IFRAMELIST, kFrameListImpl}, subject});
  if (error == kSuccess)
    error = r.RegisterClass(kPageItemBoss, kInvalidClass, "kPageItemBoss",
                            {{IID_IPAGEITEM, kPageItemImpl}, hierarchy, subject});
  if (error == kSuccess)
    error =
        r.RegisterClass(kTextFrameBoss, kPageItemBoss, "kTextFrameBoss", {{IID_ITEXTFRAME, kTextFrameImpl}});
  if (error == kSuccess) error = r.RegisterClass(kGraphicFrameBoss, kPageItemBoss, "kGraphicFrameBoss", {});
  if (error == kSuccess) error = r.RegisterClass(kRectangleBoss, kPageItemBoss, "kRectangleBoss", {});
  if (error == kSuccess) error = r.RegisterClass(kOvalBoss, kPageItemBoss, "kOvalBoss", {});
  if (error == kSuccess) error = r.RegisterClass(kLineBoss, kPageItemBoss, "kLineBoss", {});
  if (error == kSuccess) error = r.RegisterClass(kGroupBoss, kPageItemBoss, "kGroupBoss", {});
  return error;
}

ErrorCode RegisterCommands(Registry& r) {
  ErrorCode error = r.RegisterImplementation<LayoutCmdData>(kLayoutCmdDataImpl);
  uint32_t next = kLayoutCmdImplBase.Get();
  for (const LayoutCommandInfo& info : LayoutCommandTable()) {
    ImplementationID impl = next++;
    if (error == kSuccess) error = r.RegisterImplementation(impl, info.factory, false);
    if (error == kSuccess)
      error = r.RegisterClass(info.cls, kInvalidClass, info.name,
                              {{IID_ICOMMAND, impl}, {IID_ILAYOUTCMDDATA, kLayoutCmdDataImpl}});
  }
  return error;
}

}  // namespace

ErrorCode RegisterLayoutClasses() {
  Registry& r = Registry::Get();
  ErrorCode error = RegisterDocumentParts(r);
  if (error == kSuccess) error = RegisterLayoutObjects(r);
  if (error == kSuccess) error = RegisterCommands(r);
  if (error == kSuccess) error = RegisterItemLookClasses(r);
  if (error == kSuccess) error = RegisterHyperlinkClasses();
  if (error == kSuccess) error = RegisterPictureClasses();
  if (error == kSuccess) error = RegisterFrameOrderCommand();
  return error;
}
