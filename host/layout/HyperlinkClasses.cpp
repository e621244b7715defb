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
void RegisterCommand(Registry& r, ClassID cls, const char* name, uint32_t& next) {
  ImplementationID impl = next++;
  (void)r.RegisterImplementation<Cmd>(impl);
  (void)r.RegisterClass(cls, kInvalidClass, name,
                        {{IID_ICOMMAND, impl}, {IID_IHYPERLINKCMDDATA, kHyperlinkCmdDataImpl}});
}

}  // namespace

void RegisterHyperlinkClasses() {
  Registry& r = Registry::Get();
  (void)r.RegisterImplementation<HyperlinkTable>(kHyperlinkTableImpl, true);
  (void)r.AddIn(kDocBoss, {{IID_IHYPERLINKTABLE, kHyperlinkTableImpl}});
  (void)r.RegisterImplementation<ItemPlugInData>(kItemPlugInDataImpl, true);
  (void)r.AddIn(kPageItemBoss, {{IID_IITEMPLUGINDATA, kItemPlugInDataImpl}});
  (void)r.RegisterImplementation<TextAnchor>(kTextAnchorImpl, true);
  (void)r.RegisterClass(kTextAnchorBoss, kInvalidClass, "kTextAnchorBoss",
                        {{IID_ITEXTANCHOR, kTextAnchorImpl}});
  (void)r.RegisterImplementation<HyperlinkCmdData>(kHyperlinkCmdDataImpl);
  uint32_t next = kHyperlinkCmdImplBase.Get();
  RegisterCommand<SetDestinationCmd>(r, kSetDestinationCmdBoss, "kSetDestinationCmdBoss", next);
  RegisterCommand<NewHyperlinkCmd>(r, kNewHyperlinkCmdBoss, "kNewHyperlinkCmdBoss", next);
  RegisterCommand<CreateTextAnchorCmd>(r, kCreateTextAnchorCmdBoss, "kCreateTextAnchorCmdBoss", next);
  RegisterCommand<SetItemPlugInDataCmd>(r, kSetItemPlugInDataCmdBoss, "kSetItemPlugInDataCmdBoss", next);
  RegisterCommand<DeleteHyperlinkCmd>(r, kDeleteHyperlinkCmdBoss, "kDeleteHyperlinkCmdBoss", next);
}
