// pagehost export: a story of a saved document written out as Kesto tagged text, or in the host's own
// tagged-text dialect.
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/InputCheck.h"
#include "app/Output.h"
#include "app/ProviderSwitches.h"
#include "app/TerminalProgress.h"
#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/IExportProvider.h"
#include "host/text/ITextModel.h"

namespace pagehost {
namespace {

struct ExportArgs {
  std::string document;
  std::string output = "-";
  std::optional<uint32_t> story;
  std::optional<std::pair<int32_t, int32_t>> range;
  std::map<std::string, std::string> options;
};

void PrintExportHelp(std::span<const ProviderOption> options) {
  std::printf(
      "Usage: pagehost export DOC [-o OUT | -o -] [--story UID] [--range START:END] [--format FMT]\n"
      "                       [OPTIONS]\n"
      "\n"
      "Writes the main story of DOC (or the story UID, or the range START:END of it, in UTF-16 units) as\n"
      "tagged text to OUT, or to standard output for - (the default). OUT is replaced only when the whole\n"
      "export succeeded, and keeps its permissions; a link is written through. An OUT that is no plain file\n"
      "(a device, a FIFO, a folder), is read-only or has several hard links is refused.\n"
      "\n"
      "The host's dialect (--format host) uses <ParaStyle:...>, <CharStyle:...> and the attributes' tags,\n"
      "after a header line naming the encoding: <UNICODE-WIN> for utf-8 and utf-16le, <UNICODE-MAC> for\n"
      "utf-16be, <ASCII-WIN> for windows-latin, <ASCII-MAC> for mac-roman.\n"
      "\n"
      "Options (--fragment, --separate-tags and --compact default to the preferences, see pagehost prefs):\n"
      "%s"
      "\n"
      "Exit status: 0 on success, 1 on failure (with the reason on standard error), 2 for a command-line\n"
      "error.\n",
      ProviderSwitchesHelp(options, 22).c_str());
}

template <class T>
bool ParseNumber(std::string_view text, T& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseRange(const std::string& text, std::pair<int32_t, int32_t>& range) {
  size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  std::string_view all(text);
  return ParseNumber(all.substr(0, colon), range.first) && ParseNumber(all.substr(colon + 1), range.second) &&
         range.first >= 0 && range.first <= range.second;
}

// Answers 0 when the arguments are complete, -1 after --help, or the exit status to end with.
int ParseExportArgs(CommandLine& args, std::span<const ProviderOption> options, ExportArgs& parsed) {
  std::string missing, error;
  while (!args.Done()) {
    if (args.TakeFlag("--help", "-h")) {
      PrintExportHelp(options);
      return -1;
    }
    // "-o -" names standard output, which TakeValue would take for a missing value.
    if ((args.Peek() == "-o" || args.Peek() == "--output")) {
      (void)args.Take();
      if (args.Done() || args.Peek().empty()) return UsageError("option -o needs a value");
      parsed.output = args.Take();
      continue;
    }
    SwitchTaken taken = TakeProviderSwitch(args, options, "export", parsed.options, error);
    if (taken == SwitchTaken::kError) return UsageError(error);
    if (taken == SwitchTaken::kTaken) continue;
    if (auto o = args.TakeValue("--output", "", missing)) {
      parsed.output = *o;
    } else if (auto s = args.TakeValue("--story", "", missing)) {
      uint32_t uid = 0;
      if (!ParseNumber(std::string_view(*s), uid) || uid == 0)
        return UsageError("export: --story needs a story UID, not '" + *s + "'");
      parsed.story = uid;
    } else if (auto r = args.TakeValue("--range", "", missing)) {
      std::pair<int32_t, int32_t> range;
      if (!ParseRange(*r, range))
        return UsageError("export: --range needs START:END with 0 <= START <= END, not '" + *r + "'");
      parsed.range = range;
    } else if (!missing.empty()) {
      return UsageError("option " + missing + " needs a value");
    } else if (CommandLine::IsOption(args.Peek())) {
      return UsageError("export: unknown option '" + args.Peek() + "'");
    } else if (!parsed.document.empty()) {
      return UsageError("export: more than one document given");
    } else {
      parsed.document = args.Take();
    }
  }
  if (parsed.document.empty()) return UsageError("export: no document given");
  if (std::string unmet = UnmetSwitchNeeds(options, parsed.options); !unmet.empty())
    return UsageError("export: " + unmet);
  return 0;
}

// Whether unit `at` of the story is the second half of a surrogate pair: a range bound there would write
// half a character, which no encoding can hold.
bool SplitsCharacter(const ITextModel& model, int32_t at) {
  std::u16string pair = at > 0 ? model.GetText(at - 1, at + 1) : std::u16string();
  return pair.size() == 2 && (pair[0] & 0xFC00) == 0xD800 && (pair[1] & 0xFC00) == 0xDC00;
}

// The story to write and its range; empty message when they are sound.
std::string ChooseStory(IDataBase& db, const ExportArgs& parsed, ExportRequest& request) {
  UID story = parsed.story ? UID(*parsed.story) : DefaultDocument::GetMainStory(db);
  if (!story.IsValid()) return "the document has no main story";
  InterfacePtr<ITextModel> model =
      db.IsValidUID(story) ? Instantiate<ITextModel>(&db, story) : InterfacePtr<ITextModel>();
  if (!model) return "the document has no story " + std::to_string(story.Get());
  request.story = UIDRef(&db, story);
  if (parsed.range) {
    // The final paragraph return belongs to the story, not to its text.
    int32_t length = model->TotalLength() - 1;
    if (parsed.range->second > length)
      return "the range " + std::to_string(parsed.range->first) + ":" + std::to_string(parsed.range->second) +
             " goes past the end of the story (" + std::to_string(length) + " units)";
    if (parsed.range->first == parsed.range->second) return "the range is empty";
    for (int32_t bound : {parsed.range->first, parsed.range->second}) {
      if (SplitsCharacter(*model, bound))
        return "the range " + std::to_string(parsed.range->first) + ":" +
               std::to_string(parsed.range->second) + " splits the character at units " +
               std::to_string(bound - 1) + ":" + std::to_string(bound + 1);
    }
    request.start = parsed.range->first;
    request.end = parsed.range->second;
  }
  return {};
}

// Writes `bytes` to standard output; false when they could not all be written.
bool WriteStandardOutput(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t wrote = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
}

// The provider writes the file through the host's safe writer: OUT is replaced only by a whole export, keeps
// its permissions, and is refused when it is no plain file.
int WriteToFile(IExportProvider& provider, ExportRequest& request, const std::string& output) {
  request.file = output;
  ExportOutcome outcome = provider.Export(request);
  if (outcome.succeeded) return kExitOk;
  Error("export: " + (outcome.message.empty() ? std::string("the export failed") : outcome.message));
  return kExitFailure;
}

}  // namespace

int RunExport(CommandLine& args) {
  InterfacePtr<IExportProvider> provider = FindExportProvider("kesto");
  std::vector<ProviderOption> options = provider ? provider->GetOptions() : std::vector<ProviderOption>();
  ExportArgs parsed;
  if (int status = ParseExportArgs(args, options, parsed)) return status < 0 ? kExitOk : status;
  if (!provider) {
    Error("export: the Kesto plug-in is not loaded");
    return kExitFailure;
  }
  if (std::string problem = WhyUnreadable(parsed.document); !problem.empty()) {
    Error("export: " + problem);
    return kExitFailure;
  }
  IDataBase* db = nullptr;
  if (DocumentResult opened = DocumentList::Get().OpenDocument(parsed.document, db); !opened.ok()) {
    Error("export: " + opened.message);
    return kExitFailure;
  }
  ExportRequest request;
  if (std::string problem = ChooseStory(*db, parsed, request); !problem.empty()) {
    Error("export: " + problem);
    return kExitFailure;
  }
  request.options = parsed.options;
  TerminalProgress::InstallWhenInteractive();
  if (parsed.output != "-") return WriteToFile(*provider, request, parsed.output);
  std::string bytes;
  request.bytes = &bytes;
  ExportOutcome outcome = provider->Export(request);
  if (!outcome.succeeded) {
    Error("export: " + (outcome.message.empty() ? std::string("the export failed") : outcome.message));
    return kExitFailure;
  }
  if (!WriteStandardOutput(bytes)) {
    Error("export: cannot write standard output: " + SystemReason(errno));
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace pagehost
