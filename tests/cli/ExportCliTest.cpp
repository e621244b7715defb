// pagehost export as a user runs it: the text written for each option, where it goes, the exit status and
// message of each failure, and that a failed export leaves an existing output as it was.
#include <sys/stat.h>
#include <sys/wait.h>

#include <functional>

#include "tests/cli/CliTest.h"
#include "tests/support/FileSizeLimit.h"

namespace {

using cli_testing::ProgramResult;

class ExportCliTest : public cli_testing::CliTest {
 protected:
  std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
};

constexpr const char* kBom = "\xEF\xBB\xBF";
constexpr const char* kHeader = "<v7.00><e9>\r\n";
constexpr const char* kNormal = "@NormalParagraphStyle=[S\"\"]\r\n";

TEST_F(ExportCliTest, WritesTheMainStoryForEachOption) {
  std::string doc = ImportedDocument("one <z14>two\r\n<*C>three <B>four");
  const struct {
    const char* name;
    std::vector<std::string> options;
    std::string out;
  } kRows[] = {
      {"defaults",
       {},
       std::string(kBom) + kHeader + kNormal + "@$:one <z14>two\r\n<*C>three <fs\"Bold\">four"},
      {"fragment", {"--fragment"}, "@$:one <z14>two\r\n<*C>three <fs\"Bold\">four"},
      {"separate tags",
       {"--fragment", "--separate-tags"},
       "@$:one <z14>two\r\n@$:<*C><z14>three <fs\"Bold\">four"},
      {"range", {"--fragment", "--range", "4:7"}, "@$:<z14>two"},
      {"styles only", {"--styles-only"}, std::string(kBom) + kHeader + kNormal},
      {"windows latin",
       {"--fragment", "--encoding", "windows-latin"},
       "@$:one <z14>two\r\n<*C>three <fs\"Bold\">four"},
      {"utf-16be",
       {"--fragment", "--encoding", "utf-16be", "--range", "0:3"},
       std::string("\0@\0$\0:\0o\0n\0e", 12)},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args = {"export", doc};
    args.insert(args.end(), row.options.begin(), row.options.end());
    ProgramResult r = Run(args);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("", r.err);
    EXPECT_EQ(row.out, r.out);
  }
}

TEST_F(ExportCliTest, WritesToAFileThatReadsBackTheSame) {
  std::string doc = ImportedDocument("a <I>b<I> c\r\nd<\\@>e");
  std::string out = Path("out.txt");
  ProgramResult r = Run({"export", doc, "-o", out});
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ("", r.out);
  std::string copy = Path("copy.pgd");
  ASSERT_EQ(0, Run({"import", out, "-o", copy}).status);
  ProgramResult again = Run({"export", copy, "-o", "-"});
  EXPECT_EQ(Read(out), again.out);
}

TEST_F(ExportCliTest, FailuresSayWhyAndLeaveTheOutputAlone) {
  std::string doc = ImportedDocument("text");
  std::string kept = Write("kept.txt", "old contents");
  const struct {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string message;
  } kRows[] = {
      {"no document", {"export"}, 2, "no document given"},
      {"unknown option", {"export", doc, "--frobnicate"}, 2, "unknown option"},
      {"unknown encoding", {"export", doc, "--encoding", "ebcdic"}, 2, "unknown encoding"},
      {"bad range", {"export", doc, "--range", "5:2"}, 2, "--range"},
      {"bad story", {"export", doc, "--story", "x"}, 2, "--story"},
      {"missing document", {"export", Path("nothing.pgd")}, 1, "cannot read"},
      {"not a document", {"export", kept}, 1, ""},
      {"no such story", {"export", doc, "--story", "99999", "-o", kept}, 1, "no story 99999"},
      {"range past the end", {"export", doc, "--range", "0:50", "-o", kept}, 1, "past the end"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    ProgramResult r = Run(row.args);
    EXPECT_EQ(row.status, r.status) << r.err;
    EXPECT_NE(std::string::npos, r.err.find(row.message)) << r.err;
    EXPECT_EQ("old contents", Read(kept));
  }
}

TEST_F(ExportCliTest, AFolderThatCannotBeWrittenIsAFailure) {
  std::string doc = ImportedDocument("text");
  std::filesystem::create_directories(Path("locked"));
  ::chmod(Path("locked").c_str(), 0555);
  cli_testing::RunOptions options;
  if (::geteuid() == 0) options.user = 65534;  // root writes anywhere
  ProgramResult r = Run({"export", doc, "-o", Path("locked/out.txt")}, options);
  ::chmod(Path("locked").c_str(), 0755);
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("pagehost: export: cannot write " + Path("locked/out.txt") + ": the folder " + Path("locked") +
                " cannot be written (permission denied)\n",
            r.err);
  EXPECT_FALSE(std::filesystem::exists(Path("locked/out.txt")));
}

TEST_F(ExportCliTest, AFullDiskIsAFailureAndLeavesTheOldFile) {
  std::string doc = ImportedDocument(std::string(4000, 'x'));
  std::string kept = Write("kept.txt", "old contents");
  ProgramResult r;
  {
    testing_support::FileSizeLimit limit(1000);
    r = Run({"export", doc, "-o", kept});
  }
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("pagehost: export: cannot write " + kept + ": file too large\n", r.err);
  EXPECT_EQ("old contents", Read(kept));
}

// What stands at OUT, or was planted where an export once put its temporary file (OUT.export-PID.tmp): only
// a plain file, or the file a link names, is replaced, and it keeps its permissions.
TEST_F(ExportCliTest, OnlyAPlainFileIsReplacedAndItKeepsItsPermissions) {
  namespace fs = std::filesystem;
  std::string doc = ImportedDocument("new"), out;
  auto old = [&](const std::string& path) { return std::ofstream(path) << "old", path; };
  auto plant = [&](const std::function<void(const std::string&)>& make) {
    pid_t last = ::fork();  // the programs started next are likely to get the following IDs
    if (last == 0) ::_exit(0);
    ::waitpid(last, nullptr, 0);
    for (pid_t pid = last + 1; pid <= last + 200; ++pid)
      make(out + ".export-" + std::to_string(pid) + ".tmp");
    return 0;
  };
  auto mode = [&] { return fs::status(out).permissions(); };
  const struct {
    const char* name;
    std::function<int()> make;  // answers 0
    std::string refusal;        // empty: OUT is written
    std::function<bool()> kept;
  } kRows[] = {
      {"FIFO", [&] { return ::mkfifo(out.c_str(), 0666); }, "it is a FIFO (named pipe)",
       [&] { return fs::is_fifo(out); }},
      {"link", [&] { return ::symlink(old(out + ".real").c_str(), out.c_str()); }, "",
       [&] { return fs::is_symlink(out) && Read(out + ".real") != "old"; }},
      {"private", [&] { return ::chmod(old(out).c_str(), 0600); }, "",
       [&] { return mode() == fs::perms(0600) && Read(out) != "old"; }},
      {"read-only", [&] { return ::chmod(old(out).c_str(), 0444); }, "the file is locked (permission denied)",
       [&] { return Read(out) == "old"; }},
      {"planted links",
       [&] { return plant([&](auto n) { (void)::symlink(old(out + ".v").c_str(), n.c_str()); }); }, "",
       [&] { return Read(out + ".v") == "old"; }},
      {"planted files",
       [&] { return plant([](auto n) { std::ofstream(n) << "", ::chmod(n.c_str(), 0666); }); }, "",
       [&] { return mode() == fs::perms(0644); }},
  };
  mode_t mask = ::umask(022);
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    out = Path(row.name);
    ASSERT_EQ(0, row.make());
    ProgramResult r = Run({"export", doc, "-o", out});
    EXPECT_EQ(row.refusal.empty() ? 0 : 1, r.status);
    EXPECT_EQ(row.refusal.empty() ? "" : "pagehost: export: cannot write " + out + ": " + row.refusal,
              r.err.substr(0, r.err.find_first_of(",\n")));
    EXPECT_TRUE(row.kept());
  }
  ::umask(mask);
}

}  // namespace
