// Style sheets through pagehost: definitions and applications in an imported file show in inspect --json
// as styles with their based-on, next and character styles and attributes; without style sheets the same
// lines are text.
#include "tests/cli/CliTest.h"

namespace {

class StyleSheetsCliTest : public cli_testing::CliTest {
 protected:
  // Imports `text` with `options` into a new document and answers inspect --json of the result.
  std::string ImportAndInspect(const std::string& text, std::vector<std::string> options = {}) {
    std::vector<std::string> args = {"import", Write("in.txt", text), "-o", Path("out.pgd")};
    args.insert(args.end(), options.begin(), options.end());
    cli_testing::ProgramResult imported = Run(args);
    EXPECT_EQ(0, imported.status) << imported.err;
    return Inspect(Path("out.pgd"));
  }
};

TEST_F(StyleSheetsCliTest, DefinedAndAppliedStylesShowWithTheirFields) {
  std::string json = ImportAndInspect(
      "@Head=[S\"\",\"Body\"]<*C><z18>\r@Head=[S]<*R>\r@Note=<I>\r@Emph=<B>\r"
      "@Quote=[S\"Head\",\"Quote\",\"Emph\"]\r@Head:Title\r@Body:Text <@Emph>word<@$> end\r");
  const char* expected[] = {
      "{\"name\":\"Head\",\"basedOn\":\"[No paragraph "
      "style]\",\"nextStyle\":\"Body\",\"characterStyle\":null,"
      "\"attributes\":{\"cSize\":18,\"pAlignment\":1}}",
      "{\"name\":\"Body\",\"basedOn\":\"[No paragraph style]\",\"nextStyle\":null,\"characterStyle\":null,"
      "\"attributes\":{}}",
      "{\"name\":\"Quote\",\"basedOn\":\"Head\",\"nextStyle\":null,\"characterStyle\":\"Emph\","
      "\"attributes\":{}}",
      "{\"name\":\"Note\",\"basedOn\":\"[No character style]\",\"attributes\":{\"cTypeface\":\"Italic\"",
      "\"text\":\"Title\\u000dText word end\\u000d\\u000d\"",
      "{\"start\":0,\"end\":6,\"style\":\"Head\",\"attributes\":{}}",
      "{\"start\":6,\"end\":20,\"style\":\"Body\",\"attributes\":{}}",
      "{\"start\":11,\"end\":15,\"style\":\"Emph\",\"attributes\":{}}",
  };
  for (const char* piece : expected)
    EXPECT_NE(json.find(piece), std::string::npos) << piece << "\nin " << json;
}

TEST_F(StyleSheetsCliTest, OverlongNameIsReportedAndCut) {
  std::string name(120, 'n');
  std::string json = ImportAndInspect("@" + name + ":x\r");
  EXPECT_NE(json.find("\u00ABKesto error: Style name too long: tag @...:\u00BB"), std::string::npos) << json;
  EXPECT_NE(json.find("{\"name\":\"" + name.substr(0, 100) + "\""), std::string::npos) << json;
}

TEST_F(StyleSheetsCliTest, WithoutStyleSheetsStyleLinesAreText) {
  std::string json = ImportAndInspect("@Body:Text <@Emph>w\r@H=[S]\r", {"--no-style-sheets"});
  EXPECT_NE(json.find("\"text\":\"@Body:Text <@Emph>w\\u000d@H=[S]\\u000d"), std::string::npos) << json;
  EXPECT_EQ(json.find("\"name\":\"Body\""), std::string::npos) << json;
  EXPECT_EQ(json.find("\"name\":\"Emph\""), std::string::npos) << json;
}

}  // namespace
