// Box tags through pagehost import: the summary of what was made, the boxes inspect --json shows, and the
// reports a bad box leaves in the text.
#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;

class BoxTagsCliTest : public cli_testing::CliTest {};

TEST_F(BoxTagsCliTest, ImportMakesBoxesAndSaysHowMany) {
  const struct {
    const char* name;
    std::string text;
    std::string summary;              // on standard output
    std::vector<std::string> inJson;  // in inspect --json
  } rows[] = {
      {"a placed text box with its text",
       "<&tbu(36,72,200,100" + std::string(16, ',') + "\"note\")>Boxed<&te>after",
       "import: 1 page item made\n",
       {"\"label\":\"note\"", "\"text\":\"Boxed\\u000d\""}},
      {"an anchored box and a group of two",
       "a<&nb(20,20)>b<&nbu(0,0,30,30)><&nbu(40,0,70,30)><&g(1,2)>",
       "import: 4 page items made\n",
       {"\"anchored\":[{\"index\":1,"}},
      {"a box too wide, reported in the text",
       "<&nbu(0,0,9000,30)>x",
       "",
       {"Box is too large to fit on spread: tag &nbu"}},
      {"a master by name and an unknown one",
       "<&m\"A\"><&m\"Nowhere\">x",
       "",
       {"No such master page: tag &m"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string in = Write("in.txt", row.text), doc = Path("doc.pgd");
    ProgramResult r = Run({"import", in, "-o", doc});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, row.summary);
    std::string json = Inspect(doc);
    for (const std::string& part : row.inJson)
      EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
  }
}

}  // namespace
