// The pagehost command line: global options, plug-in loading, dispatch to a command.
#include "app/PageHostApp.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/Commands.h"
#include "app/Output.h"
#include "host/app/Host.h"

namespace pagehost {

const std::vector<CommandInfo>& AllCommands() {
  static const std::vector<CommandInfo> commands = {
      {"plugins", "plugins", "list the loaded plug-ins with their IDs and versions", RunPlugIns},
      {"new", "new -o FILE", "create a document from the built-in defaults and save it as FILE", RunNew},
      {"inspect", "inspect FILE [--json]", "print a summary of a saved document (--json: as one JSON object)",
       RunInspect},
      {"import", "import INPUT -o OUT [--into DOC]",
       "import tagged text into the main story of DOC (or of a new document), save OUT; import --help: "
       "options",
       RunImport},
  };
  return commands;
}

namespace {

constexpr const char* kVersion = "pagehost 0.1.0";

void PrintHelp() {
  std::printf(
      "Usage: pagehost [--plugins DIR] COMMAND [ARGS]\n"
      "\n"
      "A headless page-layout host: creates, imports into, exports from and inspects documents, with the\n"
      "plug-ins found in its plug-ins folder.\n"
      "\n"
      "Commands:\n");
  for (const auto& c : AllCommands())
    std::printf("  %-28s %s\n", c.synopsis, c.summary);
  std::printf(
      "\n"
      "Options:\n"
      "  --plugins DIR                load plug-ins from DIR (default: $PAGEHOST_PLUGINS, else the folder\n"
      "                               'plugins' next to the pagehost executable)\n"
      "  -h, --help                   show this help and exit\n"
      "  --version                    show the version and exit\n"
      "\n"
      "Exit status: 0 on success, 1 when the command failed, 2 for a command-line error.\n");
}

std::filesystem::path DefaultPlugInFolder() {
  if (const char* env = std::getenv("PAGEHOST_PLUGINS"); env && *env) return env;
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path("plugins") : exe.parent_path() / "plugins";
}

void LoadPlugIns(const std::filesystem::path& folder) {
  PlugInLoadReport report = Host::LoadPlugIns(folder);
  for (const auto& f : report.failures)
    Warning("plug-in " + f.module + " not loaded: " + f.reason);
}

const CommandInfo* FindCommand(const std::string& name) {
  for (const auto& c : AllCommands()) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

}  // namespace

int Run(int argc, char** argv) {
  CommandLine args(argc, argv);
  std::filesystem::path plugIns = DefaultPlugInFolder();
  std::string missing;
  while (!args.Done() && CommandLine::IsOption(args.Peek())) {
    if (args.TakeFlag("--help", "-h")) {
      PrintHelp();
      return kExitOk;
    }
    if (args.TakeFlag("--version")) {
      std::printf("%s\n", kVersion);
      return kExitOk;
    }
    if (auto dir = args.TakeValue("--plugins", "", missing)) {
      plugIns = *dir;
      continue;
    }
    if (!missing.empty()) return UsageError("option " + missing + " needs a value");
    return UsageError("unknown option '" + args.Peek() + "'");
  }
  if (args.Done()) return UsageError("no command given");
  std::string name = args.Take();
  const CommandInfo* command = FindCommand(name);
  if (!command) return UsageError("unknown command '" + name + "'");
  Host::Initialize();
  LoadPlugIns(plugIns);
  int status = command->run(args);
  Host::Shutdown();
  return status;
}

}  // namespace pagehost
