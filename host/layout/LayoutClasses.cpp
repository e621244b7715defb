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

void RegisterDocumentParts(Registry& r) {
  (void)r.RegisterImplementation<PageSetup>(kPageSetupImpl, true);
  (void)r.RegisterImplementation<SpreadList>(kSpreadListImpl, true);
  (void)r.RegisterImplementation<LayerList>(kLayerListImpl, true);
  (void)r.RegisterImplementation<SectionList>(kSectionListImpl, true);
  (void)r.AddIn(kDocBoss, {{IID_IPAGESETUP, kPageSetupImpl},
                           {IID_ISPREADLIST, kSpreadListImpl},
                           {IID_ILAYERLIST, kLayerListImpl},
                           {IID_ISECTIONLIST, kSectionListImpl}});
  (void)r.RegisterImplementation<StoryFrames>(kStoryFramesImpl, true);
  (void)r.RegisterImplementation<StoryAnchors>(kStoryAnchorsImpl, true);
  (void)r.AddIn(kTextStoryBoss,
                {{IID_ISTORYFRAMES, kStoryFramesImpl}, {IID_ISTORYANCHORS, kStoryAnchorsImpl}});
}

void RegisterLayoutObjects(Registry& r) {
  (void)r.RegisterImplementation<Spread>(kSpreadImpl, true);
  (void)r.RegisterImplementation<MasterSpread>(kMasterSpreadImpl, true);
  (void)r.RegisterImplementation<Page>(kPageImpl, true);
  (void)r.RegisterImplementation<Hierarchy>(kHierarchyImpl, true);
  (void)r.RegisterImplementation<SpreadLayer>(kSpreadLayerImpl, true);
  (void)r.RegisterImplementation<DocumentLayer>(kDocumentLayerImpl, true);
  (void)r.RegisterImplementation<PageItem>(kPageItemImpl, true);
  (void)r.RegisterImplementation<TextFrame>(kTextFrameImpl, true);
  (void)r.RegisterImplementation<FrameList>(kFrameListImpl, true);
  InterfaceEntry hierarchy{IID_IHIERARCHY, kHierarchyImpl};
  InterfaceEntry subject{IID_ISUBJECT, kSubjectImpl};
  (void)r.RegisterClass(kSpreadBoss, kInvalidClass, "kSpreadBoss", {{IID_ISPREAD, kSpreadImpl}, hierarchy});
  (void)r.RegisterClass(kMasterSpreadBoss, kSpreadBoss, "kMasterSpreadBoss",
                        {{IID_IMASTERSPREAD, kMasterSpreadImpl}});
  (void)r.RegisterClass(kPageBoss, kInvalidClass, "kPageBoss", {{IID_IPAGE, kPageImpl}});
  (void)r.RegisterClass(kSpreadLayerBoss, kInvalidClass, "kSpreadLayerBoss",
                        {{IID_ISPREADLAYER, kSpreadLayerImpl}, hierarchy});
  (void)r.RegisterClass(kDocumentLayerBoss, kInvalidClass, "kDocumentLayerBoss",
                        {{IID_IDOCUMENTLAYER, kDocumentLayerImpl}});
  (void)r.RegisterClass(kFrameListBoss, kInvalidClass, "kFrameListBoss",
                        {{IID_IFRAMELIST, kFrameListImpl}, subject});
  (void)r.RegisterClass(kPageItemBoss, kInvalidClass, "kPageItemBoss",
                        {{IID_IPAGEITEM, kPageItemImpl}, hierarchy, subject});
  (void)r.RegisterClass(kTextFrameBoss, kPageItemBoss, "kTextFrameBoss", {{IID_ITEXTFRAME, kTextFrameImpl}});
  (void)r.RegisterClass(kGraphicFrameBoss, kPageItemBoss, "kGraphicFrameBoss", {});
  (void)r.RegisterClass(kRectangleBoss, kPageItemBoss, "kRectangleBoss", {});
  (void)r.RegisterClass(kOvalBoss, kPageItemBoss, "kOvalBoss", {});
  (void)r.RegisterClass(kLineBoss, kPageItemBoss, "kLineBoss", {});
  (void)r.RegisterClass(kGroupBoss, kPageItemBoss, "kGroupBoss", {});
}

void RegisterCommands(Registry& r) {
  (void)r.RegisterImplementation<LayoutCmdData>(kLayoutCmdDataImpl);
  uint32_t next = kLayoutCmdImplBase.Get();
  for (const LayoutCommandInfo& info : LayoutCommandTable()) {
    ImplementationID impl = next++;
    (void)r.RegisterImplementation(impl, info.factory, false);
    (void)r.RegisterClass(info.cls, kInvalidClass, info.name,
                          {{IID_ICOMMAND, impl}, {IID_ILAYOUTCMDDATA, kLayoutCmdDataImpl}});
  }
}

}  // namespace

void RegisterLayoutClasses() {
  Registry& r = Registry::Get();
  RegisterDocumentParts(r);
  RegisterLayoutObjects(r);
  RegisterCommands(r);
  RegisterItemLookClasses(r);
  RegisterHyperlinkClasses();
  RegisterPictureClasses();
  RegisterFrameOrderCommand();
}
