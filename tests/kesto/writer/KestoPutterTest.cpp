// The Kesto writer's output for documents made by importing tagged text: the exact text for each edge of
// the story walk, the escapes, the option bits, and the style-sheet definitions.
#include "kesto/writer/KestoPutter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/kesto/writer/WriterTestSupport.h"

namespace kesto::testing_writer {
namespace {

struct Case {
  const char* name;
  std::string input;  // imported into a new document
  uint32_t options;
  std::string output;  // written with `options`; kPutFragment cases have no header
};

class KestoPutterTest : public ::testing::TestWithParam<Case> {};

TEST_P(KestoPutterTest, WritesTheImportedStory) {
  const Case& c = GetParam();
  ScopedDocument doc;
  ASSERT_EQ(0, doc.Import(c.input));
  EXPECT_EQ(Readable(c.output), Readable(doc.Export(c.options)));
}

constexpr uint32_t kFragment = kPutFragment;

INSTANTIATE_TEST_SUITE_P(
    StoryWalk, KestoPutterTest,
    ::testing::Values(
        Case{"header and the default style's definition", "text", 0,
             "<v7.00><e9>\r\n@NormalParagraphStyle=[S\"\"]\r\n@$:text"},
        Case{"one style tag for paragraphs of one style", "a\rb\rc", kFragment, "@$:a\r\nb\r\nc"},
        Case{"no final return of its own", "a\r", kFragment, "@$:a\r\n"},
        Case{"first paragraph in force", "a<*C>\rb<*R>", kFragment | kPutFirstParagraphInForce, "a\r\n<*R>b"},
        Case{"first run in force", "<z14>a<z$>b", kFragment | kPutFirstRunInForce, "@$:a<z$>b"},
        Case{"a run like its base has no tags", "<z14>a<z14>b", kFragment, "@$:<z14>ab"},
        Case{"losing an override reverts it", "<z14>a<z$>b", kFragment, "@$:<z14>a<z$>b"},
        Case{"grouped attributes", "<B><s80><z12.5>x", kFragment, "@$:<s80z12.5fs\"Bold\">x"},
        Case{"one attribute per tag", "<s80><z12.5>x\ry", kFragment | kPutOneAttributePerTag,
             "@$:<s80><z12.5>x\r\n@$:<s80><z12.5>y"},
        Case{"auto leading", "<&L14>a\r<&LA>b", kFragment, "@$:<&L14>a\r\n<&La>b"},
        Case{"break kinds", "a<\\b>b<\\c>c<\\0>d<\\7>e<\\6>f", kFragment,
             "@$:a<\\b:\r\n>b<\\c:\r\n>c<\\0:\r\n>d<\\7:\r\n>e<\\6:\r\n>f"},
        Case{"paragraph tags", "<*C><*kn2><*kt(2,3)><*d(1,3)><*p(12,-6,4,,3,5,G,)>x", kFragment,
             "@$:<*C*kn2*kt(2,3)*d(1,3)*p(12,-6,4,,3,5,G,)>x"},
        Case{"rules and tabs", "<*ra(2,\"dotted\",K,50,100,T1,2,3)><*t(72,0,\"1.\",144,\".\",\" \")>x",
             kFragment, "@$:<*ra(2,\"Dotted\",K,50,100,T1,2,3)*t(72,0,\"1.\",144,4,\"1 \")>x"},
        Case{"type style letters", "<U><K><+>x<U><K><+>y", kFragment, "@$:<UK+>x<UK+>y"},
        Case{"a colour letter ends its group", "<cY><N1><z9>x", kFragment, "@$:<z9cY><N1>x"},
        Case{"scales read back on their axis", "<h50>a<y80>b<y$>c", kFragment, "@$:<h50>a<y80>b<y$>c"},
        Case{"features", "<o(\"ss01\",\"zero\")>a<o($)>b", kFragment, "@$:<o(\"zero\",\"ss01\")>a<o($)>b"}),
    [](const ::testing::TestParamInfo<Case>& info) {
      std::string name;
      for (const char* c = info.param.name; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });

INSTANTIATE_TEST_SUITE_P(
    Escapes, KestoPutterTest,
    ::testing::Values(
        Case{"reserved characters", "<\\<><\\>><\\@><\\\\>", kFragment, "@$:<\\<><\\>><\\@><\\\\>"},
        Case{"spaces and dashes", "<\\!s><\\h><\\m><\\5><\\^><\\8><\\[><\\{><\\z><\\!-><\\_><\\j>", kFragment,
             "@$:<\\!s><\\h><\\m><\\5><\\^><\\8><\\[><\\{><\\z><\\!-><\\_><\\j>"},
        Case{"spaces the reader follows with a zero-width space", "<\\e><\\$><\\p>", kFragment,
             "@$:<\\e><\\$><\\p>"},
        Case{"controls", "a<\\i>b<\\t>c<\\n>d<\\r>e\tf", kFragment, "@$:a<\\i>b<\\t>c<\\n>d<\\r>e\tf"},
        Case{"page numbers and section", "<\\2><\\3><\\4><\\1>", kFragment, "@$:<\\2><\\3><\\4><\\1>"},
        Case{"other characters as they are", "\xC3\xA9\xCE\xB1\xF0\x9F\x98\x80", kFragment,
             "@$:\xC3\xA9\xCE\xB1\xF0\x9F\x98\x80"}),
    [](const ::testing::TestParamInfo<Case>& info) { return "Case" + std::to_string(info.index); });

// The definitions: a style after the one it is based on, next and character styles before the styles that
// name them unless they are based on them, only the styles used unless all are asked for.
constexpr const char* kStyleSheet =
    "@Base=<I>\r@Emph=[S\"\",\"\",\"\",\"Base\"]<z9>\r@Head=[S\"\",\"Body\"]<*C><z18>\r"
    "@Body=[S\"\",\"Next\",\"Emph\"]<*J>\r@Next=[S\"Body\"]\r@Unused=[S\"\"]<*R>\r";

INSTANTIATE_TEST_SUITE_P(
    Styles, KestoPutterTest,
    ::testing::Values(
        Case{"used styles and what they name",
             std::string(kStyleSheet) + "@Head:Title\r@Body:Text <@Emph>em<@$> x", kFragment | kPutStylesOnly,
             "@Base=<fs\"Italic\">\r\n@Emph=[S\"\",\"\",\"\",\"Base\"]<z9>\r\n"
             "@Body=[S\"\",\"Next\",\"Emph\"]<*J>\r\n@Next=[S\"Body\"]\r\n@Head=[S\"\",\"Body\"]<*Cz18>\r\n"},
        Case{"every style", std::string(kStyleSheet) + "@Unused:x",
             kFragment | kPutStylesOnly | kPutAllStyles,
             "@Base=<fs\"Italic\">\r\n@Emph=[S\"\",\"\",\"\",\"Base\"]<z9>\r\n"
             "@NormalParagraphStyle=[S\"\"]\r\n@Body=[S\"\",\"Next\",\"Emph\"]<*J>\r\n@Next=[S\"Body\"]\r\n"
             "@Head=[S\"\",\"Body\"]<*Cz18>\r\n@Unused=[S\"\"]<*R>\r\n"},
        Case{"style tags", std::string(kStyleSheet) + "@Head:Title\r@Body:Text <@Base>b<@Emph>em<@$> x\r@$:n",
             kFragment, "@Head:Title\r\n@Body:Text <@Base>b<@$p>em<@$> x\r\n@$:n"},
        Case{"names with group and colon", "@G|A\\:b=<z9>\r@G|P\\:q=[S\"\"]<*C>\r@G|P\\:q:<@G|A\\:b>x",
             kFragment, "@G|P\\:q:<@G|A\\:b>x"},
        Case{"no paragraph style", "a\r@:<z9>b\rc", kFragment, "@$:a\r\n@:<@$><z9>b\r\nc"},
        Case{"tags without text", "<z9>a<\\@>\rb", kFragment | kPutNoText, "@$:<z9>"}),
    [](const ::testing::TestParamInfo<Case>& info) { return "Case" + std::to_string(info.index); });

// What an 8-bit or ASCII destination cannot hold is written as a numeric character tag.
TEST(KestoPutterEncodingTest, CharactersOutsideTheEncodingAreNumbered) {
  const struct {
    StreamEncoding encoding;
    std::string input, output;
  } kRows[] = {
      {StreamEncoding::kMacRoman,
       "\xC2\xA0"
       "a\xCE\xB1",
       "@$:<\\!s>a<\\#U03B1>"},
      {StreamEncoding::kAscii, "\xF0\x9F\x98\x80\xC3\xA9", "@$:<\\#U1F600><\\#U00E9>"},
      {StreamEncoding::kWindowsLatin, "\xE2\x82\xAC\xC4\x81", "@$:\x80<\\#U0101>"},
      // Mac Roman "\xDB\x8E" would read back as one UTF-8 character.
      {StreamEncoding::kMacRoman, "\xE2\x82\xAC\xC3\xA9", "@$:<\\#U20AC>\x8E"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.output);
    ScopedDocument doc;
    ASSERT_EQ(0, doc.Import(row.input, StreamEncoding::kUtf8));
    EXPECT_EQ(Readable(row.output), Readable(doc.Export(kPutFragment, row.encoding)));
  }
}

TEST(KestoPutterRangeTest, AnEmptyRangeIsTheWholeStoryAndARangeItsPart) {
  ScopedDocument doc;
  ASSERT_EQ(0, doc.Import("one <z14>two\rthree"));
  std::string whole = doc.Export(kPutFragment);
  EXPECT_EQ(whole, doc.Export(kPutFragment, StreamEncoding::kUtf8, 5, 5));
  EXPECT_EQ("@$:<z14>two\r\nth", doc.Export(kPutFragment, StreamEncoding::kUtf8, 4, 10));
}

}  // namespace
}  // namespace kesto::testing_writer
