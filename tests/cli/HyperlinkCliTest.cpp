// pagehost layout's destination, hyperlink and text-anchor operations and the members inspect --json
// gives them, as a user runs them.
#include <algorithm>
#include <iterator>
#include <sstream>

#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;

class HyperlinkCliTest : public cli_testing::CliTest {
 protected:
  // A new document whose main story reads "Hello linked world"; the story's reference.
  std::string NewDocument() {
    ProgramResult r = Run({"new", "-o", Path("d.pgd"), "--pages", "3"});
    EXPECT_EQ(0, r.status) << r.err;
    std::string json = Inspect(Path("d.pgd"));
    size_t at = json.find("\"stories\":[{\"uid\":") + 18;
    std::string story = "story:" + json.substr(at, json.find(',', at) - at);
    r = Run(
        {"layout", Path("d.pgd"), "-o", Path("doc.pgd"), "insert-text", story, "0", "Hello linked world"});
    EXPECT_EQ(0, r.status) << r.err;
    return story;
  }
  static std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
  }
  ProgramResult Layout(std::vector<std::string> ops) {
    std::vector<std::string> args = {"layout", Path("doc.pgd"), "-o", Path("out.pgd")};
    args.insert(args.end(), ops.begin(), ops.end());
    return Run(args);
  }
};

TEST_F(HyperlinkCliTest, OperationsShowInTheDocumentAndUndo) {
  std::string story = NewDocument();
  std::vector<std::string> ops = Words(
      "text-anchor top " + story +
      ":6 -- destination home url https://example.org -- destination p page 2 "
      "--zoom 150 -- hyperlink h --source " +
      story + ":0:5 --to home -- text-anchor top " + story +
      ":12 --page -- destination p page 3 -- hyperlink g --source anchor:top --to p --hidden --highlight "
      "outline --border-colour Black");
  ProgramResult r = Layout(ops);
  ASSERT_EQ(0, r.status) << r.err;
  std::string json = Inspect(Path("out.pgd"));
  EXPECT_NE(json.find("\"textAnchors\":[{\"name\":\"top\",\"page\":true,\"story\":"), std::string::npos)
      << json;
  EXPECT_NE(json.find(",\"position\":11}]"), std::string::npos);
  EXPECT_NE(json.find("{\"name\":\"p\",\"kind\":\"page\",\"page\":3,\"zoom\":\"inherit\"}"),
            std::string::npos);
  EXPECT_NE(json.find("\"source\":{\"kind\":\"text\",\"story\":"), std::string::npos);
  EXPECT_NE(
      json.find(
          "\"visible\":false,\"source\":{\"kind\":\"anchor\",\"anchor\":\"top\"},\"destination\":\"p\","
          "\"appearance\":{\"highlight\":\"outline\",\"borderWidth\":\"thin\",\"borderStyle\":\"solid\","
          "\"borderColor\":\"Black\"}"),
      std::string::npos);
  // Undone one by one, they give back the document they started from.
  std::string before = Inspect(Path("doc.pgd"));
  for (size_t n = std::count(ops.begin(), ops.end(), "--") + 1; n > 0; --n)
    ops.insert(ops.end(), {"--", "undo"});
  r = Layout(ops);
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ(Inspect(Path("out.pgd")), before);
  r = Layout({"destination", "x", "anchor", "none"});
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("no text anchor is named none"), std::string::npos) << r.err;
}

}  // namespace
