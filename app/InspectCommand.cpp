// pagehost inspect: what a saved document holds.
#include <cstdio>
#include <iostream>

#include "app/Commands.h"
#include "app/DocumentJson.h"
#include "app/DocumentSummary.h"
#include "app/InputCheck.h"
#include "app/Output.h"
#include "host/app/DocumentList.h"

namespace pagehost {

namespace {

void PrintInspectHelp() {
  std::printf(
      "Usage: pagehost inspect FILE [--json [--lines] [--attribute-ids]]\n"
      "\n"
      "Prints what the saved document FILE holds: a readable summary, or with --json its stories, styles,\n"
      "swatches, pages, masters and items as one JSON object (--lines: with each frame's composed lines).\n"
      "The JSON keys text attributes by their long tag names in the host's dialect (\"cSize\");\n"
      "--attribute-ids keys them by attribute class number instead (\"6915\").\n"
      "\n"
      "Exit status: 0 on success, 1 when FILE cannot be read as a document, 2 for a command-line error.\n");
}

}  // namespace

int RunInspect(CommandLine& args) {
  std::string file;
  bool json = false;
  DocumentJsonOptions options;
  while (!args.Done()) {
    if (args.TakeFlag("--help", "-h")) {
      PrintInspectHelp();
      return kExitOk;
    }
    if (args.TakeFlag("--lines")) {
      options.lines = true;
      continue;
    }
    if (args.TakeFlag("--attribute-ids")) {
      options.attributeIds = true;
      continue;
    }
    if (args.TakeFlag("--json")) {
      json = true;
      continue;
    }
    if (CommandLine::IsOption(args.Peek()))
      return UsageError("inspect: unknown option '" + args.Peek() + "'");
    if (!file.empty()) return UsageError("inspect: more than one file given");
    file = args.Take();
  }
  if (file.empty()) return UsageError("inspect: no file given");
  if (options.lines && !json) return UsageError("inspect: --lines goes with --json");
  if (options.attributeIds && !json) return UsageError("inspect: --attribute-ids goes with --json");
  if (std::string problem = WhyUnreadable(file); !problem.empty()) {
    Error("inspect: " + problem);
    return kExitFailure;
  }
  IDataBase* db = nullptr;
  DocumentResult opened = DocumentList::Get().OpenDocument(file, db);
  if (!opened.ok()) {
    Error("inspect: " + opened.message);
    return kExitFailure;
  }
  if (json) {
    WriteDocumentJson(*db, std::cout, options);
  } else {
    WriteSummary(*db, std::cout);
  }
  return kExitOk;
}

}  // namespace pagehost
