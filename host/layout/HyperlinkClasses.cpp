// Registration of hyperlinks, destinations, text anchors and items' plug-in data.
#include "host/layout/HyperlinkClasses.h"

#include "host/core/HostIDs.h"
#include "host/core/Registry.h"
#include "host/layout/HyperlinkCmds.h"
#include "host/layout/HyperlinkTable.h"
#include "host/layout/ItemPlugInData.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/TextAnchor.h"

namespace {

template <class Cmd>
ErrorCode RegisterCommand(Registry& r, ClassID cls, const char* name, uint32_t& next) {
  ErrorCode error = kSuccess;
  ImplementationID impl = next++;
  if (error == kSuccess) error = r.RegisterImplementation<Cmd>(impl);
  if (error == kSuccess)
    error = r.RegisterClass(cls, kInvalidClass, name,
                            {{IID_ICOMMAND, impl}, {IID_IHYPERLINKCMDDATA, kHyperlinkCmdDataImpl}});
  return error;
}

}  // namespace

ErrorCode RegisterHyperlinkClasses() {
  Registry& r = Registry::Get();
  ErrorCode error = kSuccess;
  if (error == kSuccess) error = r.RegisterImplementation<HyperlinkTable>(kHyperlinkTableImpl, true);
  if (error == kSuccess) error = r.AddIn(kDocBoss, {{IID_IHYPERLINKTABLE, kHyperlinkTableImpl}});
  if (error == kSuccess) error = r.RegisterImplementation<ItemPlugInData>(kItemPlugInDataImpl, true);
  if (error == kSuccess) error = r.AddIn(kPageItemBoss, {{IID_IITEMPLUGINDATA, kItemPlugInDataImpl}});
  if (error == kSuccess) error = r.RegisterImplementation<TextAnchor>(kTextAnchorImpl, true);
  if (error == kSuccess)
    error = r.RegisterClass(kTextAnchorBoss, kInvalidClass, "kTextAnchorBoss",
                            {{IID_ITEXTANCHOR, kTextAnchorImpl}});
  if (error == kSuccess) error = r.RegisterImplementation<HyperlinkCmdData>(kHyperlinkCmdDataImpl);
  uint32_t next = kHyperlinkCmdImplBase.Get();
  if (error == kSuccess)
    error = RegisterCommand<SetDestinationCmd>(r, kSetDestinationCmdBoss, "kSetDestinationCmdBoss", next);
  if (error == kSuccess)
    error = RegisterCommand<NewHyperlinkCmd>(r, kNewHyperlinkCmdBoss, "kNewHyperlinkCmdBoss", next);
  if (error == kSuccess)
    error =
        RegisterCommand<CreateTextAnchorCmd>(r, kCreateTextAnchorCmdBoss, "kCreateTextAnchorCmdBoss", next);
  if (error == kSuccess)
    error = RegisterCommand<SetItemPlugInDataCmd>(r, kSetItemPlugInDataCmdBoss, "kSetItemPlugInDataCmdBoss",
                                                  next);
  if (error == kSuccess)
    error = RegisterCommand<DeleteHyperlinkCmd>(r, kDeleteHyperlinkCmdBoss, "kDeleteHyperlinkCmdBoss", next);
  return error;
}
