// The scanner's main loop, text loop and tag groups: input text against the calls the agent receives.
#include "kesto/reader/KestoScanner.h"

#include <gtest/gtest.h>

#include <string>

#include "kesto/reader/ScannerErrors.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

using testing_reader::MemorySource;
using testing_reader::PipeSource;
using testing_reader::Readable;
using testing_reader::RecordingAgent;
using testing_reader::ScanEvents;

constexpr uint32_t kTags = CTaggedTextScanner::kInterpretTags;
constexpr uint32_t kQuotes = CTaggedTextScanner::kInterpretTags | CTaggedTextScanner::kConvertQuotes;
constexpr uint32_t kKeep = CTaggedTextScanner::kInterpretTags | CTaggedTextScanner::kKeepControlCharacters;

template <typename Text>
Text Repeated(const Text& piece, int times) {
  Text out;
  for (int i = 0; i < times; ++i)
    out += piece;
  return out;
}
std::string Repeated(const char* piece, int times) {
  return Repeated(std::string(piece), times);
}
std::u16string Repeated(const char16_t* piece, int times) {
  return Repeated(std::u16string(piece), times);
}

class KestoScannerTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureHost(); }
};

struct ScanCase {
  const char* name;
  std::u16string input;
  uint32_t options;
  std::string events;
};

TEST_F(KestoScannerTest, InputGivesTheseAgentCalls) {
  const ScanCase cases[] = {
      {"plain text", u"Hello", kTags, R"(BEGIN "Hello" END)"},
      {"empty input", u"", kTags, "BEGIN END"},
      {"paragraphs", u"a\rb", kTags, R"(BEGIN "a\r" EOP "b" END)"},
      {"windows line end", u"a\r\nb\n", kTags, R"(BEGIN "a\r" EOP "b\r" EOP END)"},
      {"doubled < is one <", u"a<<b", kTags, R"(BEGIN "a" "<" "b" END)"},
      {"> in text", u"a>b", kTags, R"(BEGIN "a>b" END)"},
      {"empty tag group", u"a<>b", kTags, R"(BEGIN "a" "b" END)"},
      {"unknown tag", u"a<Q>b", kTags, R"(BEGIN "a" E2:Q "b" END)"},
      {"a group ends at its first >", u"a<B>>b<Q>>c", kTags, R"(BEGIN "a" ">b" E2:Q ">c" END)"},
      {"X names no tag", u"<X>", kTags, "BEGIN E2 END"},
      {"control character as a tag", u"<\x01>", kTags, "BEGIN E2:? END"},
      {"non-ASCII tag", u"<\u00E9>", kTags, R"(BEGIN E2:\u{00E9} END)"},
      {"blanks between tags", u"<Q Z\tj>", kTags, "BEGIN E2:Q E2:Z E2:j END"},
      {"x is ignored", u"<QxZ>", kTags, "BEGIN E2:Q E2:Z END"},
      {"end of input after <", u"abc<", kTags, R"(BEGIN "abc" E12 END)"},
      {"end of input inside a group", u"abc<Q", kTags, R"(BEGIN "abc" E2:Q E12 END)"},
      {"line end inside a group is kept", u"<Q\rb", kTags, R"(BEGIN E2:Q E13 "\r" EOP "b" END)"},
      {"group continued on the next line", u"<Q:\r\nZ>", kTags, "BEGIN E2:Q E2:Z END"},
      {"colon before >", u"<:>x", kTags, R"(BEGIN E1 "x" END)"},
      {"colon takes one character", u"<:QZ>", kTags, "BEGIN E2:Z END"},
      {"comment", u"<'note'>x", kTags, R"(BEGIN "x" END)"},
      {"escaped quote in a comment", u"<'it\\'s'>x", kTags, R"(BEGIN "x" END)"},
      {"comment across a line end", u"<'abc\rdef", kTags, R"(BEGIN E13 "\r" EOP "def" END)"},
      {"unterminated comment", u"<'abc", kTags, "BEGIN E12 END"},
      {"tags off", u"<Q>@x", 0, R"(BEGIN "<Q>@x" END)"},
      {"vertical tab is a break", u"a\vb", kTags, R"(BEGIN "a" "\r" EOP "b" END)"},
      {"form feed is a break", u"\fb", kTags, R"(BEGIN "\r" EOP "b" END)"},
      {"empty paragraphs", u"a\r\r\rb\r", kTags, R"(BEGIN "a\r" EOP "\r\r" EOP EOP "b\r" EOP END)"},
      {"a row of breaks", u"a\v\v\v\fb", kTags, R"(BEGIN "a" "\r" EOP "\r\r" EOP EOP "\r" EOP "b" END)"},
      {"vertical tab kept", u"a\vb", kKeep, R"(BEGIN "a\x0Bb" END)"},
      {"control characters dropped", u"a\u0003\u0018b", kTags, R"(BEGIN "ab" END)"},
      {"control characters kept", u"a\u0003\u0018b", kKeep, R"(BEGIN "a\x03\x18b" END)"},
      {"non-characters", u"a\uFDD0\uFDEFb\uFFFE\uFFFF\U0001FFFEc", kTags, R"(BEGIN "abc" END)"},
      {"@ inside a paragraph", u"Mail me @ home", kTags, R"(BEGIN "Mail me @ home" END)"},
      {"@ inside a paragraph before version 7", u"<v6>\ra@b", kTags, R"(BEGIN "a" "@b" END)"},
      {"@ at a paragraph start is a style line", u"x\r@Body:Text", kTags, R"(BEGIN "x\r" EOP "Text" END)"},
      {"header line", u"<v7.00><e9>\rText", kTags, R"(BEGIN "Text" END)"},
      {"header line inside a paragraph", u"Hi <v7> there\rNext", kTags, R"(BEGIN "Hi " E53:v "Next" END)"},
      {"break on a header line", u"<v7>a\vb\rc", kTags, R"(BEGIN E53:v "c" END)"},
      {"text after a header tag", u"abc\r<e9>def\rx", kTags, R"(BEGIN "abc\r" EOP E53:e "x" END)"},
      {"blanks after a header tag", u"<v7.00><e9> \t\rText", kTags, R"(BEGIN "Text" END)"},
      {"text after a header tag at the end", u"<e9>def", kTags, "BEGIN E53:e END"},
      {"version $", u"<v$>", kTags, "BEGIN E30:v END"},
      {"version cut by a line end", u"<v\rX", kTags, R"(BEGIN E13:v "X" END)"},
      {"encoding without a digit", u"<eQ>", kTags, "BEGIN E2:Q END"},
      {"quotes", u"\"Hi,\" it's (\"x\") 'a' [\"b\"]", kQuotes,
       R"(BEGIN "\u{201C}Hi,\u{201D} it\u{2019}s (\u{201C}x\u{201D}) \u{2018}a\u{2019} [\u{201C}b\u{201D}]" END)"},
      {"double quote after an opening single quote", u"'\"x", kQuotes, R"(BEGIN "\u{2018}\u{201C}x" END)"},
      {"dashes", u"a--b-c-", kQuotes, R"(BEGIN "a\u{2014}b-c-" END)"},
      {"quotes left alone", u"\"a\"--", kTags, R"(BEGIN ""a"--" END)"},
  };
  for (const ScanCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.events, ScanEvents(c.input, c.options));
  }
}

TEST_F(KestoScannerTest, ControlCharactersMapThroughTheTable) {
  auto mapped = [](char16_t c) -> std::u16string {
    switch (c) {
      case 0x07:
        return u"\n";
      case 0x09:
        return u"\t";
      case 0x0F:
        return u"\u2008";
      case 0x10:
        return u"\u2005";
      case 0x1D:
        return u"\u200B";
      case 0x1E:
        return u"\x07";
      case 0x1F:
        return u"\u00AD";
      default:
        return u"";
    }
  };
  for (char16_t c = 0; c < 0x20; ++c) {
    // Line ends and the two breaks have tests of their own.
    if (c >= 0x0A && c <= 0x0D) continue;
    SCOPED_TRACE(static_cast<int>(c));
    // Two characters first: a zero byte among the first two would make the source detect UTF-16.
    auto source = MemorySource::FromText(std::u16string(u"aa") + c + u"b");
    KestoScanner scanner;
    RecordingAgent agent;
    EXPECT_EQ(0, scanner.Scan(source->Stream(), &agent));
    EXPECT_EQ(Readable(u"aa" + mapped(c) + u"b"), Readable(agent.Text()));
  }
}

TEST_F(KestoScannerTest, BreakCharactersCarryTheirKind) {
  for (auto [input, kind] : {std::pair{u"a\vb", 1}, std::pair{u"a\fb", 3}}) {
    auto source = MemorySource::FromText(input);
    KestoScanner scanner;
    RecordingAgent agent;
    scanner.Scan(source->Stream(), &agent);
    EXPECT_EQ(kind, scanner.GetBreakKind());
  }
}

TEST_F(KestoScannerTest, LongParagraphArrivesInBlocksWithOneParagraphEnd) {
  std::u16string paragraph(3000, u'w');
  paragraph[1500] = u'\uE000';  // one character through the slow path
  auto source = MemorySource::FromText(paragraph + u"\rnext");
  KestoScanner scanner;
  RecordingAgent agent;
  ASSERT_EQ(0, scanner.Scan(source->Stream(), &agent));
  EXPECT_EQ((std::vector<int32_t>{1023, 1023, 955, 4}), agent.chunks);
  EXPECT_EQ(paragraph + u"\rnext", agent.Text());
  std::string events = agent.Events();
  EXPECT_EQ(events.find("EOP"), events.rfind("EOP"));
  EXPECT_NE(std::string::npos, events.find("\\r\" EOP"));
}

TEST_F(KestoScannerTest, SurrogatePairIsNeverSplitBetweenBlocks) {
  std::u16string text(1022, u'a');
  text += u"\U0001F600z";
  auto source = MemorySource::FromText(text);
  KestoScanner scanner;
  RecordingAgent agent;
  ASSERT_EQ(0, scanner.Scan(source->Stream(), &agent));
  EXPECT_EQ((std::vector<int32_t>{1024, 1}), agent.chunks);
  EXPECT_EQ(text, agent.Text());
}

// Plain text is copied several characters at a time: a character that needs attention must stop the copy
// wherever it falls among them, and one that needs none must not.
TEST_F(KestoScannerTest, CharactersThatNeedAttentionAreFoundAnywhereInPlainText) {
  struct Case {
    std::u16string inserted;
    uint32_t options;
    std::u16string expected;
  };
  const Case cases[] = {
      {u"\t", kTags, u"\t"},
      {u"\u00E9\u07FF\uD7FF", kTags, u"\u00E9\u07FF\uD7FF"},
      {u"<B>", kTags, u""},
      {u"<B>", 0, u"<B>"},
      {u"'", kQuotes, u"\u2019"},
      {u"\"", kQuotes, u"\u201D"},
      {u"--", kQuotes, u"\u2014"},
      {u"'\"--", kTags, u"'\"--"},
      {u"\U0001F600", kTags, u"\U0001F600"},
      {u"\uE000", kTags, u"\uE000"},
      {u"\uFFFE", kTags, u""},
      {u"\x7F", kTags, u"\x7F"},
      {u"@", kTags, u"@"},
      {u"\r@$:", kTags, u"\r"},
      {u"\x01", kKeep, u"\x01"},
  };
  const std::u16string plain = u"abcdefghijklmnopqrstuvwxyz";
  for (const Case& c : cases) {
    for (size_t at = 1; at <= 20; ++at) {
      SCOPED_TRACE(Readable(c.inserted) + " at " + std::to_string(at));
      auto source = MemorySource::FromText(plain.substr(0, at) + c.inserted + plain.substr(at));
      KestoScanner scanner;
      scanner.SetOptions(c.options);
      RecordingAgent agent;
      ASSERT_EQ(0, scanner.Scan(source->Stream(), &agent));
      EXPECT_EQ(Readable(plain.substr(0, at) + c.expected + plain.substr(at)), Readable(agent.Text()));
    }
  }
}

TEST_F(KestoScannerTest, AgentAnswerEndsTheScan) {
  struct Row {
    const char* name;
    std::u16string input;
    int32_t RecordingAgent::*answer;
    std::string events;
  } rows[] = {
      {"insert-text", u"ab<Q>cd", &RecordingAgent::insertTextAnswer, R"(BEGIN "ab")"},
      {"report-error", u"a<Q>b", &RecordingAgent::reportErrorAnswer, R"(BEGIN "a" E2:Q)"},
      {"end-of-paragraph", u"a\rb", &RecordingAgent::endOfParagraphAnswer, R"(BEGIN "a\r" EOP)"},
      {"begin-import", u"ab", &RecordingAgent::beginImportAnswer, "BEGIN"},
      {"end-import", u"ab", &RecordingAgent::endImportAnswer, R"(BEGIN "ab" END)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto source = MemorySource::FromText(row.input);
    KestoScanner scanner;
    RecordingAgent agent;
    agent.*row.answer = -128;
    EXPECT_EQ(-128, scanner.Scan(source->Stream(), &agent));
    EXPECT_EQ(row.events, agent.Events());
    EXPECT_EQ(ScanToken::kBegin, scanner.GetToken());
    EXPECT_EQ(nullptr, scanner.GetSource());
  }
}

TEST_F(KestoScannerTest, MissingSourceOrAgent) {
  KestoScanner scanner;
  RecordingAgent agent;
  EXPECT_EQ(0, scanner.Scan(nullptr, &agent));
  EXPECT_EQ("BEGIN END", agent.Events());
  auto source = MemorySource::FromText(u"text<Q>");
  EXPECT_EQ(0, scanner.Scan(source->Stream(), nullptr));
}

TEST_F(KestoScannerTest, ResetAllowsAnotherScan) {
  KestoScanner scanner;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    auto source = MemorySource::FromText(u"a<Q");
    RecordingAgent agent;
    EXPECT_EQ(0, scanner.Reset());
    EXPECT_EQ(0, scanner.Scan(source->Stream(), &agent));
    EXPECT_EQ(R"(BEGIN "a" E2:Q E12 END)", agent.Events());
  }
}

TEST_F(KestoScannerTest, VersionTag) {
  struct Row {
    std::u16string input;
    double version;
  } rows[] = {
      {u"<v7.00>", 7.0}, {u"<v6.5>", 6.5}, {u"<v>", 0.0}, {u"<v20000>", 10000.0}, {u"<v(3+1)>", 4.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    auto source = MemorySource::FromText(row.input);
    KestoScanner scanner;
    RecordingAgent agent;
    scanner.Scan(source->Stream(), &agent);
    EXPECT_EQ(row.version, scanner.GetVersion());
    EXPECT_EQ("BEGIN END", agent.Events());
  }
}

TEST_F(KestoScannerTest, EncodingTagRedecodesTheRestOfTheInput) {
  struct Row {
    const char* name;
    std::string bytes;
    StreamEncoding encoding;
    std::u16string text;
    int32_t platform;
  } rows[] = {
      {"Mac Roman from Windows Latin", "<e0>\r\x8E", StreamEncoding::kWindowsLatin, u"\u00E9", 0},
      {"no tag", "\x8E", StreamEncoding::kWindowsLatin, u"\u017D", 1},
      {"same encoding", "<e1>\r\x8E", StreamEncoding::kWindowsLatin, u"\u017D", 1},
      {"after a long first line", std::string(5000, 'a') + "\r<e0>\r\x8E", StreamEncoding::kWindowsLatin,
       std::u16string(5000, u'a') + u"\r\u00E9", 0},
      {"text before the tag stays", "x\x8E<e0>y\ry\x8E", StreamEncoding::kWindowsLatin, u"x\u017Dy\u00E9", 0},
      {"mark fixes UTF-8", "\xEF\xBB\xBF<e1>\r\xC3\xA9", StreamEncoding::kUnspecified, u"\u00E9", 1},
      {"UTF-16 is not re-decoded",
       std::string("<\0e\0"
                   "0\0>\0\r\0\xC4\0",
                   12),
       StreamEncoding::kUnspecified, u"\u00C4", 0},
      {"other digits", "<e5>\r\x8E", StreamEncoding::kWindowsLatin, u"\u008E", 5},
      {"far into the input", std::string(200000, 'a') + "\r<e0>\r\x8E", StreamEncoding::kWindowsLatin,
       std::u16string(200000, u'a') + u"\r\u00E9", 0},
      {"many switches", Repeated("<e0>\r\x8E<e1>\r\x8E", 3000), StreamEncoding::kWindowsLatin,
       Repeated(u"\u00E9\u017D", 3000), 1},
  };
  // Input that cannot be rewound switches the same way, whatever pieces it arrives in.
  for (size_t piece : {size_t{0}, size_t{1}, size_t{700}}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.name) +
                   (piece ? " through a pipe in pieces of " + std::to_string(piece) : ""));
      std::unique_ptr<MemorySource> memory;
      std::unique_ptr<PipeSource> pipe;
      if (piece == 0)
        memory = std::make_unique<MemorySource>(row.bytes, row.encoding);
      else
        pipe = std::make_unique<PipeSource>(row.bytes, row.encoding, piece);
      KestoScanner scanner;
      RecordingAgent agent;
      ASSERT_EQ(0, scanner.Scan(memory ? memory->Stream() : pipe->Stream(), &agent));
      EXPECT_EQ(Readable(row.text), Readable(agent.Text()));
      EXPECT_EQ(row.platform, scanner.GetNumericCodePlatform());
    }
  }
}

TEST_F(KestoScannerTest, PositionIsTheByteBeforeTheTag) {
  auto source = MemorySource::FromText(u"abc<Q>");
  KestoScanner scanner;
  RecordingAgent agent;
  scanner.Scan(source->Stream(), &agent);
  EXPECT_EQ(3, scanner.GetPosition());
}

}  // namespace
}  // namespace kesto
