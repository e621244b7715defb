// pagehost plugins: the loaded plug-ins.
#include <cstdio>

#include "app/Commands.h"
#include "app/Output.h"
#include "host/core/Registry.h"

namespace pagehost {

int RunPlugIns(CommandLine& args) {
  if (!args.Done()) return UsageError("plugins takes no arguments");
  const auto& plugIns = Registry::Get().GetPlugIns();
  if (plugIns.empty()) {
    std::printf("No plug-ins loaded.\n");
    return kExitOk;
  }
  for (const auto& p : plugIns)
    std::printf("%-10s 0x%06X  %s\n", p.name.c_str(), p.id.Get(), p.version.c_str());
  return kExitOk;
}

}  // namespace pagehost
