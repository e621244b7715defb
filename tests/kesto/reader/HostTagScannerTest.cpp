// The host-dialect scanner: what it hands its agent for each construct (headers, styles, character codes,
// escapes, attribute tags, tables, options), its errors, its keyword list, and the manager state styles and
// attribute tags leave.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/app/DocumentList.h"
#include "host/text/AttributeClasses.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/reader/HostTagKeywords.h"
#include "kesto/reader/HostTagScanner.h"
#include "kesto/reader/HostTagScannerAgent.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

using testing_reader::MemorySource;
using testing_reader::Readable;

// Logs every call: "text", EOP, E<code>:<tag>, P and C (styles), A (attributes), TS TE RS RE CS CE.
class HostRecordingAgent final : public CTagScannerAgent {
 public:
  KestoResult EndOfParagraph(VyTextAttributeMgr*) override { return Log("EOP"); }
  KestoResult ParagraphStyleApplied(VyTextAttributeMgr*) override { return Log("P"); }
  KestoResult CharacterStyleApplied(VyTextAttributeMgr*) override { return Log("C"); }
  KestoResult CharacterAttributesChanged(VyTextAttributeMgr*) override { return Log("A"); }
  KestoResult ReportError(int32_t code, std::u16string_view tag, int32_t) override {
    return Log("E" + std::to_string(code) + ":" + Readable(tag), reportAnswer);
  }
  KestoResult InsertText(const char16_t* units, int32_t count) override {
    return Log("\"" + Readable({units, static_cast<size_t>(count)}) + "\"");
  }
  KestoResult TableStart() override { return Log("TS"); }
  KestoResult TableEnd() override { return Log("TE"); }
  KestoResult RowStart() override { return Log("RS"); }
  KestoResult RowEnd() override { return Log("RE"); }
  KestoResult CellStart() override { return Log("CS", cellStartAnswer); }
  KestoResult CellEnd() override { return Log("CE"); }

  std::string events;
  int32_t reportAnswer = 0;
  int32_t cellStartAnswer = 0;

 private:
  int32_t Log(const std::string& entry, int32_t answer = 0) {
    events += (events.empty() ? "" : " ") + entry;
    return answer;
  }
};

struct Scanned {
  std::string events;
  int32_t result;
};

Scanned Scan(std::string bytes, uint32_t options = CTaggedTextScanner::kInterpretTags,
             StreamEncoding encoding = StreamEncoding::kUtf8) {
  MemorySource source(std::move(bytes), encoding);
  HostTagScanner scanner;
  scanner.SetOptions(options);
  HostRecordingAgent agent;
  agent.reportAnswer = 0;
  int32_t result = scanner.Scan(source.Stream(), &agent);
  return {agent.events, result};
}

class HostTagScannerTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureHost(); }
};

TEST_F(HostTagScannerTest, HandsEachConstructToTheAgent) {
  const std::pair<std::string, std::string> rows[] = {
      {"a\rb", "\"a\\r\" EOP \"b\""},
      {"a\\<b\\>c\\\\", "\"a<b>c\\\""},
      {"<0x00E9><0x263a><0x1F600>", "\"\\u{00E9}\\u{263A}\\u{D83D}\\u{DE00}\""},
      {"a<0x110000><0xD800><0x0007><0x0009>b", "\"a\\x07\\tb\""},
      {"<0xZZ>x", "E1:0xZZ \"x\""},
      {"<0x123456789>x", "E1:0x123456789 \"x\""},
      {"<Foo:bar>x", "E2:Foo \"x\""},
      {"<>x", "E2: \"x\""},
      {"<ASCII-WIN>\r\n\r\nabc", "\"abc\""},
      {"x<ASCII-WIN>y", "\"x\" E1:ASCII-WIN \"y\""},
      {"<UNICODE-WIN:x>y", "E1:UNICODE-WIN \"y\""},
      {"<ANSI-WIN><ANSI-MAC>", "E1:ANSI-MAC"},
      {"<ASCII-WIN>\r\n<Version:5>\r\n<ColorTable:=<Black:COLOR:CMYK:Process:0,0,0,1>>\r\nx", "\"x\""},
      {"<ParaStyle:>a<pstyle:>\r<CharStyle:>b<cstyle:X>", "P \"a\" P \"\\r\" EOP C \"b\" C"},
      {"<TableStart:1,1><RowStart:><CellStart:1,1>a<CellEnd:><RowEnd:><TableEnd:>",
       "TS RS CS \"a\" CE RE TE"},
      {"<clStart:>a<clStart:>b<clEnd:>c<clEnd:>d", "CS \"a\" CS \"b\" CE \"c\" CE \"d\""},
      {"<DefineParaStyle:Body=<cSize:12>><BasedOn:x><ColStart:>z", "\"z\""},
      {"a<b c>", "\"a<b\" E46:b \" c>\""},
      {"a<" + std::string(57, 'n') + ">",
       "\"a<" + std::string(56, 'n') + "\" E2:" + std::string(56, 'n') + " \"n>\""},
      {"a<abc", "\"a<abc\" E12:abc"},
      {"<cSize:14>a<cSize:>b<cs>", "A \"a\" A \"b\" A"},
      {"<cSize:0>a<cSize:x>b<cLeading:+-1>", "A E10:cSize \"a\" A E1:cSize \"b\" A E1:cLeading"},
      {"a\x01"
       "b\x07"
       "c\x0B"
       "d",
       "\"ab\\nc\\r\" EOP \"d\""},
  };
  for (const auto& [input, events] : rows) {
    SCOPED_TRACE(input);
    Scanned scanned = Scan(input);
    EXPECT_EQ(scanned.events, events);
    EXPECT_EQ(scanned.result, 0);
  }
}

TEST_F(HostTagScannerTest, OptionsChangeTagsQuotesAndControls) {
  using S = CTaggedTextScanner;
  const struct {
    uint32_t options;
    std::string input;
    std::string events;
  } rows[] = {
      {0, "<cSize:14>a\\b", "\"<cSize:14>ab\""},
      {S::kInterpretTags | S::kConvertQuotes, " \"quoted\" 'x' a--b c-d",
       "\" \\u{201C}quoted\\u{201D} \\u{2018}x\\u{2019} a\\u{2014}b c-d\""},
      {S::kInterpretTags, "\"q\" a--b", "\"\"q\" a--b\""},
      {S::kInterpretTags | S::kKeepControlCharacters,
       "a\x01"
       "b\x07",
       "\"a\\x01b\\x07\""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    EXPECT_EQ(Scan(row.input, row.options).events, row.events);
  }
}

TEST_F(HostTagScannerTest, AgentAnswersEndTheScan) {
  MemorySource source("<Foo:x>a<clStart:>b<clEnd:>c", StreamEncoding::kUtf8);
  HostTagScanner scanner;
  HostRecordingAgent agent;
  agent.reportAnswer = 7;
  EXPECT_EQ(scanner.Scan(source.Stream(), &agent), 7);
  EXPECT_EQ(agent.events, "E2:Foo");
  MemorySource second("a<clStart:>b<clEnd:>c", StreamEncoding::kUtf8);
  HostRecordingAgent refusing;
  refusing.cellStartAnswer = 9;
  EXPECT_EQ(scanner.Scan(second.Stream(), &refusing), 9);
  EXPECT_EQ(refusing.events, "\"a\" CS");
}

TEST_F(HostTagScannerTest, HeadersSwitchAnEightBitSource) {
  const struct {
    std::string bytes;
    StreamEncoding encoding;
    std::string events;
  } rows[] = {
      {"<ASCII-MAC>\r\n\x8E", StreamEncoding::kWindowsLatin, "\"\\u{00E9}\""},
      {"<ANSI-WIN>\r\n\xE9", StreamEncoding::kMacRoman, "\"\\u{00E9}\""},
      {"\xE9<ASCII-MAC>\x8E", StreamEncoding::kWindowsLatin, "\"\\u{00E9}\" E1:ASCII-MAC \"\\u{017D}\""},
      {"\xEF\xBB\xBF<ASCII-MAC>\r\n\xC3\xA9", StreamEncoding::kWindowsLatin, "\"\\u{00E9}\""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bytes);
    EXPECT_EQ(Scan(row.bytes, CTaggedTextScanner::kInterpretTags, row.encoding).events, row.events);
  }
}

TEST_F(HostTagScannerTest, UnknownNamesAreRememberedWithCodeZero) {
  EXPECT_FALSE(HostTagKeywords::Find(u"Quux").has_value());
  Scan("<Quux:1>");
  EXPECT_EQ(HostTagKeywords::Find(u"Quux"), 0);
  EXPECT_EQ(HostTagKeywords::Find(u"ParaStyle"), 14);
  EXPECT_EQ(HostTagKeywords::Find(u"ASCII-MAC"), 1);
  EXPECT_EQ(HostTagKeywords::Find(u"cs"), static_cast<int32_t>(kTextAttrPointSize.Get()));
  EXPECT_FALSE(HostTagKeywords::Find(u"parastyle").has_value());
  // A later entry of the same name is found first.
  HostTagKeywords::Add(u"Quux", 14);
  EXPECT_EQ(Scan("<Quux:>x").events, "P \"x\"");
}

class HostTagScannerDocumentTest : public HostTagScannerTest {
 protected:
  void SetUp() override {
    HostTagScannerTest::SetUp();
    db_ = DocumentList::Get().NewDocument();
    ASSERT_NE(db_, nullptr);
  }
  void TearDown() override { DocumentList::Get().CloseDocument(db_); }
  UID MakeStyle(StyleKind kind, std::u16string_view name) {
    TextCmdUtils::StyleFields fields;
    fields.kind = kind;
    fields.name = WideString(name);
    UID style;
    EXPECT_EQ(TextCmdUtils::CreateStyle(db_, fields, style), kSuccess);
    return style;
  }
  // Scans `text` and leaves the managers' state in `scanner_`.
  std::string ScanInto(std::string text) {
    MemorySource source(std::move(text), StreamEncoding::kUtf8);
    scanner_ = std::make_unique<HostTagScanner>();
    scanner_->SetDocument(db_);
    HostRecordingAgent agent;
    scanner_->Scan(source.Stream(), &agent);
    return agent.events;
  }
  IDataBase* db_ = nullptr;
  std::unique_ptr<HostTagScanner> scanner_;
};

TEST_F(HostTagScannerDocumentTest, StyleTagsApplyStylesByName) {
  const std::pair<std::u16string_view, std::string> rows[] = {
      {u"Heads:Sub", "<ParaStyle:Heads\\:Sub>"},
      {u"A:B", "<ParaStyle:A\\\\\\:B>"},  // as the writer spells a colon
      {u"G\uE00BA:B\\C", "<ParaStyle:G:A\\\\\\:B\\\\C>"},
      {u"Group\uE00BName", "<ParaStyle:Group:Name>"},
      {u"Body", "<pstyle:Body>"},
  };
  for (const auto& [name, text] : rows) {
    SCOPED_TRACE(text);
    UID style = MakeStyle(StyleKind::kParagraph, name);
    ScanInto(text);
    EXPECT_EQ(scanner_->P().GetStyle(), style);
    ScanInto(text + "<ParaStyle:>");
    EXPECT_EQ(scanner_->P().GetStyle(), StyleUtils::GetRootStyle(db_, StyleKind::kParagraph));
  }
  UID emphasis = MakeStyle(StyleKind::kCharacter, u"Emphasis");
  ScanInto("<CharStyle:Emphasis>");
  EXPECT_EQ(scanner_->C().GetStyle(), emphasis);
}

TEST_F(HostTagScannerDocumentTest, AttributeTagsSetTheManagers) {
  EXPECT_EQ(ScanInto("<cSize:14><cColor:Black><pLeftIndent:9><cu:1><cu:>"), "A A A A A");
  double size = 0, indent = 0;
  UID color;
  bool underline = false;
  EXPECT_TRUE(scanner_->C().GetReal(kTextAttrPointSize, size));
  EXPECT_EQ(size, 14);
  EXPECT_TRUE(scanner_->C().GetUID(kTextAttrFillColor, color));
  EXPECT_TRUE(color.IsValid());
  EXPECT_TRUE(scanner_->P().GetReal(kTextAttrLeftIndent, indent));
  EXPECT_EQ(indent, 9);
  EXPECT_FALSE(scanner_->C().HasOverride(kTextAttrUnderline));
  EXPECT_FALSE(scanner_->C().GetBool(kTextAttrUnderline, underline) && underline);
  EXPECT_EQ(ScanInto("<cColor:Nobody>"), "A E1:cColor");
}

TEST_F(HostTagScannerTest, TheRecordingAgentNotesWhatEmbeddedTextHolds) {
  const struct {
    std::string input;
    bool textFirst, paragraphTag, attributeTag;
  } rows[] = {
      {"plain", true, false, false},         {"<ParaStyle:X>a", false, true, false},
      {"a<ParaStyle:X>", true, true, false}, {"<clStart:><ParaStyle:X>a<clEnd:>b", true, false, false},
      {"<cSize:12>", false, false, true},    {"<clStart:><cs:9><clEnd:>", false, false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    MemorySource source(row.input, StreamEncoding::kUtf8);
    HostTagScanner scanner;
    HostTagScannerAgent agent;
    EXPECT_EQ(scanner.Scan(source.Stream(), &agent), 0);
    EXPECT_EQ(agent.HasTextFirst(), row.textFirst);
    EXPECT_EQ(agent.HasParagraphTag(), row.paragraphTag);
    EXPECT_EQ(agent.HasAttributeTag(), row.attributeTag);
    EXPECT_EQ(agent.GetDepth(), 0);
  }
}

}  // namespace
}  // namespace kesto
