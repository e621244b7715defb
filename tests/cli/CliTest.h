// CliTest: the fixture of the command-line tests: a scratch folder, and pagehost run as a user runs it.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/RunProgram.h"

namespace cli_testing {

using testing_support::ProgramResult;
using testing_support::RunOptions;

class CliTest : public ::testing::Test {
 protected:
  // Most tests were written for reports left in the text and quotes kept as they are: they start from
  // preferences that say so. A test of the fresh user's defaults sets `freshPreferences_`.
  explicit CliTest(bool freshPreferences = false) : freshPreferences_(freshPreferences) {}

  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("pagehost-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    if (freshPreferences_) return;
    std::filesystem::path workspace = dir_ / "config" / "pagehost" / "workspace.pgw";
    std::filesystem::create_directories(workspace.parent_path());
    std::filesystem::copy_file(ReportingWorkspace(), workspace);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // pagehost with `args`, fed `input` on standard input.
  ProgramResult Run(std::vector<std::string> args, const std::string& input = {}) {
    RunOptions options;
    options.input = input;
    return Run(std::move(args), options);
  }
  // The user's preferences live in the scratch folder unless the options say otherwise, so that no test
  // reads or changes those of the user running the tests.
  ProgramResult Run(std::vector<std::string> args, RunOptions options) {
    args.insert(args.begin(), PAGEHOST_BIN);
    options.env.try_emplace("XDG_CONFIG_HOME", (dir_ / "config").string());
    return testing_support::RunProgram(args, options);
  }
  // `line` split at its spaces: arguments that hold none, written as a user types them.
  static std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // Writes `bytes` to the scratch file `name`; answers its path.
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }
  // A document (doc.pgd) whose main story holds the import of `text`.
  std::string ImportedDocument(const std::string& text) {
    std::string in = Write("in.txt", text), doc = Path("doc.pgd");
    ProgramResult r = Run({"import", in, "-o", doc});
    EXPECT_EQ(0, r.status) << r.err;
    return doc;
  }
  // inspect --json of `file`.
  std::string Inspect(const std::string& file) {
    ProgramResult r = Run({"inspect", file, "--json"});
    EXPECT_EQ(0, r.status) << r.err;
    return r.out;
  }

  std::filesystem::path dir_;

 private:
  // Made once per test program: a workspace whose preferences report errors and keep quotes.
  static const std::filesystem::path& ReportingWorkspace() {
    struct Template {
      std::filesystem::path folder =
          std::filesystem::temp_directory_path() / ("pagehost-cli-prefs-" + std::to_string(::getpid()));
      Template() {
        RunOptions options;
        options.env["XDG_CONFIG_HOME"] = folder.string();
        for (const char* setting : {"report-errors=on", "convert-quotes=off"}) {
          std::string name(setting, std::strchr(setting, '=')), value(std::strchr(setting, '=') + 1);
          EXPECT_EQ(0,
                    testing_support::RunProgram({PAGEHOST_BIN, "prefs", "set", name, value}, options).status);
        }
      }
      ~Template() { std::filesystem::remove_all(folder); }
    };
    static const Template made;
    static const std::filesystem::path file = made.folder / "pagehost" / "workspace.pgw";
    return file;
  }

  bool freshPreferences_;
};

}  // namespace cli_testing
