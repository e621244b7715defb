// pagehost layout anchor, and the anchored items inspect --json shows under their story.
#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;

class AnchorCliTest : public cli_testing::CliTest {
 protected:
  // pagehost layout DOC -o OUT with `ops`.
  ProgramResult Layout(const std::string& doc, const std::string& out, std::vector<std::string> ops) {
    std::vector<std::string> args = {"layout", doc, "-o", out};
    args.insert(args.end(), ops.begin(), ops.end());
    return Run(args);
  }
  static size_t Count(const std::string& text, const std::string& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
      ++n;
    return n;
  }
};

TEST_F(AnchorCliTest, AnchorsAnItemInAFramesText) {
  ProgramResult made = Run({"new", "-o", Path("new.pgd")});
  ASSERT_EQ(made.status, 0) << made.err;
  ProgramResult prepared =
      Layout(Path("new.pgd"), Path("base.pgd"),
             {"frame", "--page", "1", "36,36,300,300", "--label", "host", "--", "rect", "--page", "1",
              "0,0,20,30", "--label", "box", "--", "insert-text", "label:host", "0", "aa bb"});
  ASSERT_EQ(prepared.status, 0) << prepared.err;
  const struct {
    const char* name;
    std::vector<std::string> ops;
    int status;
    std::string found;  // in inspect --json when the status is 0
    size_t boxes;       // items labelled "box" in it
  } rows[] = {
      {"inline",
       {"anchor", "label:box", "label:host", "2"},
       0,
       "\"anchored\":[{\"index\":2,\"kind\":\"inline\",",
       1},
      {"above line at the end",
       {"anchor", "label:box", "label:host", "end", "--kind", "above-line"},
       0,
       "\"anchored\":[{\"index\":5,\"kind\":\"above-line\",",
       1},
      {"undone", {"anchor", "label:box", "label:host", "2", "--", "undo"}, 0, "\"text\":\"aa bb\\u000d\"", 1},
      {"an unknown kind", {"anchor", "label:box", "label:host", "2", "--kind", "sideways"}, 2, "", 0},
      {"beyond the text", {"anchor", "label:box", "label:host", "9"}, 2, "", 0},
      {"a frame into its own text", {"anchor", "label:host", "label:host", "2"}, 1, "", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ProgramResult r = Layout(Path("base.pgd"), Path("out.pgd"), row.ops);
    EXPECT_EQ(r.status, row.status) << r.err;
    if (r.status != 0 || row.status != 0) continue;
    std::string json = Inspect(Path("out.pgd"));
    EXPECT_NE(json.find(row.found), std::string::npos) << json;
    EXPECT_EQ(Count(json, "\"label\":\"box\""), row.boxes);
  }
  ProgramResult help = Run({"layout", "--help"});
  EXPECT_NE(help.out.find("anchor ITEM FRAME|story:UID POSITION|end"), std::string::npos);
}

}  // namespace

TEST_F(AnchorCliTest, ALabelNamesOneItemAnchoredOrNot) {
  ProgramResult made = Run({"new", "-o", Path("new.pgd")});
  ASSERT_EQ(made.status, 0) << made.err;
  ProgramResult base =
      Layout(Path("new.pgd"), Path("base.pgd"),
             Words("frame --page 1 36,36,300,300 --label host -- insert-text label:host 0 aa -- "
                   "rect --page 1 0,0,9,9 --label dot -- anchor label:dot label:host 1 -- "
                   "rect --master A:1 0,0,9,9 --label box"));
  ASSERT_EQ(base.status, 0) << base.err;
  const struct {
    const char* name;
    std::vector<std::string> ops;
    int status;
    std::string error;  // part of the message
  } rows[] = {
      {"an anchored item", {"lock", "label:dot"}, 0, ""},
      {"no item", {"lock", "label:nothing"}, 1, "no item labelled 'nothing'"},
      {"a master item and its local copy", Words("override label:box --page 1 -- lock label:box"), 1,
       " (master page A:1); give one by its UID"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ProgramResult r = Layout(Path("base.pgd"), Path("out.pgd"), row.ops);
    EXPECT_EQ(r.status, row.status) << r.err;
    EXPECT_NE(r.err.find(row.error), std::string::npos) << r.err;
  }
}
