// The README's commands under "Using pagehost", run as written and in order, as a new user would type them
// from the top of a clone.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/cli/CliTest.h"

namespace {

// The command lines of the first sh block after `heading`, each without its trailing comment.
std::vector<std::string> CommandsUnder(const std::string& readme, const std::string& heading) {
  std::vector<std::string> commands;
  size_t at = readme.find(heading);
  size_t block = at == std::string::npos ? at : readme.find("```sh\n", at);
  if (block == std::string::npos) return commands;
  std::istringstream lines(readme.substr(block + 6, readme.find("```", block + 6) - block - 6));
  for (std::string line; std::getline(lines, line);) {
    line = line.substr(0, line.find("  #"));
    if (!line.empty()) commands.push_back(line);
  }
  return commands;
}

class ReadmeCliTest : public cli_testing::CliTest {};

TEST_F(ReadmeCliTest, EveryCommandOfTheUsageSectionRunsAsWritten) {
  std::filesystem::path top = std::filesystem::path(PAGEHOST_TEST_DATA).parent_path().parent_path();
  std::stringstream readme;
  readme << std::ifstream(top / "README.md").rdbuf();
  std::vector<std::string> commands = CommandsUnder(readme.str(), "## Using pagehost");
  ASSERT_GE(commands.size(), 10u);
  std::filesystem::copy(top / "examples", dir_ / "examples");
  std::string bin = std::filesystem::path(PAGEHOST_BIN).parent_path().string();
  cli_testing::RunOptions options;
  options.env = {{"XDG_CONFIG_HOME", (dir_ / "config").string()}, {"PATH", bin + ":/usr/bin:/bin"}};
  for (const std::string& command : commands) {
    auto r =
        testing_support::RunProgram({"/bin/sh", "-c", "cd '" + dir_.string() + "' && " + command}, options);
    EXPECT_EQ(0, r.status) << command << "\n" << r.err;
  }
}

}  // namespace
