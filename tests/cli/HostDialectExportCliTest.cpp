// pagehost export --format host as a user runs it: the header for each encoding, the dialect's tags and
// escapes, the short names, the command-line errors of the host format's options, and random stories that
// come back the same from Kesto text through the host dialect.
#include <random>

#include "host/text/TextCmdUtils.h"
#include "tests/cli/CliTest.h"
#include "tests/kesto/writer/RandomStory.h"
#include "tests/kesto/writer/WriterTestSupport.h"

namespace {

using cli_testing::ProgramResult;

class HostDialectExportCliTest : public cli_testing::CliTest {};

constexpr const char* kBom = "\xEF\xBB\xBF";

// `text` (ASCII) as UTF-16BE bytes.
std::string Utf16BE(std::string_view text) {
  std::string bytes;
  for (char c : text) {
    bytes += '\0';
    bytes += c;
  }
  return bytes;
}

TEST_F(HostDialectExportCliTest, WritesTheDialectForEachOption) {
  std::string doc = ImportedDocument(
      "@Body=[S\"\"]\r\n@Body:a<\\<>b<\\>><\\\\>c <z14>d\r\n<@A\\:B=[S\"\"]><@A\\:B>e<\\#U00E9>");
  const std::string first = "<ParaStyle:Body><CharStyle:>a\\<b\\>\\\\c <cSize:14>d";
  const std::string second = "<CharStyle:A\\\\\\:B><cSize:>e";
  const struct {
    const char* name;
    std::vector<std::string> options;
    std::string out;
  } kRows[] = {
      {"utf-8", {}, std::string(kBom) + "<UNICODE-WIN>\r\n" + first + "\r\n" + second + "\xC3\xA9"},
      {"windows latin",
       {"--encoding", "windows-latin"},
       "<ASCII-WIN>\r\n" + first + "\r\n" + second + "\xE9"},
      {"mac roman", {"--encoding", "mac-roman"}, "<ASCII-MAC>\r" + first + "\r" + second + "\x8E"},
      {"fragment", {"--range", "0:2", "--fragment"}, "<ParaStyle:Body><CharStyle:>a\\<"},
      {"short names",
       {"--range", "7:11", "--fragment", "--short-names"},
       "<pstyle:Body><cstyle:><cs:14>d\r\n<cstyle:A\\\\\\:B><cs:>e\xC3\xA9"},
      {"utf-16be",
       {"--range", "0:1", "--encoding", "utf-16be", "--fragment"},
       Utf16BE("<ParaStyle:Body><CharStyle:>a")},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args = {"export", doc, "--format", "host"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    ProgramResult r = Run(args);
    EXPECT_EQ(0, r.status) << r.err;
    EXPECT_EQ("", r.err);
    EXPECT_EQ(row.out, r.out);
  }
}

TEST_F(HostDialectExportCliTest, RefusesUnknownFormatsAndShortNamesWithoutTheHostFormat) {
  std::string doc = ImportedDocument("text");
  const struct {
    std::vector<std::string> args;
    std::string err;
  } kRows[] = {
      {{"export", doc, "--format", "rtf"}, "unknown format 'rtf'"},
      {{"export", doc, "--short-names"}, "--short-names needs --format host"},
      {{"export", doc, "--format"}, "option --format needs a value"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.err);
    ProgramResult r = Run(row.args);
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.err.find(row.err)) << r.err;
    EXPECT_EQ("", r.out);
  }
}

// Kesto text of random stories, imported, exported in the host dialect, imported from that and exported as
// Kesto text again, gives the same text. The generator runs in this process, the rest in pagehost. The
// stories use the default styles only (the dialect names styles without defining them).
TEST_F(HostDialectExportCliTest, KestoTextThroughTheHostDialectComesBackTheSame) {
  constexpr int kCases = 6;
  constexpr uint32_t kSeed = 20261209;
  for (int n = 0; n < kCases; ++n) {
    std::mt19937 rng(kSeed + n);
    SCOPED_TRACE("case " + std::to_string(n));
    kesto::testing_writer::ScopedDocument original;
    kesto::testing_writer::MakeRandomStory(original.Db(), original.Story(), rng, {});
    std::string first = ImportedDocument(original.Export()), host = Path("host.txt"),
                second = Path("second.pgd");
    ASSERT_EQ(0, Run({"export", first, "--format", "host", "-o", host}).status);
    ProgramResult imported = Run({"import", host, "-o", second});
    ASSERT_EQ(0, imported.status) << imported.err;
    ProgramResult before = Run({"export", first}), after = Run({"export", second});
    EXPECT_EQ(kesto::testing_writer::Readable(before.out), kesto::testing_writer::Readable(after.out));
  }
}

}  // namespace
