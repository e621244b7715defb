// Paragraph tags through pagehost: an alignment tag inside a paragraph aligns all of it, and a bad tab
// list is reported where it stood and leaves the tab stops alone.
#include "tests/cli/CliTest.h"

namespace {

class ParagraphTagsCliTest : public cli_testing::CliTest {
 protected:
  // Imports `text` into a new document and answers inspect --json of the result.
  std::string ImportAndInspect(const std::string& text) {
    cli_testing::ProgramResult imported = Run({"import", Write("in.txt", text), "-o", Path("out.pgd")});
    EXPECT_EQ(0, imported.status) << imported.err;
    return Inspect(Path("out.pgd"));
  }
};

TEST_F(ParagraphTagsCliTest, AlignmentInTheMiddleCentresTheWholeParagraph) {
  std::string json = ImportAndInspect("left <*C>centred\rnext\r");
  EXPECT_NE(
      json.find(
          "{\"start\":0,\"end\":13,\"style\":\"NormalParagraphStyle\",\"attributes\":{\"pAlignment\":1}}"),
      std::string::npos)
      << json;
}

TEST_F(ParagraphTagsCliTest, BadTabListIsReportedAndChangesNoTabStops) {
  std::string json = ImportAndInspect("<*t(72,0,)>a\r<*t(36,6,)>b\r");
  EXPECT_NE(json.find("\u00ABKesto error: Value out of range: tag *t param #2\u00BB"), std::string::npos)
      << json;
  // Both paragraphs keep the one stop at 72 points; none at 36 was made.
  size_t first = json.find("\"pTabStops\":[{\"position\":72,");
  ASSERT_NE(first, std::string::npos) << json;
  EXPECT_NE(json.find("\"pTabStops\":[{\"position\":72,", first + 1), std::string::npos) << json;
  EXPECT_EQ(json.find("\"position\":36"), std::string::npos) << json;
}

}  // namespace
