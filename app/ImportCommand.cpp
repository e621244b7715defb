// pagehost import: tagged text into the main story of a document, saved as a new file.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/InputCheck.h"
#include "app/Output.h"
#include "app/TargetDocument.h"
#include "app/TerminalProgress.h"
#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/HostTaggedTextEncoding.h"
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

constexpr const char* kEncodings[] = {"auto", "windows-latin", "mac-roman", "utf-8", "utf-16be", "utf-16le"};
// Standard input is held in memory whole before the import starts; a longer one is refused rather than
// read until memory runs out (a file of any size can still be imported by name).
constexpr size_t kMaxStandardInput = size_t{256} << 20;

struct ImportArgs {
  std::string input, output, into;
  bool hostDialect = false;  // --format host
  std::map<std::string, std::string> options;
};

void PrintImportHelp() {
  std::printf(
      "Usage: pagehost import INPUT -o OUT [--into DOC] [OPTIONS]\n"
      "\n"
      "Imports the tagged text of INPUT (a file, or - for up to 256 MB of standard input) at the start of\n"
      "the main story of DOC (or of a new document) and saves the result as OUT. DOC itself is not changed.\n"
      "\n"
      "INPUT is Kesto tagged text, or the host's own tagged-text dialect when it begins with one of that\n"
      "dialect's encoding headers (<ASCII-WIN>, <ASCII-MAC>, <ANSI-WIN>, <ANSI-MAC>, <UNICODE-WIN>,\n"
      "<UNICODE-MAC>). In that dialect <ParaStyle:name> and <CharStyle:name> apply styles, <0x00E9> is a\n"
      "character, \\ takes the next character as it is, attribute tags such as <cSize:12> set attributes\n"
      "and tags it does not know are reported like Kesto's.\n"
      "\n"
      "Options (each switch defaults to the preferences, see pagehost prefs; a fresh user converts quotes\n"
      "and reads style sheets, and drops bad tags without a report):\n"
      "  --format FMT          kesto (default) or host: the dialect of an INPUT without a host header\n"
      "  --encoding ENC        auto (default), windows-latin, mac-roman, utf-8, utf-16be or utf-16le\n"
      "  --report-errors       leave a report in the text at each bad tag\n"
      "  --no-report-errors    drop bad tags silently\n"
      "  --convert-quotes      typographer's quotes and dashes\n"
      "  --no-convert-quotes   quotes and dashes as they are\n"
      "  --style-sheets        read style-sheet lines and tags\n"
      "  --no-style-sheets     style-sheet lines and tags are text\n"
      "  --delete-source       delete INPUT after a successful import (not for standard input)\n"
      "  --no-delete-source    keep INPUT\n"
      "\n"
      "Exit status: 0 when the import completed (also with reports left in the text), 1 otherwise, 2 for a\n"
      "command-line error. OUT is written whenever the whole input was read.\n");
}

// The switches a user may turn on or off for one run; what is not given comes from the preferences.
constexpr const char* kSwitches[] = {"report-errors", "convert-quotes", "style-sheets", "delete-source"};

// Takes "--NAME" or "--no-NAME" of a switch into `options`; false when the next argument is no switch.
bool TakeSwitch(CommandLine& args, std::map<std::string, std::string>& options) {
  for (const char* name : kSwitches) {
    if (args.TakeFlag(std::string("--") + name)) {
      options[name] = "on";
      return true;
    }
    if (args.TakeFlag(std::string("--no-") + name)) {
      options[name] = "off";
      return true;
    }
  }
  return false;
}

// Answers 0 when the arguments are complete, or the exit status to end with.
int ParseImportArgs(CommandLine& args, ImportArgs& parsed) {
  std::string missing;
  while (!args.Done()) {
    if (args.TakeFlag("--help", "-h")) {
      PrintImportHelp();
      return -1;
    }
    if (auto o = args.TakeValue("-o", "--output", missing)) {
      parsed.output = *o;
    } else if (auto d = args.TakeValue("--into", "", missing)) {
      parsed.into = *d;
    } else if (auto f = args.TakeValue("--format", "", missing)) {
      if (*f != "kesto" && *f != "host")
        return UsageError("import: unknown format '" + *f + "' (kesto or host)");
      parsed.hostDialect = *f == "host";
    } else if (auto e = args.TakeValue("--encoding", "", missing)) {
      bool known = false;
      for (const char* name : kEncodings)
        known |= *e == name;
      if (!known) return UsageError("import: unknown encoding '" + *e + "'");
      parsed.options["encoding"] = *e;
    } else if (TakeSwitch(args, parsed.options)) {
      continue;
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
  if (auto del = parsed.options.find("delete-source");
      parsed.input == "-" && del != parsed.options.end() && del->second == "on")
    return UsageError("import: --delete-source needs an input file, not standard input");
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

// Points `request` at the input, reading standard input into `bytes`. Empty, or the message to fail with.
std::string TakeInput(const std::string& input, std::vector<uint8_t>& bytes, ImportRequest& request) {
  if (input != "-") {
    request.file = input;
    return WhyUnreadable(input);
  }
  std::string problem = ReadStandardInput(bytes);
  request.bytes = bytes;
  return problem;
}

// Reads the whole file `path` into `bytes`; empty, or what went wrong.
std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream file(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return file.bad() ? "cannot read " + path : "";
}

// An encoding header in front of input read as the host's dialect that has none (after its byte-order mark,
// in its encoding: the one --encoding names, else the one the bytes show); the header selects the dialect
// and leaves the encoding as it was.
void AddHostHeader(std::vector<uint8_t>& bytes, const std::string& named) {
  size_t mark = 0;
  HostTaggedTextEncoding::Encoding encoding = HostTaggedTextEncoding::Detect(bytes, mark);
  if (named == "utf-16le") encoding = HostTaggedTextEncoding::Encoding::kUtf16LE;
  if (named == "utf-16be") encoding = HostTaggedTextEncoding::Encoding::kUtf16BE;
  std::string header = "<UNICODE-WIN>\r\n";
  std::vector<uint8_t> encoded;
  for (char c : header) {
    if (encoding == HostTaggedTextEncoding::Encoding::kUtf16BE) encoded.push_back(0);
    encoded.push_back(static_cast<uint8_t>(c));
    if (encoding == HostTaggedTextEncoding::Encoding::kUtf16LE) encoded.push_back(0);
  }
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(mark), encoded.begin(), encoded.end());
}

// With --format host, input without a header of the host's dialect is read into memory behind one. Empty,
// or the message to fail with.
std::string MarkAsHostDialect(const ImportArgs& parsed, std::vector<uint8_t>& bytes, ImportRequest& request) {
  if (!request.file.empty()) {
    std::vector<uint8_t> head(HostTaggedTextEncoding::kHeaderBytes);
    std::ifstream file(request.file, std::ios::binary);
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(file.gcount()));
    if (HostTaggedTextEncoding::StartsWithHeader(head)) return {};
    if (auto del = parsed.options.find("delete-source"); del != parsed.options.end() && del->second == "on")
      return "--delete-source needs an input that begins with a host header when --format host is given";
    if (std::string problem = ReadWholeFile(parsed.input, bytes); !problem.empty()) return problem;
    request.file.clear();
  } else if (HostTaggedTextEncoding::StartsWithHeader(bytes)) {
    return {};
  }
  auto named = parsed.options.find("encoding");
  AddHostHeader(bytes, named == parsed.options.end() ? "" : named->second);
  request.bytes = bytes;
  return {};
}

}  // namespace

int RunImport(CommandLine& args) {
  ImportArgs parsed;
  if (int status = ParseImportArgs(args, parsed)) return status < 0 ? kExitOk : status;
  InterfacePtr<IImportProvider> provider = FindImportProvider("kesto");
  if (!provider) {
    Error("import: the Kesto plug-in is not loaded");
    return kExitFailure;
  }
  ImportRequest request;
  std::vector<uint8_t> bytes;
  if (std::string problem = TakeInput(parsed.input, bytes, request); !problem.empty()) {
    Error("import: " + problem);
    return kExitFailure;
  }
  if (parsed.hostDialect) {
    if (std::string problem = MarkAsHostDialect(parsed, bytes, request); !problem.empty()) {
      Error("import: " + problem);
      return kExitFailure;
    }
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
