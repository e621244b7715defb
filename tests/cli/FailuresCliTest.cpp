// pagehost fails loudly and cleanly: a lost standard output, memory running out, inputs it cannot read and
// options missing their values each end with a message and an exit status, never with an abort, a status
// of success or a half-written document.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "tests/cli/CliTest.h"

#if defined(__SANITIZE_ADDRESS__)
#define PAGEHOST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PAGEHOST_ASAN 1
#endif
#endif

namespace {

using cli_testing::ProgramResult;
using cli_testing::RunOptions;
using FailuresCliTest = cli_testing::CliTest;

constexpr size_t kMB = size_t{1} << 20;

// A device of the test's own that answers every write with "no space left": opening /dev/full for output
// would make a plain file in /dev where it is missing. Empty when this user cannot make devices.
std::string FullDevice(const std::string& path) {
  return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0 ? path : "";
}

TEST_F(FailuresCliTest, ALostStandardOutputFailsTheCommand) {
  std::string full = FullDevice(Path("full"));
  if (full.empty()) GTEST_SKIP() << "making a full device needs root";
  ASSERT_EQ(0, Run({"new", "-o", Path("doc.pgd")}).status);
  const std::vector<std::string> rows[] = {
      {"--help"},
      {"--version"},
      {"plugins"},
      {"inspect", Path("doc.pgd")},
      {"inspect", "--json", Path("doc.pgd")},
      {"import", "--help"},
  };
  RunOptions options;
  options.stdoutFile = full;
  for (const auto& args : rows) {
    SCOPED_TRACE(::testing::PrintToString(args));
    ProgramResult r = Run(args, options);
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("pagehost: cannot write to standard output: no space left on device\n", r.err);
  }
}

// layout prints the UIDs of the items it makes; when they cannot be printed, OUT is not written.
TEST_F(FailuresCliTest, LayoutWritesNoDocumentWhenItsOutputIsLost) {
  ASSERT_EQ(0, Run({"new", "-o", Path("doc.pgd")}).status);
  std::string full = FullDevice(Path("full"));
  for (auto [redirect, reason] : {std::pair<std::string, std::string>{">&-", "bad file descriptor"},
                                  {">" + full, "no space left on device"}}) {
    if (redirect == ">") continue;  // no full device of our own
    SCOPED_TRACE(redirect);
    RunOptions options;
    options.env["XDG_CONFIG_HOME"] = Path("config");
    ProgramResult r = testing_support::RunProgram(
        {"/bin/sh", "-c", "exec \"$0\" \"$@\" " + redirect, PAGEHOST_BIN, "layout", Path("doc.pgd"), "-o",
         Path("out.pgd"), "frame", "--page", "1", "36,36,300,400"},
        options);
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("pagehost: cannot write to standard output: " + reason + "\n", r.err);
    EXPECT_FALSE(std::filesystem::exists(Path("out.pgd")));
  }
}

TEST_F(FailuresCliTest, RunningOutOfMemoryIsAMessageAndWritesNoDocument) {
#ifdef PAGEHOST_ASAN
  GTEST_SKIP() << "AddressSanitizer needs more address space than these limits leave";
#endif
  std::string paragraph = "<B>Bold<B> and <I>italic<I> words, enough of them to fill a line or two.\r";
  std::string text;
  // Its text alone, as the story keeps it (two bytes a character), is near the limit below.
  while (text.size() < 16 * kMB)
    text += paragraph;
  std::string input = Write("large.txt", text), output = Path("out.pgd");
  struct Row {
    const char* name;
    std::vector<std::string> args;
    std::string standardInput;  // a file; empty: none
    std::vector<size_t> addressSpaces;
    std::string message;
  } rows[] = {
      {"endless standard input",
       {"import", "-", "-o", output},
       "/dev/zero",
       {1024 * kMB},
       "pagehost: import: standard input is longer than 256 MB; import it from a file instead\n"},
      // Refused before anything is read: a document is a regular file.
      {"endless document",
       {"inspect", "/dev/zero"},
       "",
       {512 * kMB},
       "pagehost: inspect: /dev/zero: not a document (not a regular file)\n"},
      // Where memory runs out decides what is unwinding when it does (the scan, the story's end).
      {"import larger than memory",
       {"import", input, "-o", output},
       "",
       {40 * kMB, 42 * kMB, 48 * kMB},
       "pagehost: import: out of memory\n"},
  };
  for (const Row& row : rows) {
    for (size_t addressSpace : row.addressSpaces) {
      SCOPED_TRACE(std::string(row.name) + ", " + std::to_string(addressSpace / kMB) + " MB");
      RunOptions options;
      options.stdinFile = row.standardInput;
      options.addressSpace = addressSpace;
      ProgramResult r = Run(row.args, options);
      EXPECT_EQ(1, r.status) << "signal " << r.signal;
      EXPECT_EQ(row.message, r.err);
      EXPECT_FALSE(std::filesystem::exists(output));
    }
  }
}

TEST_F(FailuresCliTest, AnInputThatCannotBeReadIsNamedWithTheSystemsReason) {
  std::string locked = Write("locked.txt", "text\r"), folder = Path("folder"), output = Path("out.pgd");
  ::chmod(locked.c_str(), 0);
  std::filesystem::create_directories(folder);
  // Root reads any file, so the program runs as an ordinary user then.
  RunOptions options;
  if (::geteuid() == 0) options.user = 65534;
  struct Row {
    std::vector<std::string> args;
    std::string message;
  } rows[] = {
      {{"import", locked, "-o", output}, "import: cannot read " + locked + ": permission denied"},
      {{"import", folder, "-o", output}, "import: cannot read " + folder + ": is a directory"},
      {{"import", locked + "/x", "-o", output}, "import: cannot read " + locked + "/x: not a directory"},
      {{"import", "-", "--into", folder, "-o", output}, "import: cannot read " + folder + ": is a directory"},
      {{"inspect", locked}, "inspect: cannot read " + locked + ": permission denied"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.args));
    ProgramResult r = Run(row.args, options);
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("pagehost: " + row.message + "\n", r.err);
    EXPECT_FALSE(std::filesystem::exists(output));
  }
}

TEST_F(FailuresCliTest, AnOptionWhereAValueBelongsIsAUsageError) {
  std::string input = Write("in.txt", "text\r"), output = Path("out.pgd");
  struct Row {
    std::vector<std::string> args;
    std::string option;
  } rows[] = {
      {{"import", "--into", "-o", output, input}, "--into"},
      {{"import", input, "-o", "--no-style-sheets"}, "-o"},
      {{"import", input, "-o", output, "--encoding", "--convert-quotes"}, "--encoding"},
      {{"import", input, "--output=", output}, "--output"},
      {{"new", "-o", "--help"}, "-o"},
      {{"--plugins", "--version", "plugins"}, "--plugins"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.args));
    ProgramResult r = Run(row.args);
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.err.find("option " + row.option + " needs a")) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(std::filesystem::exists(output));
  }
}

}  // namespace
