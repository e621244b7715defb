// The pagehost commands. Each takes the words after its name and answers the exit status.
#pragma once

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace pagehost {

struct CommandInfo {
  const char* name;
  const char* synopsis;  // the usage line after "pagehost "
  const char* summary;   // one line for --help
  int (*run)(CommandLine& args);
  bool changesPreferences = false;  // reads, changes and saves the workspace with no other run in between
};

// Every command, in the order --help lists them.
const std::vector<CommandInfo>& AllCommands();

int RunPlugIns(CommandLine& args);
int RunNew(CommandLine& args);
int RunInspect(CommandLine& args);
int RunImport(CommandLine& args);
int RunLayout(CommandLine& args);
int RunExport(CommandLine& args);
int RunPrefs(CommandLine& args);
int RunPlace(CommandLine& args);
int RunFonts(CommandLine& args);
int RunLinks(CommandLine& args);
int RunRender(CommandLine& args);

}  // namespace pagehost
