// pagehost prefs: defaults, changes that last, refused names and values, and the workspace file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <future>

#include "tests/cli/CliTest.h"

namespace cli_testing {
namespace {

class PrefsCliTest : public CliTest {
 protected:
  PrefsCliTest() : CliTest(true) {}
  std::string Json() {
    ProgramResult r = Run({"prefs", "--json"});
    EXPECT_EQ(0, r.status) << r.err;
    return r.out;
  }
  std::filesystem::path WorkspaceFile() const { return dir_ / "config" / "pagehost" / "workspace.pgw"; }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
};

TEST_F(PrefsCliTest, ChangesLastAndResetRestoresTheDefaults) {
  const std::string defaults =
      "{\"convert-quotes\":true,\"style-sheets\":true,\"report-errors\":false,\"no-screen-update\":false,"
      "\"delete-source\":false,\"export-fragment\":false,\"export-separate-tags\":false,"
      "\"export-compact\":false,\"link-downloads\":true,\"download-depth\":0,"
      "\"downloads-folder\":\"Downloads\",\"download-limit\":256,\"extensions\":[\"txt\"],"
      "\"create-master-frames\":false,\"add-pages-mode\":\"page\"}\n";
  EXPECT_EQ(defaults, Json());
  EXPECT_FALSE(std::filesystem::exists(WorkspaceFile())) << "showing saves nothing";

  for (auto [name, value] : {std::pair{"report-errors", "on"},
                             {"convert-quotes", "off"},
                             {"download-depth", "2"},
                             {"download-limit", "64"},
                             {"extensions", "md,.markdown"},
                             {"add-pages-mode", "off"}}) {
    ProgramResult r = Run({"prefs", "set", name, value});
    EXPECT_EQ(0, r.status) << name << ": " << r.err;
  }
  std::string changed = Json();
  EXPECT_NE(std::string::npos, changed.find("\"report-errors\":true"));
  EXPECT_NE(std::string::npos, changed.find("\"convert-quotes\":false"));
  EXPECT_NE(std::string::npos, changed.find("\"download-depth\":2"));
  EXPECT_NE(std::string::npos, changed.find("\"download-limit\":64"));
  EXPECT_NE(std::string::npos, changed.find("\"extensions\":[\"txt\",\"md\",\"markdown\"]"));

  EXPECT_EQ(0, Run({"prefs", "reset"}).status);
  EXPECT_EQ(defaults, Json());
}

TEST_F(PrefsCliTest, RefusedNamesAndValuesChangeNothing) {
  struct Row {
    std::vector<std::string> args;
    const char* message;
  } rows[] = {
      {{"prefs", "set", "colour", "on"}, "the preferences are convert-quotes, style-sheets"},
      {{"prefs", "set", "report-errors", "maybe"}, "report-errors takes on or off"},
      {{"prefs", "set", "download-depth", "40000"}, "from 0 to 32767"},
      {{"prefs", "set", "download-limit", "0"}, "megabytes from 1"},
      {{"prefs", "set", "extensions", "a,b,c,d"}, "at most four"},
      {{"prefs", "set", "report-errors"}, "needs a VALUE"},
      {{"prefs", "frobnicate"}, "unknown action"},
  };
  for (const Row& row : rows) {
    ProgramResult r = Run(row.args);
    EXPECT_EQ(2, r.status) << row.message;
    EXPECT_NE(std::string::npos, r.err.find(row.message)) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(WorkspaceFile()));
}

TEST_F(PrefsCliTest, ADamagedWorkspaceIsReportedOnceAndReplaced) {
  std::filesystem::create_directories(WorkspaceFile().parent_path());
  std::ofstream(WorkspaceFile()) << "not a workspace";
  ProgramResult first = Run({"prefs", "--json"});
  EXPECT_EQ(0, first.status);
  EXPECT_NE(std::string::npos, first.err.find("the default workspace is used")) << first.err;
  EXPECT_NE(std::string::npos, first.out.find("\"report-errors\":false"));
  EXPECT_TRUE(std::filesystem::exists(WorkspaceFile().string() + ".damaged"));
  ProgramResult second = Run({"prefs"});
  EXPECT_EQ(0, second.status);
  EXPECT_EQ("", second.err);
}

TEST_F(PrefsCliTest, AChangeThatCannotBeSavedFails) {
  // The configuration folder is a file: nothing can be saved under it.
  std::string blocked = Write("blocked", "");
  RunOptions options;
  options.env["XDG_CONFIG_HOME"] = blocked;
  ProgramResult r = Run({"prefs", "set", "report-errors", "on"}, options);
  EXPECT_EQ(1, r.status);
  EXPECT_NE(std::string::npos, r.err.find("could not be saved")) << r.err;
}

// A workspace this user cannot replace or read: one warning, the command's work done with the defaults and
// its own exit status, and the file left as it was.
TEST_F(PrefsCliTest, AWorkspaceThatCannotBeReplacedOrReadIsOneWarning) {
  ASSERT_EQ(0, Run({"prefs", "set", "report-errors", "on"}).status);
  std::string good = Read(WorkspaceFile()), folder = WorkspaceFile().parent_path();
  const struct {
    std::string content;
    mode_t folderMode;
    std::vector<std::string> args;
    int status;
    std::string warning;
  } kRows[] = {
      {"damaged", 0555, {"prefs", "--json"}, 0, "could not be saved"},
      {"damaged", 0555, {"plugins"}, 0, "could not be saved"},
      {good, 0, {"prefs", "--json"}, 0, "cannot be read (permission denied)"},
      {good, 0, {"prefs", "set", "convert-quotes", "off"}, 1, "cannot be read"},
  };
  RunOptions options;
  if (::geteuid() == 0) options.user = 65534;  // root reads and writes any folder
  for (const auto& row : kRows) {
    SCOPED_TRACE(::testing::PrintToString(row.args) + " " + std::to_string(row.folderMode));
    std::ofstream(WorkspaceFile(), std::ios::trunc) << row.content;
    ::chmod(folder.c_str(), row.folderMode);
    ProgramResult r = Run(row.args, options);
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(row.status, r.status) << r.err;
    EXPECT_EQ(0u, r.err.find("pagehost: warning: workspace " + WorkspaceFile().string())) << r.err;
    EXPECT_NE(std::string::npos, r.err.find(row.warning)) << r.err;
    // The warning, then the command's own error when it has one.
    EXPECT_EQ(row.status + 1, std::count(r.err.begin(), r.err.end(), '\n')) << r.err;
    EXPECT_EQ(row.content, Read(WorkspaceFile()));
  }
}

// Two runs that change different preferences at the same moment: both changes are there after each round.
TEST_F(PrefsCliTest, ChangesMadeAtOnceAreAllKept) {
  for (int round = 1; round <= 10; ++round) {
    auto depth = std::async(std::launch::async, [&] {
      return Run({"prefs", "set", "download-depth", std::to_string(round)});
    });
    ASSERT_EQ(0, Run({"prefs", "set", "report-errors", round % 2 ? "on" : "off"}).status);
    ASSERT_EQ(0, depth.get().status);
    std::string json = Json();
    EXPECT_NE(std::string::npos, json.find("\"download-depth\":" + std::to_string(round) + ",")) << json;
    EXPECT_NE(std::string::npos, json.find(round % 2 ? "\"report-errors\":true" : "\"report-errors\":false"));
  }
}

TEST_F(PrefsCliTest, ImportStartsFromThePreferencesAndFlagsOverrideThemOnce) {
  std::string input = Write("in.txt", "\"a\"<Q><Q><Q>");
  struct Row {
    std::vector<std::string> flags;
    const char* text;  // in inspect --json
  } rows[] = {
      {{}, "\u201Ca\u201D"},
      {{"--no-convert-quotes", "--report-errors"}, "\\\"a\\\"\u00ABKesto error"},
      {{"--no-style-sheets"}, "<Q><Q><Q>"},
  };
  for (const Row& row : rows) {
    std::vector<std::string> args = {"import", input, "-o", Path("out.pgd")};
    args.insert(args.end(), row.flags.begin(), row.flags.end());
    ProgramResult r = Run(args);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, Inspect(Path("out.pgd")).find(row.text)) << row.text;
  }
  // Reports kept in the preferences: three bad tags are message 4 with the count.
  ASSERT_EQ(0, Run({"prefs", "set", "report-errors", "on"}).status);
  ProgramResult reported = Run({"import", input, "-o", Path("out.pgd")});
  EXPECT_EQ(0, reported.status);
  EXPECT_NE(std::string::npos, reported.err.find("Kesto encountered 3 errors")) << reported.err;
}

TEST_F(PrefsCliTest, ExportStartsFromThePreferencesToo) {
  ASSERT_EQ(0, Run({"import", Write("in.txt", "text"), "-o", Path("doc.pgd")}).status);
  ASSERT_EQ(0, Run({"prefs", "set", "export-fragment", "on"}).status);
  ProgramResult fragment = Run({"export", Path("doc.pgd")});
  EXPECT_EQ("@$:text", fragment.out) << fragment.err;
  ProgramResult whole = Run({"export", Path("doc.pgd"), "--no-fragment"});
  EXPECT_EQ(0u, whole.out.rfind("\xEF\xBB\xBF<v", 0)) << whole.out;
}

TEST_F(PrefsCliTest, DeleteSourceRemovesOnlyACleanlyImportedFile) {
  std::string reported = Write("reported.txt", "<Q>"), clean = Write("clean.txt", "fine");
  EXPECT_EQ(0, Run({"import", reported, "-o", Path("a.pgd"), "--report-errors", "--delete-source"}).status);
  EXPECT_TRUE(std::filesystem::exists(reported)) << "reports left in the text are not a clean import";
  EXPECT_EQ(0, Run({"import", clean, "-o", Path("b.pgd"), "--delete-source"}).status);
  EXPECT_FALSE(std::filesystem::exists(clean));
  EXPECT_EQ(2, Run({"import", "-", "-o", Path("c.pgd"), "--delete-source"}, "x").status);
}

}  // namespace
}  // namespace cli_testing
