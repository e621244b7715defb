// pagehost import of the host's own tagged-text dialect as a user runs it: each encoding header, escapes,
// character codes, unknown tags reported in the text, tables, --format, standard input, place, and a round
// trip through export --format host.
#include "tests/cli/CliTest.h"
#include "tests/support/FifoWriter.h"

namespace {

using cli_testing::ProgramResult;

// `text` (ASCII) as UTF-16 bytes, little or big end first.
std::string Utf16(std::string_view text, bool little) {
  std::string bytes;
  for (char c : text) {
    bytes += little ? c : '\0';
    bytes += little ? '\0' : c;
  }
  return bytes;
}

class HostDialectCliTest : public cli_testing::CliTest {
 protected:
  // The text of the main story of `doc` as inspect --json writes it, with "\r" for its returns.
  std::string MainText(const std::string& doc) {
    std::string json = Inspect(doc);
    size_t start = json.find("\"text\":\"");
    if (start == std::string::npos) return "?";
    start += 8;
    std::string text = json.substr(start, json.find('"', start) - start);
    for (size_t at; (at = text.find("\\u000d")) != std::string::npos;)
      text.replace(at, 6, "\r");
    return text;
  }
  // Imports `bytes` (from a file, or from standard input for "-") with `options`; the story's text.
  std::string Import(const std::string& bytes, std::vector<std::string> options = {}, bool fromStdin = false,
                     ProgramResult* result = nullptr) {
    std::string in = fromStdin ? "-" : Write("in.txt", bytes), doc = Path("out.pgd");
    std::vector<std::string> args = {"import", in, "-o", doc};
    args.insert(args.end(), options.begin(), options.end());
    ProgramResult r = Run(args, fromStdin ? bytes : std::string());
    EXPECT_EQ(0, r.status) << r.err;
    if (result) *result = r;
    return MainText(doc);
  }
};

TEST_F(HostDialectCliTest, EachHeaderReadsItsEncoding) {
  const struct {
    const char* name;
    std::string bytes;
    std::string text;
  } kRows[] = {
      {"ascii-win", "<ASCII-WIN>\r\ncaf\xE9\r\x80", "caf\xC3\xA9\r\xE2\x82\xAC\r"},
      {"ascii-mac", "<ASCII-MAC>\r\ncaf\x8E", "caf\xC3\xA9\r"},
      {"ansi-win", "<ANSI-WIN>\ncaf\xE9", "caf\xC3\xA9\r"},
      {"ansi-mac", "<ANSI-MAC>\r\n\xD2x\xD3", "\xE2\x80\x9Cx\xE2\x80\x9D\r"},
      {"unicode-win", "\xFF\xFE" + Utf16("<UNICODE-WIN>\r\nab", true) + ":&", "ab\xE2\x98\xBA\r"},
      {"unicode-mac", "\xFE\xFF" + Utf16("<UNICODE-MAC>\r\nab", false), "ab\r"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Import(row.bytes), row.text);
  }
}

TEST_F(HostDialectCliTest, ReadsTheDialectsConstructs) {
  const struct {
    const char* name;
    std::string bytes;
    std::string text;
  } kRows[] = {
      {"escapes", "<ASCII-WIN>\r\na\\<b\\>c\\\\d", "a<b>c\\\\d\r"},
      {"character codes", "<ASCII-WIN>\r\n<0x00E9><0x263A><0x110000>", "\xC3\xA9\xE2\x98\xBA\r"},
      {"unknown tag", "<ASCII-WIN>\r\na<Foo:bar>b",
       "a\xC2\xABKesto error: No such tag: tag Foo\xC2\xBB"
       "b\r"},
      {"bad character code", "<ASCII-WIN>\r\na<0xZZ>b",
       "a\xC2\xABKesto error: Malformed tag: tag 0xZZ\xC2\xBB"
       "b\r"},
      {"table",
       "<ASCII-WIN>\r\n<TableStart:1,2><RowStart:><CellStart:1,1>a<CellEnd:><CellStart:1,1>b<CellEnd:>"
       "<RowEnd:><TableEnd:>z",
       "a\\u0009b\rz\r"},
      {"header definitions",
       "<ASCII-WIN>\r\n<Version:5>\r\n<ColorTable:=<Black:COLOR:CMYK:Process:0,0,0,1>>\r\nx", "x\r"},
      {"styles and attributes", "<ASCII-WIN>\r\n<ParaStyle:>a<cSize:14>b<cSize:>c\r", "abc\r\r"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Import(row.bytes), row.text);
  }
}

TEST_F(HostDialectCliTest, FormatHostReadsInputWithoutHeader) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::string> options;
    bool fromStdin;
    std::string text;
  } kRows[] = {
      {"kesto by default",
       "a<Foo:x>b",
       {},
       false,
       "a\xC2\xABKesto error: No such tag: tag F\xC2\xBB"
       "b\r"},
      {"host",
       "a<Foo:x>b",
       {"--format", "host"},
       false,
       "a\xC2\xABKesto error: No such tag: tag Foo\xC2\xBB"
       "b\r"},
      {"host from standard input", "a\\<b", {"--format", "host"}, true, "a<b\r"},
      {"utf-16 named", Utf16("a\\<b", true), {"--format", "host", "--encoding", "utf-16le"}, false, "a<b\r"},
      {"header wins over kesto", "<ASCII-WIN>\r\na\\<b", {"--format", "kesto"}, false, "a<b\r"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Import(row.bytes, row.options, row.fromStdin), row.text);
  }
  ProgramResult r = Run({"import", Write("x.txt", "x"), "-o", Path("x.pgd"), "--format", "rtf"});
  EXPECT_EQ(2, r.status);
  EXPECT_NE(std::string::npos, r.err.find("unknown format 'rtf'")) << r.err;
}

// With --format host standard input is read as it comes: a pipe whose writer hands over a few bytes at a
// time, far more than the reader keeps to look back on, arrives whole without a header. A file without a
// header is read where it is, so it can also be deleted after the import.
TEST_F(HostDialectCliTest, FormatHostReadsAPipeAsItComes) {
  std::string input, expected;
  for (int i = 0; input.size() < 100000; ++i) {
    input += "line " + std::to_string(i) + " <cSize:12>x\\<y<cSize:>\r";
    expected += "line " + std::to_string(i) + " x<y\r";
  }
  testing_support::FifoWriter writer(Path("pipe"), input, 7);
  cli_testing::RunOptions options;
  options.stdinFile = writer.Path().string();
  ProgramResult r = Run({"import", "--format", "host", "-", "-o", Path("p.pgd")}, options);
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ(MainText(Path("p.pgd")), expected + "\r");

  std::string file = Write("plain.txt", "a\\<b");
  r = Run({"import", file, "--format", "host", "--delete-source", "-o", Path("d.pgd")});
  EXPECT_EQ(0, r.status) << r.err;
  EXPECT_EQ(MainText(Path("d.pgd")), "a<b\r");
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(HostDialectCliTest, StylesTheDocumentLacksAreMade) {
  EXPECT_EQ(Import("<ASCII-WIN>\r\n<ParaStyle:Heads\\:Sub>a\r<ParaStyle:Grp:A\\\\\\:B>b<CharStyle:Emph>c"),
            "a\rbc\r");
  std::string json = Inspect(Path("out.pgd"));
  for (std::string style : {"Heads:Sub", "Grp\uE00BA:B", "Emph"})
    EXPECT_NE(std::string::npos, json.find("\"style\":\"" + style + "\"")) << style;
}

TEST_F(HostDialectCliTest, PlaceClaimsTheDialectByItsHeader) {
  std::string in = Write("placed.txt", "<ASCII-WIN>\r\n<ParaStyle:Head>Title\r<Foo:x>body");
  ProgramResult r = Run({"place", in, "-o", Path("placed.pgd")});
  EXPECT_EQ(0, r.status) << r.err;
  EXPECT_NE(std::string::npos, r.err.find("1 tag skipped")) << r.err;
  std::string json = Inspect(Path("placed.pgd"));
  EXPECT_NE(std::string::npos, json.find("Title\\u000dbody\\u000d")) << json;
  EXPECT_NE(std::string::npos, json.find("\"style\":\"Head\"")) << json;
}

TEST_F(HostDialectCliTest, ExportedDialectReadsBackToTheSameText) {
  std::string kesto = Write("kesto.txt", "@Body=[S\"\"]\r\n@Body:a<\\<>b <z14>big<z$> c\r\n<\\#U263A>tail");
  ASSERT_EQ(0, Run({"import", kesto, "-o", Path("first.pgd")}).status);
  for (const char* encoding : {"utf-8", "windows-latin", "utf-16be"}) {
    SCOPED_TRACE(encoding);
    ProgramResult exported = Run({"export", Path("first.pgd"), "--format", "host", "--encoding", encoding});
    ASSERT_EQ(0, exported.status) << exported.err;
    ProgramResult imported;
    EXPECT_EQ(Import(exported.out, {}, false, &imported), MainText(Path("first.pgd")));
    EXPECT_EQ("", imported.err);
  }
}

}  // namespace
