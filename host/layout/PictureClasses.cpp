// Registration of pictures and links.
#include "host/layout/PictureClasses.h"

#include "host/cmd/ICommand.h"
#include "host/core/HostIDs.h"
#include "host/core/Registry.h"
#include "host/layout/ImageContent.h"
#include "host/layout/LayoutCmdData.h"
#include "host/layout/LinkResource.h"
#include "host/layout/PictureCmds.h"
#include "host/layout/PlacementOptions.h"

namespace {

template <class Impl>
CreatedImplementation MakeCommand(Boss* boss) {
  auto* impl = new Impl(boss);
  return {impl, static_cast<IPMUnknown*>(static_cast<ICommand*>(impl))};
}

void RegisterCommand(Registry& r, ClassID cls, const char* name, ImplementationID impl,
                     ImplementationFactory factory) {
  (void)r.RegisterImplementation(impl, factory, false);
  (void)r.RegisterClass(cls, kInvalidClass, name,
                        {{IID_ICOMMAND, impl},
                         {IID_ILAYOUTCMDDATA, kLayoutCmdDataImpl},
                         {IID_IPICTURECMDDATA, kPictureCmdDataImpl}});
}

}  // namespace

void RegisterPictureClasses() {
  Registry& r = Registry::Get();
  (void)r.RegisterImplementation<ImageContent>(kImageContentImpl, true);
  (void)r.RegisterImplementation<LinkResource>(kLinkResourceImpl, true);
  (void)r.RegisterImplementation<LinkList>(kLinkListImpl, true);
  (void)r.RegisterImplementation<FramePlacementOptions>(kPlacementOptionsImpl, true);
  (void)r.RegisterImplementation<PictureCmdData>(kPictureCmdDataImpl);
  (void)r.RegisterClass(kImageItemBoss, kPageItemBoss, "kImageItemBoss",
                        {{IID_IIMAGECONTENT, kImageContentImpl}});
  (void)r.RegisterClass(kLinkResourceBoss, kInvalidClass, "kLinkResourceBoss",
                        {{IID_ILINKRESOURCE, kLinkResourceImpl}});
  (void)r.AddIn(kDocBoss, {{IID_ILINKLIST, kLinkListImpl}});
  (void)r.AddIn(kGraphicFrameBoss, {{IID_IPLACEMENTOPTIONS, kPlacementOptionsImpl}});
  RegisterCommand(r, kPlacePictureCmdBoss, "kPlacePictureCmdBoss", kPlacePictureCmdImpl,
                  MakeCommand<PlacePictureCmd>);
  RegisterCommand(r, kRelinkCmdBoss, "kRelinkCmdBoss", kRelinkCmdImpl, MakeCommand<RelinkCmd>);
  RegisterCommand(r, kSetPlacementOptionsCmdBoss, "kSetPlacementOptionsCmdBoss", kSetPlacementOptionsCmdImpl,
                  MakeCommand<SetPlacementOptionsCmd>);
}
