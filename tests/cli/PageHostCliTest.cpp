// pagehost as a user runs it: help, version, plug-ins, new documents, inspection, and what goes wrong.
#include <sstream>

#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;
using PageHostCliTest = cli_testing::CliTest;

TEST_F(PageHostCliTest, HelpAndVersion) {
  ProgramResult help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* word : {"Usage: pagehost", "plugins", "new -o FILE", "inspect FILE", "--plugins DIR"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  ProgramResult version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("pagehost ", 0), 0u);
}

// pagehost --help sends the user to each command's own --help: every command it lists answers it, and -h.
TEST_F(PageHostCliTest, EveryCommandAnswersHelp) {
  std::string help = Run({"--help"}).out;
  std::istringstream lines(help.substr(help.find("\nCommands:\n") + 11));
  std::vector<std::string> commands;
  for (std::string line; std::getline(lines, line) && !line.empty();)
    if (line[2] != ' ') commands.push_back(line.substr(2, line.find(' ', 2) - 2));
  ASSERT_GE(commands.size(), 9u);
  for (const std::string& command : commands) {
    for (const char* flag : {"--help", "-h"}) {
      SCOPED_TRACE(command + " " + flag);
      ProgramResult r = Run({command, flag});
      EXPECT_EQ(0, r.status);
      EXPECT_EQ(0u, r.out.find("Usage: pagehost " + command)) << r.out;
      EXPECT_EQ("", r.err);
    }
  }
}

// A value that begins like a negative number is the option's value, which the option then judges.
TEST_F(PageHostCliTest, NegativeNumbersAreValues) {
  std::string doc = Path("a.pgd");
  const std::pair<std::vector<std::string>, std::string> kRows[] = {
      {{"new", "-o", doc, "--gutter", "-1"}, "new: the columns or gutter are out of range"},
      {{"new", "-o", doc, "--page-size", "-5,10"}, "new: a page is 1 to 100000 pt wide and high"},
      {{"new", "-o", doc, "--pages", "-1"}, "new: the page count is out of range"},
      {{"new", "-o", doc, "--margins", "-.5in"}, "new: a margin is out of range"},
      {{"export", doc, "--range", "-1:5"},
       "export: --range needs START:END with 0 <= START <= END, not '-1:5'"}};
  for (const auto& [args, message] : kRows) {
    ProgramResult r = Run(args);
    EXPECT_EQ(2, r.status);
    EXPECT_EQ(0u, r.err.find("pagehost: " + message + "\n")) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(doc));
}

TEST_F(PageHostCliTest, PlugInsListsTheFourPlugInsLoadedFromTheirModules) {
  ProgramResult r = Run({"plugins"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "") << "the host and the four plug-ins register without a clash";
  for (const char* line :
       {"Kesto      0x0A8D02", "Kesto UI   0x157801", "Sorvia     0x0A6702", "Sorvia UI  0x157A01"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
  // Without the Kesto module, Kesto UI refuses to load and says so; the host goes on.
  auto partial = dir_ / "plugins";
  std::filesystem::create_directories(partial);
  std::filesystem::copy_file(std::filesystem::path(PAGEHOST_PLUGIN_DIR) / "KestoUI.so",
                             partial / "KestoUI.so");
  std::filesystem::copy_file(std::filesystem::path(PAGEHOST_PLUGIN_DIR) / "Sorvia.so", partial / "Sorvia.so");
  std::ofstream(partial / "Damaged.so") << "garbage";
  r = Run({"--plugins", partial.string(), "plugins"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Sorvia"), std::string::npos);
  EXPECT_EQ(r.out.find("Kesto"), std::string::npos);
  EXPECT_NE(r.err.find("Kesto UI not loaded"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Damaged.so not loaded"), std::string::npos) << r.err;
  // The environment names another folder too.
  cli_testing::RunOptions options;
  options.env = {{"PAGEHOST_PLUGINS", partial.string()}};
  r = Run({"plugins"}, options);
  EXPECT_EQ(r.out.find("Kesto "), std::string::npos);
}

TEST_F(PageHostCliTest, NewThenInspect) {
  ProgramResult made = Run({"new", "-o", Path("a.pgd")});
  ASSERT_EQ(made.status, 0) << made.err;
  ProgramResult seen = Run({"inspect", Path("a.pgd")});
  ASSERT_EQ(seen.status, 0) << seen.err;
  EXPECT_NE(seen.out.find("Document: Untitled"), std::string::npos) << seen.out;
  EXPECT_NE(seen.out.find("Objects:"), std::string::npos);
}

TEST_F(PageHostCliTest, BadArgumentsAndUnreadableFiles) {
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string message;
  } rows[] = {
      {{}, 2, "no command given"},
      {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
      {{"--bogus"}, 2, "unknown option '--bogus'"},
      {{"--plugins"}, 2, "option --plugins needs a value"},
      {{"new"}, 2, "no output file given"},
      {{"new", "-o"}, 2, "option -o needs a file name"},
      {{"inspect"}, 2, "no file given"},
      {{"inspect", Path("missing.pgd")},
       1,
       "cannot read " + Path("missing.pgd") + ": no such file or directory"},
      {{"inspect", "/etc/hostname"}, 1, "not a document"},
      {{"inspect", dir_.string()}, 1, "cannot read " + dir_.string() + ": is a directory"},
      {{"new", "-o", Path("no/such/folder/a.pgd")}, 1, Path("no/such/folder/a.pgd")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.args));
    ProgramResult r = Run(row.args);
    EXPECT_EQ(r.status, row.status);
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
  }
  std::ofstream(Path("cut.pgd")) << "PGHDOC\r\n\x01";
  ProgramResult cut = Run({"inspect", Path("cut.pgd")});
  EXPECT_EQ(cut.status, 1);
  EXPECT_NE(cut.err.find("cut short"), std::string::npos) << cut.err;
}

}  // namespace
