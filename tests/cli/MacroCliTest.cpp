// Macros, translation tables, hidden text and markers through pagehost import: the text and runs that
// inspect --json shows, and the message of an import that a missing table ends.
#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;
using MacroCliTest = cli_testing::CliTest;

TEST_F(MacroCliTest, ExtensionsReachTheDocument) {
  Write("table.txt", "#\rq\tQ\r\\t\tTAB\r# a comment\r");
  std::filesystem::create_directories(Path("data/Kesto"));
  Write("data/Kesto/shared.txt", "%e1\r\xE9\tE\r");
  struct Row {
    const char* name;
    std::string input;
    int status;
    std::string message;  // expected on standard error; empty: nothing
    std::string json;     // expected in inspect --json of the output
  } rows[] = {
      {"arguments and sub-ranges", "<&!2(pair,;,\">!(1 1:2)-!(2 -1)<\")><!pair(abc;xyz)>\r", 0, "",
       "\"text\":\"ab-y\\u000d"},
      {"tags from a macro", "<&!(bi,BI)><!bi()>x\r", 0, "", "\"attributes\":{\"cTypeface\":\"Bold Italic\"}"},
      {"nested macros", "<&!(in,\">i<\")><&!(out,\">o<!!in()\")><!out()>\r", 0, "Kesto encountered 1 error",
       "Kesto error: Nested macro invocation unsupported: tag !"},
      {"a macro invoking itself", "<&!(me,\">me<!!me()\")><!me()>\r", 0, "Kesto encountered 1 error",
       "\"text\":\"me\xC2\xABKesto error: Nested macro invocation unsupported: tag !\xC2\xBB"},
      {"one translation", "<&tte(ae,\xC3\xA6)><&tte(a,A)>aeb ab\r", 0, "",
       "\"text\":\"\xC3\xA6"
       "b Ab\\u000d"},
      {"a table beside the input", "q<&tt\"table.txt\">q\\t\r", 0, "", "\"text\":\"qQTAB\\u000d"},
      {"a table with escapes", "<&tt2\"table.txt\">q\t\r", 0, "", "\"text\":\"QTAB\\u000d"},
      {"a table in the data folder", "<&ttw\"shared.txt\">\xC3\xA9\r", 0, "", "\"text\":\"E\\u000d"},
      {"a missing table, silently", "<&ttw\"missing.txt\">q\r", 0, "", "\"text\":\"q\\u000d"},
      {"hidden text", "a<&Cs>b<&Ce(name,P)>c\r", 0, "",
       "{\"start\":1,\"end\":2,\"style\":\"[No character "
       "style]\",\"attributes\":{\"kestoHiddenText\":\"6e0061006d006500"},
      {"markers", "<A(x,AIPA,)[]>ab<A(x,AIP#,1note)[]>c<#comment>\r", 0, "",
       "{\"start\":0,\"end\":2,\"style\":\"[No character "
       "style]\",\"attributes\":{\"kestoText\":{\"text\":\"note\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    cli_testing::RunOptions options;
    options.env["XDG_DATA_HOME"] = Path("data");
    std::string out = Path("out.pgd");
    std::filesystem::remove(out);
    ProgramResult r = Run({"import", Write("in.txt", row.input), "-o", out}, options);
    EXPECT_EQ(row.status, r.status) << r.err;
    if (row.message.empty())
      EXPECT_EQ("", r.err);
    else
      EXPECT_NE(std::string::npos, r.err.find(row.message)) << r.err;
    std::string json = Inspect(out);
    EXPECT_NE(std::string::npos, json.find(row.json)) << json.substr(0, 600);
  }
}

TEST_F(MacroCliTest, AMissingTableEndsTheImport) {
  ProgramResult r = Run({"import", Write("in.txt", "a<&tt\"missing.txt\">b\r"), "-o", Path("out.pgd")});
  EXPECT_EQ(1, r.status);
  EXPECT_NE(std::string::npos,
            r.err.find("can't find a translation table file named in a &tt/&tt2 tag (system "
                       "error code: -43)"))
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(Path("out.pgd")));
}

}  // namespace
