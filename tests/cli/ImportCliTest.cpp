// pagehost import as a user runs it: what arrives in the document, the message and the exit status, and
// when the output is written.
#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;
using cli_testing::RunOptions;
using ImportCliTest = cli_testing::CliTest;

TEST_F(ImportCliTest, ImportsIntoANewDocument) {
  struct Row {
    const char* name;
    std::string input;
    std::vector<std::string> options;
    int status;
    std::string message;  // expected on standard error; empty: nothing
    std::string json;     // expected in inspect --json of the output; empty: no output file
  } rows[] = {
      {"doubled bracket", "a<<b\r", {}, 0, "", "\"a<b\\u000d"},
      {"two unknown tags",
       "a<Q>b<Z>c\r",
       {},
       0,
       "Kesto encountered 2 errors during import",
       "Kesto error: No such tag: tag Z"},
      {"reports off", "a<Q>b<Z>c\r", {"--no-report-errors"}, 0, "", "\"abc\\u000d"},
      {"header only", "<v7.00><e9>\r", {}, 0, "", "\"text\":\"\\u000d\""},
      {"Windows Latin 0x81",
       "caf\xE9 \x81\r",
       {"--encoding", "windows-latin"},
       1,
       "improperly-encoded Unicode character",
       "caf\xC3\xA9"},
      {"tags as text", "a<Q>b\r", {"--no-style-sheets"}, 0, "", "a<Q>b"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string in = Write("in.txt", row.input), out = Path("out.pgd");
    std::filesystem::remove(out);
    std::vector<std::string> args = {"import", in, "-o", out};
    args.insert(args.end(), row.options.begin(), row.options.end());
    ProgramResult r = Run(args);
    EXPECT_EQ(row.status, r.status) << r.err;
    if (row.message.empty())
      EXPECT_EQ("", r.err);
    else
      EXPECT_NE(std::string::npos, r.err.find(row.message)) << r.err;
    ASSERT_TRUE(std::filesystem::exists(out));
    std::string json = Inspect(out);
    EXPECT_NE(std::string::npos, json.find(row.json)) << json;
  }
}

TEST_F(ImportCliTest, ALongParagraphStandardInputAndAnExistingDocument) {
  std::string paragraph(3000, 'x');
  ProgramResult r = Run({"import", "-", "-o", Path("long.pgd")}, paragraph + "\rtail\r");
  ASSERT_EQ(0, r.status) << r.err;
  std::string json = Inspect(Path("long.pgd"));
  EXPECT_NE(std::string::npos, json.find("\"" + paragraph + "\\u000d")) << json.substr(0, 400);
  // An empty pipe is an empty source, as an empty file is.
  EXPECT_EQ(0, Run({"import", "-", "-o", Path("empty.pgd")}, "").status);

  // --into starts from a saved document and leaves it as it was.
  ASSERT_EQ(0, Run({"new", "-o", Path("base.pgd")}).status);
  ASSERT_EQ(0,
            Run({"import", Write("first.txt", "first\r"), "--into", Path("base.pgd"), "-o", Path("one.pgd")})
                .status);
  ASSERT_EQ(0,
            Run({"import", Write("second.txt", "second\r"), "--into", Path("one.pgd"), "-o", Path("two.pgd")})
                .status);
  EXPECT_NE(std::string::npos, Inspect(Path("two.pgd")).find("second\\u000dfirst\\u000d"));
  EXPECT_EQ(std::string::npos, Inspect(Path("base.pgd")).find("first\\u000d"));
}

TEST_F(ImportCliTest, FailuresAndUsage) {
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string message;
  } rows[] = {
      {{"import"}, 2, "no input given"},
      {{"import", "x.txt"}, 2, "no output file given"},
      {{"import", "x.txt", "-o", Path("o.pgd"), "--encoding", "ebcdic"}, 2, "unknown encoding 'ebcdic'"},
      {{"import", "x.txt", "-o", Path("o.pgd"), "--bogus"}, 2, "unknown option '--bogus'"},
      {{"import", "a", "b", "-o", Path("o.pgd")}, 2, "more than one input"},
      {{"import", Path("missing.txt"), "-o", Path("o.pgd")},
       1,
       "cannot read " + Path("missing.txt") + ": no such file or directory"},
      {{"import", Write("ok.txt", "ok"), "--into", Path("missing.pgd"), "-o", Path("o.pgd")},
       1,
       "missing.pgd"},
      {{"--plugins", dir_.string(), "import", Write("ok.txt", "ok"), "-o", Path("o.pgd")},
       1,
       "the Kesto plug-in is not loaded"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.args));
    ProgramResult r = Run(row.args);
    EXPECT_EQ(row.status, r.status);
    EXPECT_NE(std::string::npos, r.err.find(row.message)) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("o.pgd")));
  }
  ProgramResult help = Run({"import", "--help"});
  EXPECT_EQ(0, help.status);
  EXPECT_NE(std::string::npos, help.out.find("--no-report-errors"));
}

// A table named in the text is looked for beside the input however the input is named: from its folder, as
// a bare name in the current folder, or through "./".
TEST_F(ImportCliTest, ATableBesideTheInputIsFoundHoweverTheInputIsNamed) {
  Write("table.txt", "#\rq\tQ\r");
  Write("in.txt", "q<&tt\"table.txt\">q\r");
  for (const std::string& input : {Path("in.txt"), std::string("in.txt"), std::string("./in.txt")}) {
    SCOPED_TRACE(input);
    std::filesystem::remove(Path("out.pgd"));
    RunOptions options;
    options.env["XDG_CONFIG_HOME"] = Path("config");
    ProgramResult r = testing_support::RunProgram({"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"", dir_.string(),
                                                   PAGEHOST_BIN, "import", input, "-o", "out.pgd"},
                                                  options);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, Inspect(Path("out.pgd")).find("\"text\":\"qQ\\u000d"));
  }
}

}  // namespace
