// pagehost place: the host's Place command: the import provider that claims a file most surely reads it
// into a new story of a document.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <vector>

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
      ".txt among those of the preferences; text in the host's own tagged-text dialect by its encoding\n"
      "header (such as <ASCII-WIN>).\n"
      "\n"
      "Exit status: 0 when the file was placed (also with reports left in the text), 1 when no filter\n"
      "claims it or it could not be read, 2 for a command-line error.\n");
}

// A pipe or device is read once, whole, so that the filters' look at its start loses nothing; memory bounds
// it.
constexpr size_t kMaxUnseekable = size_t{256} << 20;

bool IsRegularFile(const std::string& file) {
  std::error_code ec;
  return std::filesystem::is_regular_file(file, ec);
}

// The first bytes of a regular file, or the whole of any other; false when that is longer than the bound.
bool ReadSource(const std::string& file, bool whole, std::vector<uint8_t>& bytes) {
  std::ifstream in(file, std::ios::binary);
  size_t limit = whole ? kMaxUnseekable + 1 : kPlaceHeadBytes;
  char block[65536];
  while (bytes.size() < limit && in) {
    in.read(block, static_cast<std::streamsize>(std::min(sizeof(block), limit - bytes.size())));
    bytes.insert(bytes.end(), block, block + in.gcount());
  }
  return bytes.size() <= kMaxUnseekable;
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
  bool regular = IsRegularFile(input);
  std::vector<uint8_t> bytes;
  if (!ReadSource(input, !regular, bytes)) {
    Error("place: " + input + " is longer than " + std::to_string(kMaxUnseekable >> 20) +
          " MB; save it to a file and place that");
    return kExitFailure;
  }
  std::span<const uint8_t> head(bytes.data(), std::min(bytes.size(), kPlaceHeadBytes));
  int32_t strength = 0;
  InterfacePtr<IImportProvider> provider = FindPlaceProvider(head, input, strength);
  if (!provider) {
    Error("place: " + input + ": no import filter reads this file");
    return kExitFailure;
  }
  IDataBase* db = OpenTargetDocument(into, "place");
  if (!db) return kExitFailure;
  TerminalProgress::InstallWhenInteractive();
  UID story;
  ImportOutcome outcome = provider->Place(input, regular ? std::span<const uint8_t>() : bytes, db, story);
  if (!outcome.message.empty()) Error(outcome.message);
  if (!outcome.ranToEnd) return kExitFailure;
  if (!SaveTargetDocument(db, output, "place")) return kExitFailure;
  return outcome.succeeded ? kExitOk : kExitFailure;
}

}  // namespace pagehost
