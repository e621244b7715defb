// Character tags through pagehost import: the runs inspect --json shows for sizes, colours and special
// characters.
#include "tests/cli/CliTest.h"

namespace {

using CharacterTagsCliTest = cli_testing::CliTest;

TEST_F(CharacterTagsCliTest, ImportedRunsCarryTheTagsAttributes) {
  struct Row {
    const char* name;
    std::string input;
    std::string json;  // expected in inspect --json
  } rows[] = {
      {"relative size", "<z7><z.*2>x\r",
       "{\"start\":0,\"end\":2,\"style\":\"[No character style]\","
       "\"attributes\":{\"cSize\":14}}"},
      {"French blue", "<cBleu>x\r", "\"attributes\":{\"cColor\":\"C=100 M=90 Y=10 K=0\"}"},
      {"no-break four-per-em space", "a<\\!5>b\r",
       "{\"start\":1,\"end\":2,\"style\":\"[No character style]\",\"attributes\":{\"cNoBreak\":true}}"},
      {"bad colour reported", "<cNosuch>x\r", "Kesto error: No such color: tag c"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    cli_testing::ProgramResult imported = Run({"import", Write("in.txt", row.input), "-o", Path("out.doc")});
    EXPECT_EQ(0, imported.status) << imported.err;
    std::string json = Inspect(Path("out.doc"));
    EXPECT_NE(std::string::npos, json.find(row.json)) << json;
  }
}

// Scripts written against class numbers keep them with --attribute-ids.
TEST_F(CharacterTagsCliTest, AttributeIdsKeyAttributesByClassNumber) {
  ImportedDocument("<z7><z.*2>x\r");
  cli_testing::ProgramResult r = Run({"inspect", Path("doc.pgd"), "--json", "--attribute-ids"});
  EXPECT_NE(std::string::npos, r.out.find("\"attributes\":{\"6915\":14}")) << r.out << r.err;
  EXPECT_EQ(2, Run({"inspect", Path("doc.pgd"), "--attribute-ids"}).status);
}

}  // namespace
