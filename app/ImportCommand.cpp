// pagehost import: tagged text into the main story of a document, saved as a new file.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/InputCheck.h"
#include "app/Output.h"
#include "app/ProviderSwitches.h"
#include "app/TargetDocument.h"
#include "app/TerminalProgress.h"
#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/IImportProvider.h"
#include "host/layout/IStoryAnchors.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/IStoryList.h"

namespace pagehost {
namespace {

// Every page item of the document: on spreads and masters, and anchored in stories, with what is in them.
size_t CountPageItems(IDataBase* db) {
  size_t count = 0;
  auto spreads = LayoutUtils::QuerySpreadList(db);
  int32_t total = spreads ? spreads->CountSpreads() + spreads->CountMasterSpreads() : 0;
  for (int32_t i = 0; i < total; ++i)
    for (UID top : LayoutUtils::ItemsOfSpread(db, LayoutUtils::SpreadAt(db, i)))
      count += LayoutUtils::ItemTree(db, top).size();
  auto stories = Instantiate<IStoryList>(db, db->GetRootUID());
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i)
    if (auto anchors = Instantiate<IStoryAnchors>(db, stories->GetNthStory(i)))
      for (const Anchor& anchor : anchors->GetAnchors())
        count += LayoutUtils::ItemTree(db, anchor.item).size();
  return count;
}

// Standard input read as Kesto text is held in memory whole before the import starts; a longer one is
// refused rather than read until memory runs out (a file of any size can still be imported by name).
constexpr size_t kMaxStandardInput = size_t{256} << 20;
// Standard input as a file the providers read in order, as it comes.
constexpr const char* kStandardInputFile = "/dev/stdin";

struct ImportArgs {
  std::string input, output, into;
  std::map<std::string, std::string> options;
};

void PrintImportHelp(std::span<const ProviderOption> options) {
  std::printf(
      "Usage: pagehost import INPUT -o OUT [--into DOC] [OPTIONS]\n"
      "\n"
      "Imports the tagged text of INPUT (a file, or - for up to 256 MB of standard input; with --format "
      "host\n"
      "standard input is read as it comes) at the start of the main story of DOC (or of a new document) and\n"
      "saves the result as OUT. DOC itself is not changed.\n"
      "\n"
      "INPUT is Kesto tagged text, or the host's own tagged-text dialect when it begins with one of that\n"
      "dialect's encoding headers (<ASCII-WIN>, <ASCII-MAC>, <ANSI-WIN>, <ANSI-MAC>, <UNICODE-WIN>,\n"
      "<UNICODE-MAC>). In that dialect <ParaStyle:name> and <CharStyle:name> apply styles, <0x00E9> is a\n"
      "character, \\ takes the next character as it is, attribute tags such as <cSize:12> set attributes\n"
      "and tags it does not know are reported like Kesto's.\n"
      "\n"
      "Options (each switch defaults to the preferences, see pagehost prefs; a fresh user converts quotes\n"
      "and reads style sheets, and drops bad tags without a report):\n"
      "%s"
      "\n"
      "Exit status: 0 when the import completed (also with reports left in the text), 1 otherwise, 2 for a\n"
      "command-line error. OUT is written whenever the whole input was read.\n",
      ProviderSwitchesHelp(options, 24).c_str());
}

// The first option given that only a file can have, when standard input is the source.
const ProviderOption* FileOnlyOption(std::span<const ProviderOption> options, const ImportArgs& parsed) {
  if (parsed.input != "-") return nullptr;
  for (const ProviderOption& option : options) {
    auto given = parsed.options.find(option.name);
    if (option.needsFile && given != parsed.options.end() && given->second != "off") return &option;
  }
  return nullptr;
}

// Answers 0 when the arguments are complete, -1 after --help, or the exit status to end with.
int ParseImportArgs(CommandLine& args, std::span<const ProviderOption> options, ImportArgs& parsed) {
  std::string missing, error;
  while (!args.Done()) {
    if (args.TakeFlag("--help", "-h")) {
      PrintImportHelp(options);
      return -1;
    }
    SwitchTaken taken = TakeProviderSwitch(args, options, "import", parsed.options, error);
    if (taken == SwitchTaken::kError) return UsageError(error);
    if (taken == SwitchTaken::kTaken) continue;
    if (auto o = args.TakeValue("-o", "--output", missing)) {
      parsed.output = *o;
    } else if (auto d = args.TakeValue("--into", "", missing)) {
      parsed.into = *d;
    } else if (!missing.empty()) {
      return UsageError("option " + missing + " needs a value");
    } else if (CommandLine::IsOption(args.Peek())) {
      return UsageError("import: unknown option '" + args.Peek() + "'");
    } else if (!parsed.input.empty()) {
      return UsageError("import: more than one input given");
    } else {
      parsed.input = args.Take();
    }
  }
  if (parsed.input.empty()) return UsageError("import: no input given (a file, or - for standard input)");
  if (parsed.output.empty()) return UsageError("import: no output file given (use -o FILE)");
  if (const ProviderOption* option = FileOnlyOption(options, parsed))
    return UsageError("import: --" + option->name + " needs an input file, not standard input");
  return 0;
}

// Empty when the whole of standard input is in `bytes`; otherwise what went wrong.
std::string ReadStandardInput(std::vector<uint8_t>& bytes) {
  uint8_t block[65536];
  for (;;) {
    ssize_t got = ::read(STDIN_FILENO, block, sizeof(block));
    if (got == 0) return {};
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return "cannot read standard input: " + SystemReason(errno);
    if (bytes.size() + static_cast<size_t>(got) > kMaxStandardInput) {
      return "standard input is longer than " + std::to_string(kMaxStandardInput >> 20) +
             " MB; import it from a file instead";
    }
    bytes.insert(bytes.end(), block, block + got);
  }
}

// Points `request` at the input: a file by name; standard input as a file read as it comes for the host's
// dialect, else read into `bytes`. Empty, or the message to fail with.
std::string TakeInput(const ImportArgs& parsed, std::vector<uint8_t>& bytes, ImportRequest& request) {
  if (parsed.input != "-") {
    request.file = parsed.input;
    return WhyUnreadable(parsed.input);
  }
  if (auto format = parsed.options.find("format");
      format != parsed.options.end() && format->second == "host") {
    request.file = kStandardInputFile;
    return {};
  }
  std::string problem = ReadStandardInput(bytes);
  request.bytes = bytes;
  return problem;
}

}  // namespace

int RunImport(CommandLine& args) {
  InterfacePtr<IImportProvider> provider = FindImportProvider("kesto");
  std::vector<ProviderOption> options = provider ? provider->GetOptions() : std::vector<ProviderOption>();
  ImportArgs parsed;
  if (int status = ParseImportArgs(args, options, parsed)) return status < 0 ? kExitOk : status;
  if (!provider) {
    Error("import: the Kesto plug-in is not loaded");
    return kExitFailure;
  }
  ImportRequest request;
  std::vector<uint8_t> bytes;
  if (std::string problem = TakeInput(parsed, bytes, request); !problem.empty()) {
    Error("import: " + problem);
    return kExitFailure;
  }
  IDataBase* db = OpenTargetDocument(parsed.into, "import");
  if (!db) return kExitFailure;
  UID story = DefaultDocument::GetMainStory(*db);
  if (!story.IsValid()) {
    Error("import: the document has no main story");
    return kExitFailure;
  }
  request.story = UIDRef(db, story);
  request.options = parsed.options;
  TerminalProgress::InstallWhenInteractive();
  size_t itemsBefore = CountPageItems(db);
  ImportOutcome outcome = provider->Import(request);
  if (!outcome.message.empty()) Error(outcome.message);
  if (!outcome.ranToEnd) return kExitFailure;
  // What the text made besides text: boxes, the frames inside them and groups.
  size_t itemsAfter = CountPageItems(db);
  if (size_t made = itemsAfter > itemsBefore ? itemsAfter - itemsBefore : 0)
    std::printf("import: %zu page item%s made\n", made, made == 1 ? "" : "s");
  if (!SaveTargetDocument(db, parsed.output, "import")) return kExitFailure;
  return outcome.succeeded ? kExitOk : kExitFailure;
}

}  // namespace pagehost
