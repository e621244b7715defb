// The parameter readers on their own: what each reads, what it leaves unread, and what it answers.
#include "kesto/reader/TagParameterReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ScannerErrors.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

using testing_reader::MemorySource;
using testing_reader::Readable;

// A scanner in a tag group, reading `input` as the characters after the tag's letters.
class ReaderHarness {
 public:
  explicit ReaderHarness(std::u16string_view input) : source_(MemorySource::FromText(input)) {
    scanner_.GetInput().Attach(source_->Stream());
    scanner_.SetLexMode(LexMode::kTag);
  }
  KestoScanner& Scanner() { return scanner_; }
  TagParameterReader& Params() { return scanner_.Params(); }
  // What the reader left unread.
  std::string Rest() {
    std::u16string rest;
    for (int32_t c; (c = scanner_.NextChar()) >= 0;)
      rest += static_cast<char16_t>(c);
    return Readable(rest);
  }

 private:
  std::unique_ptr<MemorySource> source_;
  KestoScanner scanner_;
};

class TagParameterReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureHost(); }
};

TEST_F(TagParameterReaderTest, StringParameter) {
  struct Row {
    std::u16string input;
    int32_t result;
    std::u16string text;
    std::u16string marked;
    bool quoted;
    std::string rest;
    bool groupEnded;
  } rows[] = {
      {u"\"abc\" x", 0, u"abc", u"abc", true, " x", false},
      {u"  \u201Cab c\"rest", 0, u"ab c", u"ab c", true, "rest", false},
      {u"\u201Dab\u201C>", 0, u"ab", u"ab", true, ">", false},
      {u"Abc", 0, u"A", u"A", false, "bc", false},
      {u"$>", TagParameterReader::kDefault, u"", u"", false, ">", false},
      {u">x", 0, u"", u"", false, "x", true},
      {u"\rx", kScanUnexpectedEndOfLine, u"", u"", false, "\\rx", true},
      {u"", kScanUnexpectedEndOfInput, u"", u"", false, "", false},
      {u"\"ab\rc", kScanUnexpectedEndOfLine, u"ab", u"ab", true, "\\rc", true},
      {u"\"ab", kScanUnexpectedEndOfInput, u"ab", u"ab", true, "", false},
      {u"\"a|b\"", 0, u"a|b", u"a\uE00Bb", true, "", false},
      {u"\"a\\|b\"", 0, u"a|b", u"a|b", true, "", false},
      {u"|", 0, u"|", u"\uE00B", false, "", false},
      {u"\\|", 0, u"|", u"|", false, "", false},
      {u"\"a\x01\tb\"", 0, u"ab", u"ab", true, "", false},
      {u"\"\\\"\\#233\\#U+263A\"", 0, u"\"\u00E9\u263A", u"\"\u00E9\u263A", true, "", false},
      {u"\\\rx", 0, u"", u"", false, "\\rx", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    ReaderHarness harness(row.input);
    EXPECT_EQ(row.result, harness.Params().ReadString());
    EXPECT_EQ(Readable(row.text), Readable(harness.Params().GetText()));
    EXPECT_EQ(Readable(row.marked), Readable(harness.Params().GetMarkedText()));
    EXPECT_EQ(row.quoted, harness.Params().IsQuoted());
    EXPECT_EQ(row.groupEnded, harness.Scanner().GetLexMode() == LexMode::kText);
    EXPECT_EQ(row.rest, harness.Rest());
  }
}

TEST_F(TagParameterReaderTest, StringTooLongIsReadToItsEnd) {
  std::u16string input = u"\"" + std::u16string(TagParameterReader::kMaxTextUnits + 10, u'n') + u"\">";
  ReaderHarness harness(input);
  EXPECT_EQ(kScanStringTooLong, harness.Params().ReadString());
  EXPECT_EQ(">", harness.Rest());
}

TEST_F(TagParameterReaderTest, RawParameter) {
  struct Row {
    std::u16string input;
    int32_t stop;
    std::u16string text;
    std::u16string marked;
    std::string rest;
  } rows[] = {
      {u"Body:rest", ':', u"Body", u"Body", "rest"}, {u"a\\:b=c", '=', u"a:b", u"a:b", "c"},
      {u"a\u0001b\rz", '\r', u"ab", u"ab", "z"},     {u"abc", -1, u"abc", u"abc", ""},
      {u"a|b:", ':', u"a|b", u"a\uE00Bb", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    ReaderHarness harness(row.input);
    EXPECT_EQ(row.stop, harness.Params().ReadRaw(U":=\r"));
    EXPECT_EQ(Readable(row.text), Readable(harness.Params().GetText()));
    EXPECT_EQ(Readable(row.marked), Readable(harness.Params().GetMarkedText()));
    EXPECT_EQ(row.rest, harness.Rest());
  }
}

TEST_F(TagParameterReaderTest, NumberParameter) {
  constexpr uint32_t kRel = kNumberRelative | kNumberDefaultAllowed;
  struct Row {
    std::u16string input;
    uint32_t flags;
    double minimum, maximum, start;
    int32_t result;
    double value;
    std::string rest;
  } rows[] = {
      {u"12>", 0, 2, 720, 0, 0, 12, ">"},
      {u" (12pt+2mm)>", 0, 2, 720, 0, 0, 12 + 2 * 2.834645669291339, ">"},
      {u"(2+3*2)>", 0, 2, 720, 0, 0, 10, ">"},
      {u"( 1 +  2 )", 0, 0, 10, 0, 0, 3, ""},
      {u"(.+2)>", kRel, 2, 720, 10, 0, 12, ">"},
      {u".+2>", kRel, 2, 720, 10, 0, 12, ">"},
      {u"(1p6)", 0, 2, 720, 0, 0, 18, ""},
      {u"(1\")", 0, 2, 720, 0, 0, 72, ""},
      {u"1\">", 0, 0, 720, 0, 0, 1, "\">"},
      {u">", 0, 2, 720, 9, 0, 2, ""},
      {u"-5)", kNumberPlain, -10, 10, 0, 0, -5, ")"},
      {u"5-3", kNumberPlain, -10, 10, 0, 0, 5, "-3"},
      {u"$>", 0, 2, 720, 9, kScanNoDefaultValue, 9, ">"},
      {u"$>", kRel, 2, 720, 9, kNumberDefault, 9, ">"},
      {u"(50%)", kNumberPercentage, 0, 1, 0, 0, 0.5, ""},
      {u"50>", kNumberPercentage, 0, 1, 0, 0, 0.5, ">"},
      {u"1000", kNumberChecked, 0, 100, 7, kScanValueOutOfRange, 7, ""},
      {u"1000", 0, 0, 100, 7, 0, 100, ""},
      {u"(12xy)", 0, 0, 100, 7, kScanMalformedNumber, 7, ""},
      {u"\r", 0, 0, 100, 7, kScanUnexpectedEndOfLine, 7, "\\r"},
      {u"", 0, 0, 100, 7, kScanUnexpectedEndOfInput, 7, ""},
      {u"(12\rx", 0, 0, 100, 7, kScanUnexpectedEndOfLine, 7, "\\rx"},
      {u"(12", 0, 0, 100, 7, kScanUnexpectedEndOfInput, 7, ""},
      {u"(" + std::u16string(300, u'1') + u")>", 0, 0, 100, 7, kScanNumberTooLong, 7, ">"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    ReaderHarness harness(row.input);
    double value = row.start;
    EXPECT_EQ(row.result, harness.Params().ReadNumber(value, row.flags, row.minimum, row.maximum));
    EXPECT_NEAR(row.value, value, 1e-9);
    EXPECT_EQ(row.rest, harness.Rest());
  }
}

TEST_F(TagParameterReaderTest, IntegerParameterIsPlainAndAlwaysClamped) {
  struct Row {
    std::u16string input;
    uint32_t flags;
    int32_t start;
    int32_t result;
    int32_t value;
  } rows[] = {
      {u"2.7", 0, 0, 0, 2},
      {u"(.+1)", kNumberRelative, 3, 0, 4},
      {u"500", kNumberChecked, 0, 0, 21},
      {u"(2pt)", 0, 5, kScanMalformedNumber, 5},
      {u"$", kNumberDefaultAllowed, 5, kNumberDefault, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    ReaderHarness harness(row.input);
    int32_t value = row.start;
    EXPECT_EQ(row.result, harness.Params().ReadInteger(value, row.flags, 0, 21));
    EXPECT_EQ(row.value, value);
  }
}

// Writes every piece as "B", "E", "S:text", "i:text" or "i.j:text" (quoted pieces in brackets), and can
// fail an element whose text is "bad".
class RecordingListHandler : public ListHandler {
 public:
  explicit RecordingListHandler(KestoScanner& scanner) : scanner_(scanner) {}
  void Element(int32_t element, int32_t item) override {
    std::string entry;
    if (element == kBegin) {
      entry = "B";
    } else if (element == kEnd) {
      entry = "E";
    } else {
      const TagParameterReader& params = scanner_.Params();
      std::string text = Readable(params.GetText());
      if (params.IsQuoted()) text = "[" + text + "]";
      entry = element == kSingle ? "S" : std::to_string(element);
      if (item != kNoItem) entry += "." + std::to_string(item);
      entry += ":" + text;
      if (params.GetText() == u"bad") scanner_.SetErrorIfNone(kScanValueOutOfRange);
    }
    log += (log.empty() ? "" : " ") + entry;
  }
  std::string log;

 private:
  KestoScanner& scanner_;
};

TEST_F(TagParameterReaderTest, ListParameter) {
  struct Row {
    std::u16string input;
    ListSyntax syntax;
    std::string log;
    int32_t error;
    int32_t paramIndex;
    std::string rest;
  } rows[] = {
      {u"(1,,2)>", {}, "B 0:1 2:2 E", 0, 3, ">"},
      {u"( a b  c , \"x,y\" ,\"\")", {}, "B 0:a b c 1:[x,y] 2:[] E", 0, 3, ""},
      {u"(a,(1, 2),b)", {}, "B 0:a 1.0:1 1.1:2 2:b E", 0, 3, ""},
      {u"(a,(,\"\"))", {}, "B 0:a 1.1:[] E", 0, 2, ""},
      {u"12.5>", {}, "B S:12.5 E", 0, 0, ">"},
      {u"A>", {}, "B S:A E", 0, 0, ">"},
      {u"$>", {}, "B S:$ E", 0, 0, ">"},
      {u">x", {}, "B E", kScanMalformedTag, 0, "x"},
      {u"\rx", {}, "B E", kScanUnexpectedEndOfLine, 0, "\\rx"},
      {u"", {}, "B E", kScanUnexpectedEndOfInput, 0, ""},
      {u"(a,b>c)", {}, "B 0:a E", kScanMalformedTag, 2, "c)"},
      {u"(a,b", {}, "B 0:a E", kScanUnexpectedEndOfInput, 2, ""},
      {u"(a\rx", {}, "B E", kScanUnexpectedEndOfLine, 1, "\\rx"},
      {u"(a,(1>", {}, "B 0:a E", kScanMalformedTag, 2, ""},
      {u"(\"a\rb\")", {}, "B E", kScanUnexpectedEndOfLine, 1, "\\rb\")"},
      {u"(1,2,bad,4)>", {}, "B 0:1 1:2 2:bad 3:4 E", kScanValueOutOfRange, 3, ">"},
      {u"(a\\,b)", {}, "B 0:a,b E", 0, 1, ""},
      {u"[a;b]", {'[', ']', ';'}, "B 0:a 1:b E", 0, 2, ""},
      {u"(x,ABCD,\" te>xt \" ,y)>", {'(', ')', ',', true, 2}, "B 0:x 1:ABCD 2:\" te>xt \"  3:y E", 0, 4, ">"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    ReaderHarness harness(row.input);
    RecordingListHandler handler(harness.Scanner());
    EXPECT_EQ(row.error == 0, harness.Params().ReadList(handler, row.syntax));
    EXPECT_EQ(row.log, handler.log);
    EXPECT_EQ(row.error, harness.Scanner().GetError());
    EXPECT_EQ(row.paramIndex, harness.Scanner().GetParamIndex());
    EXPECT_EQ(row.rest, harness.Rest());
  }
}

TEST_F(TagParameterReaderTest, ListElementTooLong) {
  std::u16string input = u"(a," + std::u16string(TagParameterReader::kMaxTextUnits + 1, u'n') + u",b)>";
  ReaderHarness harness(input);
  RecordingListHandler handler(harness.Scanner());
  EXPECT_FALSE(harness.Params().ReadList(handler));
  EXPECT_EQ("B 0:a 2:b E", handler.log);
  EXPECT_EQ(kScanListElementTooLong, harness.Scanner().GetError());
  EXPECT_EQ(">", harness.Rest());
}

TEST_F(TagParameterReaderTest, SingleLetter) {
  struct Row {
    std::u16string text;
    char16_t letter;
    bool ignoreCase;
    bool expected;
  } rows[] = {
      {u"a", u'a', false, true},          {u"a", u'A', false, false}, {u"a", u'A', true, true},
      {u"\u00E9", u'\u00C9', true, true}, {u"ab", u'a', true, false}, {u"", u'a', true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.text));
    ReaderHarness harness(u"\"" + row.text + u"\"");
    ASSERT_EQ(0, harness.Params().ReadString());
    EXPECT_EQ(row.expected, harness.Params().IsSingleLetter(row.letter, row.ignoreCase));
  }
}

}  // namespace
}  // namespace kesto
