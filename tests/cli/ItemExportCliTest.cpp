// pagehost export of page items: each way of choosing them, the layout an import of the output rebuilds,
// and the refusals of a bad choice.
#include <regex>

#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;

class ItemExportCliTest : public cli_testing::CliTest {
 protected:
  // The layout and the stories of inspect --json, object numbers left out.
  std::string Layout(const std::string& doc) {
    std::string json = Inspect(doc);
    json = std::regex_replace(json, std::regex(R"re("(uid|page|masterPage|story)":\d+)re"), "\"$1\":0");
    return std::regex_replace(json, std::regex(R"re("frames":\[[\d,]*\])re"), "\"frames\":[]");
  }
};

constexpr const char* kLayout =
    "Main<&tbu2(36,72,200,100,15,0,h)>Boxed <z14>text<&te><&nbu2(300,300,30,30,0,0,l)>"
    "<&nbu(340,300,30,30)><&g(1,2)><&lbu(10,500,200,600)>";

TEST_F(ItemExportCliTest, EachChoiceOfItemsRebuildsTheLayout) {
  std::string doc = ImportedDocument(kLayout);
  std::string layout = Layout(doc);
  const struct {
    const char* name;
    std::vector<std::string> choice;
  } rows[] = {
      {"all pages", {"--all-pages"}}, {"the page", {"--page", "1"}}, {"the spread", {"--spread", "1"}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args = {"export", doc, "-o", Path("out.txt")};
    args.insert(args.end(), row.choice.begin(), row.choice.end());
    ProgramResult r = Run(args);
    ASSERT_EQ(0, r.status) << r.err;
    std::string again = Path("again.pgd");
    ASSERT_EQ(0, Run({"import", Path("out.txt"), "-o", again}).status);
    EXPECT_EQ(layout, Layout(again));
  }
  // One item alone (the text frame after the main one): a free-standing box in the long form.
  std::string json = Inspect(doc);
  std::regex frame(R"re("uid":(\d+),"kind":"textFrame")re");
  auto found = std::sregex_iterator(json.begin(), json.end(), frame);
  ASSERT_NE(found, std::sregex_iterator());
  ASSERT_NE(++found, std::sregex_iterator());
  ProgramResult one = Run({"export", doc, "--fragment", "--compact", "--items", (*found)[1].str()});
  EXPECT_EQ(0, one.status) << one.err;
  EXPECT_EQ(0u, one.out.find("<&tbu2(36,72,200,100,15,,h,")) << one.out;
}

TEST_F(ItemExportCliTest, BadChoicesAreRefused) {
  std::string doc = ImportedDocument(kLayout);
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } rows[] = {
      {{"--items", "99999"}, 1, "the document has no page item 99999"},
      {{"--items", "1,x"}, 2, "--items needs page item UIDs"},
      {{"--page", "7"}, 1, "the document has no page 7"},
      {{"--page", "1", "--all-pages"}, 2, "give only one of"},
      {{"--all-pages", "--story", "59"}, 2, "--story and --range write a story"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message);
    std::vector<std::string> args = {"export", doc};
    args.insert(args.end(), row.args.begin(), row.args.end());
    ProgramResult r = Run(args);
    EXPECT_EQ(row.status, r.status);
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
  }
}

}  // namespace
