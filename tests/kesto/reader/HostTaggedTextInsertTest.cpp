// Host tagged text embedded in Kesto input: the passage lands in the story with the styles and attributes
// its tags give, and text ahead of any paragraph-style tag keeps the attributes of the insertion point, at
// the start, in the middle and at the end of a paragraph. Stories are shown as the host dialect writes them.
#include <gtest/gtest.h>

#include "host/text/TextCmdUtils.h"
#include "kesto/model/VyStory.h"
#include "kesto/services/HostTagDialect.h"
#include "kesto/writer/HostTagPutter.h"
#include "kesto/writer/HostTagPutterAgent.h"
#include "tests/kesto/writer/WriterTestSupport.h"

namespace kesto {
namespace {

using testing_writer::ScopedDocument;

// The main story in the host dialect.
std::string Written(const ScopedDocument& document) {
  VyBaseStory story(document.Db(), document.Story());
  HostTagPutter putter;
  putter.SetOptions(kPutFragment);
  putter.SetEncoding(StreamEncoding::kUtf16LE);
  WideString text;
  HostTagPutterAgent agent(&text);
  EXPECT_EQ(0, putter.PutStory(story, 0, 0, &agent));
  return Utf8FromWide(text);
}

TEST(HostTaggedTextInsertTest, PassagesTakeTheirTagsAndTheAttributesAroundThem) {
  const std::string kStyles = "@Body=[S\"\"]\r\n@Intro=[S\"\"]\r\n";
  const struct {
    const char* name;
    std::string kesto;
    std::string story;
  } kRows[] = {
      {"ParagraphStyle", "<&it\"\"\"<ParaStyle:Body>Text\"\"\">", "<ParaStyle:Body><CharStyle:>Text"},
      {"AtParagraphStart", "@Intro:<z20><&it\"\"\"Hi \"\"\">there",
       "<ParaStyle:Intro><CharStyle:><cSize:20>Hi there"},
      {"InTheMiddle", "@Intro:ab<z20><&it\"\"\"mid\"\"\">cd",
       "<ParaStyle:Intro><CharStyle:>ab<cSize:20>midcd"},
      {"AtParagraphEnd", "@Intro:ab<&it\"\"\"end\"\"\">\r\nnext", "<ParaStyle:Intro><CharStyle:>abend\rnext"},
      // After the passage the text goes on with the attributes where it ended.
      {"AttributeTag", "@Intro:a<&it\"\"\"<cSize:30>big\"\"\">b",
       "<ParaStyle:Intro><CharStyle:>a<cSize:30>bigb"},
      {"StyleAfterText", "@Intro:x<&it\"\"\"a\r<ParaStyle:Body>b\"\"\">y",
       "<ParaStyle:Intro><CharStyle:>xa\r<ParaStyle:Body>by"},
      // The caret's paragraph style stays in force after the passage, as a paragraph style tag's would.
      {"StyleOfALaterParagraph", "@Intro:x<&it\"\"\"<ParaStyle:Body>a\rb\"\"\">y\r\nz",
       "<ParaStyle:Body><CharStyle:>xa\rby\rz"},
      {"EncodingHeader", "@Intro:<&it\"\"\"<ANSI-WIN>\r\nplain\"\"\">", "<ParaStyle:Intro><CharStyle:>plain"},
      {"CharacterCodes", "@Intro:<&it\"\"\"caf<0x00E9> \\<\"\"\">",
       "<ParaStyle:Intro><CharStyle:>caf\u00E9 \\<"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.name);
    ScopedDocument document;
    EXPECT_EQ(0, document.Import(kStyles + row.kesto));
    EXPECT_EQ(row.story, Written(document));
  }
}

TEST(HostTaggedTextInsertTest, ReplacesTheTargetRangeAndLeavesTheCaretAfterIt) {
  ScopedDocument document;
  ASSERT_EQ(kSuccess, TextCmdUtils::InsertText(UIDRef(document.Db(), document.Story()), 0, u"abcdef"));
  VyRef<VyStory> story(new VyStory(document.Db(), document.Story(), 2, 4));
  HostTagDialect dialect;
  std::u16string passage = u"<cSize:30>X";
  EXPECT_EQ(0, story->InsertHostTaggedText(2, 4, passage.data(), static_cast<int32_t>(passage.size()), true,
                                           dialect));
  int32_t start = 0, end = 0;
  story->GetRange(start, end);
  EXPECT_EQ(3, start);
  EXPECT_EQ(3, end);
  EXPECT_EQ("<ParaStyle:NormalParagraphStyle><CharStyle:>ab<cSize:30>X<cSize:>ef", Written(document));
}

}  // namespace
}  // namespace kesto
