// The host's importer of its tagged-text dialect: encodings and headers, escapes and character codes,
// styles, attribute tags, skipped tags, insertion into a paragraph, undo, and the import provider.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/app/HostTaggedTextImport.h"
#include "host/app/IImportProvider.h"
#include "host/cmd/CmdUtils.h"
#include "host/text/IStyleInfo.h"
#include "host/text/StyleNames.h"
#include "tests/host/text/TextFixture.h"

namespace {

using text_test::TextFixture;

std::span<const uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// UTF-16 bytes of ASCII text, little or big end first.
std::string Utf16(std::string_view ascii, bool little) {
  std::string bytes;
  for (char c : ascii) {
    bytes += little ? c : '\0';
    bytes += little ? '\0' : c;
  }
  return bytes;
}

class HostTaggedTextImportTest : public TextFixture {
 protected:
  ErrorCode Import(std::string_view bytes, int32_t at = 0, HostTaggedTextOptions options = {}) {
    return ImportHostTaggedText(db_, story_.GetUID(), at, Bytes(bytes), options, &report_);
  }
  // The style's name, "*" for the root character style and "|" between groups and name.
  std::string StyleName(UID style) const {
    if (style == CharacterRoot()) return "*";
    InterfacePtr<IStyleInfo> info = Instantiate<IStyleInfo>(db_, style);
    WideString name = info ? info->GetName() : u"?";
    std::replace(name.begin(), name.end(), kStyleGroupSeparator, u'|');
    return Utf8FromWide(name);
  }
  // The story as "[paragraph style{overrides}]" before each paragraph and "(character style{overrides}:text)"
  // around text whose character attributes are not the root style's alone.
  std::string Describe() const {
    InterfacePtr<ITextModel> story = Story();
    std::string out;
    int32_t length = story->TotalLength();
    for (int32_t at = 0; at < length;) {
      TextRun paragraph = story->GetRunAt(TextStrand::kParagraph, at);
      out += "[" + StyleName(paragraph.style) + Overrides(paragraph) + "]";
      for (int32_t p = at; p < paragraph.end;) {
        TextRun run = story->GetRunAt(TextStrand::kCharacter, p);
        int32_t end = std::min(run.end, paragraph.end);
        std::string text = Utf8FromWide(story->GetText(p, end));
        bool plain = run.style == CharacterRoot() && run.overrides->IsEmpty();
        out += plain ? text : "(" + StyleName(run.style) + Overrides(run) + ":" + text + ")";
        p = end;
      }
      at = paragraph.end;
    }
    return out;
  }
  // "{name=value,...}" by the classes' names; swatches, fonts ... by their names.
  std::string Overrides(const TextRun& run) const {
    const AttributeBossList& list = *run.overrides;
    if (list.IsEmpty()) return "";
    std::string out = "{";
    for (int32_t i = 0; i < list.CountBosses(); ++i) {
      const AttributeClassInfo* info = AttributeClasses::Find(list.GetClassN(i));
      const ITextAttribute* attribute = list.GetNth(i);
      std::string value = attribute->GetKind() == AttributeKind::kUID
                              ? Utf8FromWide(attribute->WriteTagValue(db_))
                              : attribute->ValueToJson();
      out += (i ? "," : "") + (info ? info->name : "?") + "=" + value;
    }
    return out + "}";
  }
  HostTaggedTextReport report_;
};

TEST_F(HostTaggedTextImportTest, HeadersChooseTheEncoding) {
  const std::pair<std::string, std::string> rows[] = {
      {"<ASCII-WIN>\r\ncaf\xE9", "caf\xC3\xA9"},
      {"<ANSI-WIN>\ncaf\xE9\x80", "caf\xC3\xA9\xE2\x82\xAC"},
      {"<ASCII-MAC>\r\ncaf\x8E", "caf\xC3\xA9"},
      {"<ANSI-MAC>\r\n\xD2x\xD3", "\xE2\x80\x9Cx\xE2\x80\x9D"},
      {"caf\xE9", "caf\xC3\xA9"},
      {"\xEF\xBB\xBF<UNICODE-WIN>\r\ncaf\xC3\xA9", "caf\xC3\xA9"},
      {"\xFF\xFE" + Utf16("<UNICODE-WIN>\r\nab", true), "ab"},
      {Utf16("<UNICODE-WIN>\r\nab", true), "ab"},
      {Utf16("<UNICODE-MAC>\r\nab", false), "ab"},
      {"\xFE\xFF" + Utf16("<UNICODE-MAC>\r\nab", false) + "\x26\x3A", "ab\xE2\x98\xBA"},
      {"x<ASCII-WIN>y", "xy"},
      {"x<ANSI-MAC>\ny", "x\ry"},
  };
  for (const auto& [input, text] : rows) {
    SCOPED_TRACE(text);
    db_->ClearUndo();
    ASSERT_EQ(Import(input), kSuccess);
    InterfacePtr<ITextModel> story = Story();
    EXPECT_EQ(Utf8FromWide(story->GetText(0, story->TotalLength() - 1)), text);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  }
}

TEST_F(HostTaggedTextImportTest, TextSyntax) {
  struct Row {
    std::string input;
    std::string story;
    int32_t skipped = 0;
    int32_t rejected = 0;
  };
  const Row rows[] = {
      {"a\\<b\\>c\\\\d", "[NormalParagraphStyle]a<b>c\\d\r"},
      {"<0x00E9><0x263a><0x1F600>", "[NormalParagraphStyle]\xC3\xA9\xE2\x98\xBA\xF0\x9F\x98\x80\r"},
      {"a<0x110000>b<0xZZ>c<0xD800>", "[NormalParagraphStyle]abc\r", 0, 3},
      {"<0x0009>|<0x0007>|<0x0018>", "[NormalParagraphStyle]\t|\a|\x18\r"},
      {"one\ntwo\r\nthree",
       "[NormalParagraphStyle]one\r[NormalParagraphStyle]two\r[NormalParagraphStyle]three\r"},
      {"<Foo:bar>x<Bar>y", "[NormalParagraphStyle]xy\r", 2},
      {"a < b <c d", "[NormalParagraphStyle]a < b <c d\r"},
      {"<ASCII-WIN>\r\n<Version:5>\r\n<ColorTable:=<Black:COLOR:CMYK:Process:0,0,0,1>>\r\nx",
       "[NormalParagraphStyle]x\r", 2},
      {"<TableStart:2,2><RowStart:><CellStart:1,1>a<CellEnd:><CellStart:1,1>b<CellEnd:><RowEnd:>"
       "<RowStart:><CellStart:1,1>c<CellEnd:><RowEnd:><TableEnd:>",
       "[NormalParagraphStyle]a\tb\r[NormalParagraphStyle]c\r[NormalParagraphStyle]\r"},
      {"<tStart:><rStart:><clStart:>a<clEnd:><rEnd:><tEnd:>z",
       "[NormalParagraphStyle]a\r[NormalParagraphStyle]z\r"},
      {"x<ParaStyle", "[NormalParagraphStyle]x<ParaStyle\r"},
      {"x<cSize:12", "[NormalParagraphStyle]x\r"},
      {"\x01\x02x\xEF\xBF\xBE", "[NormalParagraphStyle]x\xC3\xAF\xC2\xBF\xC2\xBE\r"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    db_->ClearUndo();
    ASSERT_EQ(Import(row.input), kSuccess);
    EXPECT_EQ(Describe(), row.story);
    EXPECT_EQ(report_.skippedTags, row.skipped);
    EXPECT_EQ(report_.rejectedValues, row.rejected);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  }
}

TEST_F(HostTaggedTextImportTest, StyleTagsFindOrMakeStyles) {
  MakeStyle(StyleKind::kParagraph, u"Body");
  MakeStyle(StyleKind::kCharacter, u"Emphasis");
  db_->ClearUndo();
  struct Row {
    std::string input;
    std::string story;
    int32_t created;
  };
  const Row rows[] = {
      {"<ParaStyle:Body>a\r<pstyle:>b", "[Body]a\r[[No paragraph style]]b\r", 0},
      {"<ParaStyle:Heads\\:Sub>a", "[Heads:Sub]a\r", 1},
      {"<ParaStyle:A\\\\\\:B>a", "[A:B]a\r", 1},
      {"<ParaStyle:Group:Name>a\r<ParaStyle:Group\\:Name>b\r",
       "[Group|Name]a\r[Group:Name]b\r[NormalParagraphStyle]\r", 2},
      {"a<CharStyle:Emphasis>b<cstyle:>c<CharStyle:New>d", "[NormalParagraphStyle]a(Emphasis:b)c(New:d)\r",
       1},
      {"<ParaStyle::>a", "[:]a\r", 1},
      {"<ParaStyle:a::b>x", "[NormalParagraphStyle]x\r", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    ASSERT_EQ(Import(row.input), kSuccess);
    EXPECT_EQ(Describe(), row.story);
    EXPECT_EQ(report_.createdStyles, row.created);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  }
  EXPECT_FALSE(StyleUtils::FindStyle(db_, StyleKind::kParagraph, u"Heads:Sub").style.IsValid());
}

TEST_F(HostTaggedTextImportTest, AttributeTagsSetAndRemoveOverrides) {
  struct Row {
    std::string input;
    std::string story;
    int32_t rejected = 0;
  };
  const Row rows[] = {
      {"a<cSize:14>b<cs:>c", "[NormalParagraphStyle]a(*{pointSize=14}:b)c\r"},
      {"<cu:1><cTracking:50>x", "[NormalParagraphStyle](*{tracking=0.05,underline=true}:x)\r"},
      {"<pLeftIndent:12>a\rb\r<pli:>c\r",
       "[NormalParagraphStyle{leftIndent=12}]a\r"
       "[NormalParagraphStyle{leftIndent=12}]b\r[NormalParagraphStyle]c\r"
       "[NormalParagraphStyle]\r"},
      {"<cSize:0>a<cSize:big>b<cColor:Nope>c", "[NormalParagraphStyle]abc\r", 3},
      {"<cColor:Black><cFont:Liberation Sans>a", "[NormalParagraphStyle](*{fillColor=Black,fontFamily=Liberation Sans}:a)\r"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    db_->ClearUndo();
    ASSERT_EQ(Import(row.input), kSuccess);
    EXPECT_EQ(Describe(), row.story);
    EXPECT_EQ(report_.rejectedValues, row.rejected);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  }
}

TEST_F(HostTaggedTextImportTest, InsertionJoinsTheParagraphsAround) {
  UID body = MakeStyle(StyleKind::kParagraph, u"Body");
  MakeStyle(StyleKind::kParagraph, u"Head");
  ASSERT_EQ(TextCmdUtils::InsertText(story_, 0, u"Body"), kSuccess);
  ASSERT_EQ(TextCmdUtils::ApplyParagraphStyle(story_, 0, 0, body), kSuccess);
  db_->ClearUndo();
  struct Row {
    std::string input;
    int32_t at;
    std::string story;
  };
  const Row rows[] = {
      {"xy", 2, "[Body]Boxydy\r"},
      {"x\ry", 2, "[Body]Box\r[Body]ydy\r"},
      {"<ParaStyle:Head>Title\r", 0, "[Head]Title\r[Body]Body\r"},
      {"<ParaStyle:Head>x", 4, "[Head]Bodyx\r"},
      {"a\r<ParaStyle:Head>", 4, "[Body]Bodya\r[Body]\r"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    ASSERT_EQ(Import(row.input, row.at), kSuccess);
    EXPECT_EQ(Describe(), row.story);
    EXPECT_EQ(Story()->Check(), "");
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
    EXPECT_EQ(Describe(), "[Body]Body\r");
  }
}

TEST_F(HostTaggedTextImportTest, RefusesWhatIsNoStoryPosition) {
  EXPECT_EQ(Import("x", -1), kInvalidParameterError);
  EXPECT_EQ(Import("x", 1), kInvalidParameterError);
  EXPECT_EQ(ImportHostTaggedText(db_, kInvalidUID, 0, Bytes("x")), kInvalidParameterError);
  EXPECT_EQ(ImportHostTaggedText(nullptr, story_.GetUID(), 0, Bytes("x")), kInvalidParameterError);
  EXPECT_EQ(Describe(), "[NormalParagraphStyle]\r");
}

TEST_F(HostTaggedTextImportTest, WithoutInterpretingOnlyTheHeaderIsATag) {
  HostTaggedTextOptions options;
  options.interpretTags = false;
  ASSERT_EQ(Import("<ASCII-WIN>\r\n<cSize:14>a\\b", 0, options), kSuccess);
  EXPECT_EQ(Describe(), "[NormalParagraphStyle]<cSize:14>a\\b\r");
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  ASSERT_EQ(Import("<cSize:14>a", 0, options), kSuccess);
  EXPECT_EQ(Describe(), "[NormalParagraphStyle]<cSize:14>a\r");
}

TEST_F(HostTaggedTextImportTest, TheProviderOffersTheImporter) {
  InterfacePtr<IImportProvider> provider = FindImportProvider("host");
  ASSERT_TRUE(provider);
  const std::pair<std::string, int32_t> heads[] = {
      {"<ASCII-MAC>\r\nx", 2},
      {"\xFF\xFE" + Utf16("<UNICODE-WIN>", true), 2},
      {"<ASCII-WIN", 0},
      {"<v7.00><e0>\r", 0},
      {"plain", 0},
  };
  for (const auto& [head, strength] : heads) {
    SCOPED_TRACE(head);
    EXPECT_EQ(provider->CanImportStream(Bytes(head), "a.txt"), strength);
  }
  const struct {
    std::string interpret;
    std::string story;
    std::string message;
  } rows[] = {
      {"on", "[NormalParagraphStyle]a(*{pointSize=14}:b)\r",
       "host tagged text: 1 tag skipped, 0 values rejected"},
      {"off", "[NormalParagraphStyle]a<cSize:14>b<Foo>\r", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.interpret);
    ImportRequest request;
    std::string bytes = "a<cSize:14>b<Foo>";
    request.bytes = Bytes(bytes);
    request.story = story_;
    request.options["interpret-tags"] = row.interpret;
    ImportOutcome outcome = provider->Import(request);
    EXPECT_TRUE(outcome.succeeded);
    EXPECT_EQ(outcome.message, row.message);
    EXPECT_EQ(Describe(), row.story);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  }
}

}  // namespace
