// pagehost new: a document from the built-in defaults, shaped by the layout options, saved.
#include <cstdio>
#include <functional>
#include <map>

#include "app/Commands.h"
#include "app/Output.h"
#include "app/RunPreferences.h"
#include "app/TargetDocument.h"
#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/core/WideString.h"
#include "host/layout/PageCmds.h"
#include "host/layout/UserInput.h"

namespace pagehost {
namespace {

// An option's value applied to the options; false when the value is not acceptable.
using Setter = std::function<bool(NewLayoutOptions&, const std::string&)>;

bool SetPageSize(NewLayoutOptions& o, const std::string& value) {
  static const std::map<std::string, std::pair<double, double>> kSizes = {{"letter", {612, 792}},
                                                                          {"legal", {612, 1008}},
                                                                          {"tabloid", {792, 1224}},
                                                                          {"a4", {595.276, 841.89}},
                                                                          {"a5", {419.528, 595.276}}};
  if (auto named = kSizes.find(value); named != kSizes.end()) {
    std::tie(o.setup.pageWidth, o.setup.pageHeight) = named->second;
    return true;
  }
  auto size = UserInput::ParseLengths(value, 2);
  if (!size) return false;
  o.setup.pageWidth = (*size)[0];
  o.setup.pageHeight = (*size)[1];
  return true;
}

bool SetCount(int32_t& field, const std::string& value) {
  auto n = UserInput::ParseInteger(value);
  if (!n) return false;
  field = *n;
  return true;
}

bool SetMargins(NewLayoutOptions& o, const std::string& value) {
  auto m = UserInput::ParseLengths(value);
  if (!m || (m->size() != 1 && m->size() != 4)) return false;
  const std::vector<double>& v = *m;
  o.setup.margins = v.size() == 1 ? Margins{v[0], v[0], v[0], v[0]} : Margins{v[0], v[1], v[2], v[3]};
  return true;
}

// "A-Master;B-Master:A": a prefix, a hyphen and a name, then optionally the master it is based on.
bool SetMasters(NewLayoutOptions& o, const std::string& value) {
  o.masters.clear();
  if (value.empty()) return true;
  for (const std::string& entry : UserInput::Split(value, ';')) {
    std::vector<std::string> parts = UserInput::Split(entry, ':');
    if (parts.size() > 2) return false;
    size_t hyphen = parts[0].find('-');
    NewLayoutOptions::Master master;
    master.prefix = WideFromUtf8(parts[0].substr(0, hyphen));
    master.name = hyphen == std::string::npos ? u"Master" : WideFromUtf8(parts[0].substr(hyphen + 1));
    if (parts.size() == 2) master.basedOn = WideFromUtf8(parts[1]);
    o.masters.push_back(master);
  }
  return true;
}

// "1;4:Name": the first page of each section, optionally with its name.
bool SetSections(NewLayoutOptions& o, const std::string& value) {
  o.sections.clear();
  for (const std::string& entry : UserInput::Split(value, ';')) {
    std::vector<std::string> parts = UserInput::Split(entry, ':');
    auto page = UserInput::ParseInteger(parts[0]);
    if (!page || parts.size() > 2) return false;
    o.sections.push_back({*page, parts.size() == 2 ? WideFromUtf8(parts[1]) : WideString()});
  }
  return true;
}

bool SetLayers(NewLayoutOptions& o, const std::string& value) {
  o.layers.clear();
  for (const std::string& name : UserInput::Split(value, ';')) {
    if (name.empty()) return false;
    o.layers.push_back(WideFromUtf8(name));
  }
  return true;
}

struct ValueOption {
  const char* name;
  const char* value;  // what --help shows for the value
  const char* help;
  Setter set;
};

const std::vector<ValueOption>& ValueOptions() {
  static const std::vector<ValueOption> options = {
      {"--page-size", "W,H", "letter (the default), legal, tabloid, a4, a5, or two lengths", SetPageSize},
      {"--pages", "N", "the number of pages (1)",
       [](NewLayoutOptions& o, const std::string& v) { return SetCount(o.pages, v); }},
      {"--pages-per-spread", "N", "pages side by side on a spread (1, or 2 with --facing)",
       [](NewLayoutOptions& o, const std::string& v) { return SetCount(o.setup.pagesPerSpread, v); }},
      {"--margins", "M|T,L,B,R", "the page margins, one length for all four or each one", SetMargins},
      {"--columns", "N", "the number of columns of each page",
       [](NewLayoutOptions& o, const std::string& v) { return SetCount(o.setup.columns, v); }},
      {"--gutter", "G", "the space between columns",
       [](NewLayoutOptions& o, const std::string& v) {
         auto g = UserInput::ParseLength(v);
         if (g) o.setup.gutter = *g;
         return g.has_value();
       }},
      {"--masters", "P-NAME[:BASE];...", "the master spreads, each optionally based on an earlier one",
       SetMasters},
      {"--master-pages", "N", "the pages of each master spread",
       [](NewLayoutOptions& o, const std::string& v) { return SetCount(o.masterPages, v); }},
      {"--sections", "PAGE[:NAME];...", "the first page of each section, optionally with its name",
       SetSections},
      {"--layers", "NAME;...", "the layers, bottom first", SetLayers},
  };
  return options;
}

void PrintNewHelp() {
  std::printf(
      "Usage: pagehost new -o FILE [OPTIONS]\n"
      "\n"
      "Creates a document from the built-in defaults, shaped by the options, and saves it as FILE.\n"
      "Lengths take pt (the default), mm or in.\n"
      "\n"
      "Options:\n");
  for (const ValueOption& o : ValueOptions()) {
    std::string word = std::string(o.name) + " " + o.value;
    std::printf("  %-28s %s\n", word.c_str(), o.help);
  }
  std::printf(
      "  %-28s %s\n  %-28s %s\n  %-28s %s\n  %-28s %s\n  %-28s %s\n\n"
      "Exit status: 0 on success, 1 when the document could not be saved, 2 for a command-line error.\n",
      "--facing", "facing pages", "--master-frames", "a text frame on each master page", "--no-main-frame",
      "no text frame for the main story on the first page", "--auto-flow",
      "a default-thread frame on each master page; page 1's holds the main story", "--add-pages-mode MODE",
      "where pages go for overset thread text: off, page, section or document");
}

// Takes one option from `args`: 1 taken, 0 not an option of `new`, -1 a usage error (already reported).
int TakeOption(CommandLine& args, NewLayoutOptions& o, bool& perSpreadGiven, int& status) {
  std::string missing;
  if (args.TakeFlag("--facing")) {
    o.setup.facing = true;
    if (!perSpreadGiven) o.setup.pagesPerSpread = 2;
    return 1;
  }
  if (args.TakeFlag("--master-frames")) {
    o.masterFrames = true;
    return 1;
  }
  if (args.TakeFlag("--no-main-frame")) {
    o.mainFrame = false;
    return 1;
  }
  for (const auto& [name, shown, help, set] : ValueOptions()) {
    auto value = args.TakeValue(name, "", missing);
    if (!missing.empty()) {
      status = UsageError("option " + missing + " needs a value");
      return -1;
    }
    if (!value) continue;
    if (!set(o, *value)) {
      status = UsageError(std::string("new: ") + name + ": cannot use '" + *value + "'");
      return -1;
    }
    perSpreadGiven = perSpreadGiven || std::string(name) == "--pages-per-spread";
    return 1;
  }
  return 0;
}

}  // namespace

int RunNew(CommandLine& args) {
  std::string output, missing;
  NewLayoutOptions options;
  bool perSpreadGiven = false;
  std::vector<std::pair<std::string, std::string>> preferences;  // for this document only
  while (!args.Done()) {
    if (args.TakeFlag("--auto-flow")) {
      preferences.emplace_back("create-master-frames", "on");
      continue;
    }
    if (auto mode = args.TakeValue("--add-pages-mode", "", missing)) {
      preferences.emplace_back("add-pages-mode", *mode);
      continue;
    }
    if (args.TakeFlag("--help", "-h")) {
      PrintNewHelp();
      return kExitOk;
    }
    if (auto o = args.TakeValue("-o", "--output", missing)) {
      output = *o;
      continue;
    }
    if (!missing.empty()) return UsageError("option " + missing + " needs a file name");
    int status = 0;
    int taken = TakeOption(args, options, perSpreadGiven, status);
    if (taken < 0) return status;
    if (taken > 0) continue;
    return UsageError("new: unexpected argument '" + args.Peek() + "'");
  }
  if (output.empty()) return UsageError("new: no output file given (use -o FILE)");
  // Said as layout insert-pages says it, so that one size is refused in the same words everywhere.
  if (std::string fault = PageSizeFault(options.setup.pageWidth, options.setup.pageHeight); !fault.empty())
    return UsageError("new: " + fault);
  if (std::string fault = options.Fault(); !fault.empty()) return UsageError("new: " + fault);
  (void)DefaultDocument::SetNewLayoutOptions(options);
  RunPreferences run;
  for (const auto& [name, value] : preferences) {
    if (std::string problem = run.Set(name, value); !problem.empty()) return UsageError("new: " + problem);
  }
  IDataBase* db = DocumentList::Get().NewDocument();
  if (!db) {
    Error("new: the default document could not be created");
    return kExitFailure;
  }
  return SaveTargetDocument(db, output, "new") ? kExitOk : kExitFailure;
}

}  // namespace pagehost
