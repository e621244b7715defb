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

ErrorCode RegisterCommand(Registry& r, ClassID cls, const char* name, ImplementationID impl,
                          ImplementationFactory factory) {
  ErrorCode error = kSuccess;
  if (error == kSuccess) error = r.RegisterImplementation(impl, factory, false);
  if (error == kSuccess)
    error = r.RegisterClass(cls, kInvalidClass, name,
                            {{IID_ICOMMAND, impl},
                             {IID_ILAYOUTCMDDATA, kLayoutCmdDataImpl},
                             {IID_IPICTURECMDDATA, kPictureCmdDataImpl}});
  return error;
}

}  // namespace

ErrorCode RegisterPictureClasses() {
  Registry& r = Registry::Get();
  ErrorCode error = kSuccess;
  if (error == kSuccess) error = r.RegisterImplementation<ImageContent>(kImageContentImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<LinkResource>(kLinkResourceImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<LinkList>(kLinkListImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<FramePlacementOptions>(kPlacementOptionsImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<PictureCmdData>(kPictureCmdDataImpl);
  if (error == kSuccess)
    error = r.RegisterClass(kImageItemBoss, kPageItemBoss, "kImageItemBoss",
                            {{IID_IIMAGECONTENT, kImageContentImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kLinkResourceBoss, kInvalidClass, "kLinkResourceBoss",
                            {{IID_ILINKRESOURCE, kLinkResourceImpl}});
  if (error == kSuccess) error = r.AddIn(kDocBoss, {{IID_ILINKLIST, kLinkListImpl}});
  if (error == kSuccess) error = r.AddIn(kGraphicFrameBoss, {{IID_IPLACEMENTOPTIONS, kPlacementOptionsImpl}});
  if (error == kSuccess)
    error = RegisterCommand(r, kPlacePictureCmdBoss, "kPlacePictureCmdBoss", kPlacePictureCmdImpl,
                            MakeCommand<PlacePictureCmd>);
  if (error == kSuccess)
    error = RegisterCommand(r, kRelinkCmdBoss, "kRelinkCmdBoss", kRelinkCmdImpl, MakeCommand<RelinkCmd>);
  if (error == kSuccess)
    error = RegisterCommand(r, kSetPlacementOptionsCmdBoss, "kSetPlacementOptionsCmdBoss",
                            kSetPlacementOptionsCmdImpl, MakeCommand<SetPlacementOptionsCmd>);
  return error;
}
