// pagehost place: the host's Place command: the import provider that claims a file most surely reads it
// into a new story of a document.
#include <cstdio>
#include <fstream>

#include "app/Commands.h"
#include "app/InputCheck.h"
#include "app/Output.h"
#include "app/TargetDocument.h"
#include "app/TerminalProgress.h"
#include "host/app/DocumentList.h"
#include "host/app/IImportProvider.h"

namespace pagehost {
namespace {

void PrintPlaceHelp() {
  std::printf(
      "Usage: pagehost place FILE -o OUT [--into DOC]\n"
      "\n"
      "Places FILE in a new story of DOC (or of a new document) and saves the result as OUT, as the Place\n"
      "command of a layout application does: every import filter is asked how surely it reads the file (by\n"
      "its first bytes and its name), and the surest reads it with the options of the preferences (see\n"
      "pagehost prefs). Kesto tagged text is claimed by its header line, or by an extension other than\n"
      ".txt among those of the preferences.\n"
      "\n"
      "Exit status: 0 when the file was placed (also with reports left in the text), 1 when no filter\n"
      "claims it or it could not be read, 2 for a command-line error.\n");
}

std::vector<uint8_t> Head(const std::string& file) {
  std::vector<uint8_t> head(kPlaceHeadBytes);
  std::ifstream in(file, std::ios::binary);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

}  // namespace

int RunPlace(CommandLine& args) {
  std::string input, output, into, missing;
  while (!args.Done()) {
    if (args.TakeFlag("--help", "-h")) {
      PrintPlaceHelp();
      return kExitOk;
    }
    if (auto o = args.TakeValue("-o", "--output", missing)) {
      output = *o;
    } else if (auto d = args.TakeValue("--into", "", missing)) {
      into = *d;
    } else if (!missing.empty()) {
      return UsageError("place: option " + missing + " needs a value");
    } else if (CommandLine::IsOption(args.Peek()) || !input.empty()) {
      return UsageError("place: unexpected '" + args.Peek() + "'");
    } else {
      input = args.Take();
    }
  }
  if (input.empty()) return UsageError("place: no FILE given");
  if (output.empty()) return UsageError("place: no output file given (-o OUT)");
  if (std::string problem = WhyUnreadable(input); !problem.empty()) {
    Error("place: " + problem);
    return kExitFailure;
  }
  int32_t strength = 0;
  InterfacePtr<IImportProvider> provider = FindPlaceProvider(Head(input), input, strength);
  if (!provider) {
    Error("place: " + input + ": no import filter reads this file");
    return kExitFailure;
  }
  IDataBase* db = OpenTargetDocument(into, "place");
  if (!db) return kExitFailure;
  TerminalProgress::InstallWhenInteractive();
  UID story;
  ImportOutcome outcome = provider->Place(input, db, story);
  if (!outcome.message.empty()) Error(outcome.message);
  if (!outcome.ranToEnd) return kExitFailure;
  if (!SaveTargetDocument(db, output, "place")) return kExitFailure;
  return outcome.succeeded ? kExitOk : kExitFailure;
}

}  // namespace pagehost
