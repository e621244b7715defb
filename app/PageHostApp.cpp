// The pagehost command line: global options, plug-in loading, dispatch to a command.
#include "app/PageHostApp.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <stdexcept>

#include "app/Commands.h"
#include "app/NotificationTrace.h"
#include "app/Output.h"
#include "host/app/Host.h"
#include "host/app/Workspace.h"
#include "host/app/WorkspaceLock.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"

namespace pagehost {

const std::vector<CommandInfo>& AllCommands() {
  static const std::vector<CommandInfo> commands = {
      {"plugins", "plugins", "list the loaded plug-ins with their IDs and versions", RunPlugIns},
      {"new", "new -o FILE [OPTIONS]", "create a document (page size, pages, masters...: see new --help)",
       RunNew},
      {"inspect", "inspect FILE [--json [--lines]]",
       "print a summary of a saved document (--json: as one JSON object, --lines: with composed lines)",
       RunInspect},
      {"import", "import INPUT -o OUT [--into DOC]",
       "import tagged text into DOC or a new document, save as OUT; see import --help", RunImport},
      {"layout", "layout DOC -o OUT OP [ARGS] [-- OP [ARGS]]...",
       "run layout operations on DOC (each its own undo step), save as OUT", RunLayout},
      {"export", "export DOC [-o OUT | -o -]",
       "write the main story of DOC as Kesto tagged text or in the host's dialect; see export --help",
       RunExport},
      {"links", "links DOC [--json]", "list the files DOC's pictures are linked to, with their states",
       RunLinks},
      {"place", "place FILE -o OUT [--into DOC]",
       "place FILE in a new story with the import filter that claims it; see place --help", RunPlace},
      {"prefs", "prefs [--json | set NAME VALUE | reset]",
       "show or change the preferences import and export start from; see prefs --help", RunPrefs, true},
      {"fonts", "fonts [--metrics FACE [SIZE]]",
       "list the installed faces, or print a face's metrics at SIZE points (12)", RunFonts},
      {"render", "render DOC -o OUT.pdf|OUT.png|OUT.svg",
       "draw pages or spreads of DOC as composed (--pages, --dpi, --guides, --spread; see render --help)",
       RunRender},
  };
  return commands;
}

namespace {

constexpr const char* kVersion = "pagehost 0.1.0";

void PrintHelp() {
  std::printf(
      "Usage: pagehost [--plugins DIR] COMMAND [ARGS]\n"
      "\n"
      "A headless page-layout host: creates and lays out documents, imports and exports tagged text, places\n"
      "files and inspects documents, with the plug-ins found in its plug-ins folder.\n"
      "\n"
      "Commands:\n");
  constexpr int kSynopsisWidth = 28;
  for (const auto& c : AllCommands()) {
    if (std::strlen(c.synopsis) > kSynopsisWidth)
      std::printf("  %s\n  %-*s %s\n", c.synopsis, kSynopsisWidth, "", c.summary);
    else
      std::printf("  %-*s %s\n", kSynopsisWidth, c.synopsis, c.summary);
  }
  std::printf(
      "\n"
      "Options:\n"
      "  --plugins DIR                load plug-ins from DIR (default: $PAGEHOST_PLUGINS, else the folder\n"
      "                               'plugins' next to the pagehost executable)\n"
      "  --trace-notifications FILE   write every notification of the documents the command makes or\n"
      "                               opens to FILE, one JSON object per line (with any command)\n"
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

// A clash in the host's own registration is a defect of the host; it is shown so that it cannot pass
// unnoticed. A plug-in's clash is one of its load failures.
void LoadPlugIns(const std::filesystem::path& folder) {
  for (const auto& clash : Registry::Get().GetClashes())
    Warning("host registration: " + clash);
  for (const auto& clash : ServiceRegistry::Get().GetClashes())
    Warning("host registration: " + clash);
  PlugInLoadReport report = Host::LoadPlugIns(folder);
  for (const auto& f : report.failures)
    Warning("plug-in " + f.module + " not loaded: " + f.reason);
}

// The user's preferences: a workspace file that cannot be read is reported here, once, and replaced.
void OpenWorkspace() {
  std::filesystem::path file = Workspace::DefaultFile();
  if (file.empty()) return;
  FileResult opened = Workspace::Open(file);
  if (!opened.ok()) Warning("workspace " + opened.message);
}

int SaveWorkspace(int status) {
  FileResult saved = Workspace::Save();
  if (saved.ok()) return status;
  Error("the preferences could not be saved: " + saved.message);
  return kExitFailure;
}

const CommandInfo* FindCommand(const std::string& name) {
  for (const auto& c : AllCommands()) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

// Runs `command` in a started host. Running out of memory ends the command with a message instead of an
// abort; the command saves nothing after that point, so no document is left half written.
int RunInHost(const CommandInfo& command, CommandLine& args, const std::filesystem::path& plugIns) {
  int status = kExitFailure;
  try {
    // The clashes behind a failure are named by LoadPlugIns, with the plug-ins' own.
    if (Host::Initialize() != kSuccess) Warning("the host's classes are not all registered");
    LoadPlugIns(plugIns);
    WorkspaceLock lock(command.changesPreferences ? Workspace::DefaultFile() : std::filesystem::path());
    OpenWorkspace();
    status = command.run(args);
    status = SaveWorkspace(status);
  } catch (const std::bad_alloc&) {
    Error(std::string(command.name) + ": out of memory");
  } catch (const std::exception& e) {
    Error(std::string(command.name) + ": internal error: " + e.what());
  }
  Host::Shutdown();
  return status;
}

int RunCommandLine(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  bool traceMissing = false;
  std::optional<std::string> trace = TakeTraceOption(words, traceMissing);
  if (traceMissing) return UsageError(std::string("option ") + kTraceOption + " needs a file name");
  CommandLine args(std::move(words));
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
  if (std::string problem = trace ? StartNotificationTrace(*trace) : ""; !problem.empty()) {
    Error(problem);
    return kExitFailure;
  }
  int status = RunInHost(*command, args, plugIns);
  if (!StopNotificationTrace()) {
    Error("cannot write " + *trace);
    status = kExitFailure;
  }
  return status;
}

}  // namespace

int Run(int argc, char** argv) {
  return CloseStandardOutput(RunCommandLine(argc, argv));
}

}  // namespace pagehost
