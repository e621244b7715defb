// pagehost export as a user runs it: the text written for each option, where it goes, the exit status and
// message of each failure, and that a failed export leaves an existing output as it was.
#include <sys/stat.h>

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
      {"unwritable folder", {"export", doc, "-o", Path("no/such/folder/out.txt")}, 1, "out.txt"},
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
  EXPECT_NE(std::string::npos, r.err.find("locked/out.txt")) << r.err;
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
  EXPECT_NE(std::string::npos, r.err.find(kept + ": Disk is full.")) << r.err;
  EXPECT_EQ("old contents", Read(kept));
}

}  // namespace
