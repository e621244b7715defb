// pagehost plugins: the loaded plug-ins.
#include <cstdio>

#include "app/Commands.h"
#include "app/Output.h"
#include "host/core/Registry.h"

namespace pagehost {

int RunPlugIns(CommandLine& args) {
  if (args.TakeFlag("--help", "-h")) {
    std::printf(
        "Usage: pagehost plugins\n"
        "\n"
        "Lists the plug-ins loaded from the plug-ins folder (see pagehost --help): name, ID and version.\n"
        "\n"
        "Exit status: 0, or 2 for a command-line error.\n");
    return kExitOk;
  }
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
