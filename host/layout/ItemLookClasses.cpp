// Registration of how items look.
#include "host/layout/ItemLookClasses.h"

#include "host/core/HostIDs.h"
#include "host/core/Registry.h"
#include "host/layout/ItemLookCmds.h"
#include "host/layout/ItemLookData.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/ObjectStyleList.h"

namespace {

template <class Impl>
CreatedImplementation MakeCommand(Boss* boss) {
  auto* impl = new Impl(boss);
  return {impl, static_cast<IPMUnknown*>(static_cast<ICommand*>(impl))};
}

struct CommandInfo {
  ClassID cls;
  const char* name;
  ImplementationFactory factory;
};

const CommandInfo kCommands[] = {
    {kApplyGraphicAttributesCmdBoss, "kApplyGraphicAttributesCmdBoss",
     MakeCommand<ApplyGraphicAttributesCmd>},
    {kSetTextWrapCmdBoss, "kSetTextWrapCmdBoss", MakeCommand<SetTextWrapCmd>},
    {kNewObjectStyleCmdBoss, "kNewObjectStyleCmdBoss", MakeCommand<NewObjectStyleCmd>},
    {kApplyObjectStyleCmdBoss, "kApplyObjectStyleCmdBoss", MakeCommand<ApplyObjectStyleCmd>},
};

}  // namespace

std::vector<ClassID> ItemLookCommandClasses() {
  std::vector<ClassID> classes;
  for (const CommandInfo& info : kCommands)
    classes.push_back(info.cls);
  return classes;
}

ErrorCode RegisterItemLookClasses(Registry& r) {
  ErrorCode error = kSuccess;
  if (error == kSuccess)
    error = r.RegisterImplementation<GraphicAttributesData>(kGraphicAttributesImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<TextWrapData>(kTextWrapImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<ItemObjectStyleData>(kItemObjectStyleImpl, true);
  if (error == kSuccess)
    error = r.AddIn(kPageItemBoss, {{IID_IGRAPHICATTRIBUTES, kGraphicAttributesImpl},
                                    {IID_ITEXTWRAP, kTextWrapImpl},
                                    {IID_IITEMOBJECTSTYLE, kItemObjectStyleImpl}});
  if (error == kSuccess) error = r.RegisterImplementation<ObjectStyleList>(kObjectStyleListImpl, true);
  if (error == kSuccess) error = r.AddIn(kDocBoss, {{IID_IOBJECTSTYLELIST, kObjectStyleListImpl}});
  if (error == kSuccess) error = r.RegisterImplementation<ItemLookCmdData>(kItemLookCmdDataImpl);
  uint32_t next = kItemLookCmdImplBase.Get();
  for (const CommandInfo& info : kCommands) {
    ImplementationID impl = next++;
    if (error == kSuccess) error = r.RegisterImplementation(impl, info.factory, false);
    if (error == kSuccess)
      error = r.RegisterClass(info.cls, kInvalidClass, info.name,
                              {{IID_ICOMMAND, impl}, {IID_IITEMLOOKCMDDATA, kItemLookCmdDataImpl}});
  }
  return error;
}
