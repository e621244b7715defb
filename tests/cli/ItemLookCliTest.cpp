// How items look from the command line: fill, stroke, corner, object styles and wrap through pagehost layout,
// inspect --json's members for them, and text composed around an item with wrap.
#include <regex>
#include <sstream>

#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;

struct Line {
  int start, end;
  double x, baseline;
};

std::vector<Line> Lines(const std::string& json) {
  static const std::regex line(R"re(\{"start":(\d+),"end":(\d+),"x":([-\d.e]+),"baseline":([-\d.e]+)\})re");
  std::vector<Line> lines;
  for (std::sregex_iterator it(json.begin(), json.end(), line), end; it != end; ++it)
    lines.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4])});
  return lines;
}

class ItemLookCliTest : public cli_testing::CliTest {
 protected:
  // A frame (0,0)-(300,300) full of words on page 1 and a rectangle over its left half from y 100 to 160.
  void SetUp() override {
    CliTest::SetUp();
    ASSERT_EQ(0, Run({"new", "-o", Path("new.pgd"), "--no-main-frame"}).status);
    std::string words;
    for (int i = 0; i < 200; ++i)
      words += "word ";
    ProgramResult r =
        Layout("new.pgd", "frames.pgd",
               "frame --page 1 0,0,300,300 --label body -- rect --page 1 0,100,150,160 --label box");
    ASSERT_EQ(0, r.status) << r.err;
    r = Run({"layout", Path("frames.pgd"), "-o", Path("doc.pgd"), "insert-text", "label:body", "0", words});
    ASSERT_EQ(0, r.status) << r.err;
  }
  ProgramResult Layout(const std::string& in, const std::string& out, const std::string& ops) {
    std::vector<std::string> args = {"layout", Path(in), "-o", Path(out)};
    for (const std::string& w : Words(ops))
      args.push_back(w);
    return Run(args);
  }
  std::vector<Line> BodyLines(const std::string& file) {
    ProgramResult r = Run({"inspect", Path(file), "--json", "--lines"});
    EXPECT_EQ(0, r.status) << r.err;
    return Lines(r.out);
  }
};

TEST_F(ItemLookCliTest, TextGoesBesideABoundingBoxAndBelowAJumpObject) {
  std::vector<Line> plain = BodyLines("doc.pgd");
  ASSERT_GT(plain.size(), 10u);
  const struct {
    const char* ops;
    bool beside;  // lines level with the box start right of it, shorter; else none is level with it
  } rows[] = {
      {"wrap label:box bounding-box --offsets 0,0,0,10", true},
      {"wrap label:box contour --offsets 0,0,0,10", true},
      {"wrap label:box jump", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ops);
    ProgramResult r = Layout("doc.pgd", "wrapped.pgd", row.ops);
    ASSERT_EQ(0, r.status) << r.err;
    int level = 0;
    for (const Line& line : BodyLines("wrapped.pgd")) {
      SCOPED_TRACE(line.baseline);
      if (line.baseline < 90 || line.baseline > 180) {
        EXPECT_EQ(line.x, 0);
      } else if (line.baseline > 110 && line.baseline < 160) {
        ++level;
        EXPECT_EQ(line.x, 160);
        EXPECT_LT(line.end - line.start, plain[0].end - plain[0].start);
      }
    }
    EXPECT_EQ(level > 0, row.beside);
  }
  // Undoing the wrap, or deleting the item (in the same run: composition starts from the lines wrapped),
  // gives back the lines as they were.
  for (const char* ops : {"wrap label:box bounding-box -- undo", "wrap label:box jump -- delete label:box"}) {
    SCOPED_TRACE(ops);
    ProgramResult r = Layout("doc.pgd", "undone.pgd", ops);
    ASSERT_EQ(0, r.status) << r.err;
    std::vector<Line> undone = BodyLines("undone.pgd");
    ASSERT_EQ(undone.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i)
      EXPECT_EQ(undone[i].end, plain[i].end);
  }
}

TEST_F(ItemLookCliTest, InspectShowsOwnAttributesStylesAndOverrides) {
  ProgramResult r =
      Layout("doc.pgd", "look.pgd",
             "fill label:box Black --tint 50 -- stroke label:box --weight 0 --colour Black -- "
             "corner label:box rounded 4 -- new-object-style Thick --kind graphic --stroke-weight "
             "3 -- object-style label:body Thick -- stroke label:body --weight 3");
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ(r.out, "4\n");
  std::string json = Inspect(Path("look.pgd"));
  EXPECT_NE(
      json.find(
          "\"attributes\":{\"strokeWeight\":0,\"cornerEffect\":\"rounded\",\"cornerSize\":4,"
          "\"fillColor\":\"Black\",\"fillTint\":50},\"objectStyle\":\"[Basic Graphics Frame]\","
          "\"overrides\":[\"strokeWeight\",\"cornerEffect\",\"cornerSize\",\"fillColor\",\"fillTint\"]"),
      std::string::npos)
      << json;
  // The frame's weight equals its style's: its own, but no override.
  EXPECT_NE(json.find("\"attributes\":{\"strokeWeight\":3},\"objectStyle\":\"Thick\",\"overrides\":[]"),
            std::string::npos);
  EXPECT_NE(json.find("{\"id\":4,\"name\":\"Thick\",\"basedOn\":\"[Basic Graphics Frame]\",\"categories\":["
                      "\"stroke\"],\"attributes\":{\"strokeWeight\":3}}"),
            std::string::npos);
  const struct {
    const char* ops;
    int status;
    const char* says;
  } refused[] = {
      {"fill label:box Mauve", 1, "no swatch is named 'Mauve'"},
      {"stroke label:box", 2, "give at least one option"},
      {"wrap label:box sideways", 2, "'sideways' is no wrap mode"},
      {"fill label:box Black --tint 120", 2, "a tint is a percentage"},
      {"new-object-style [None]", 1, "the object style exists"},
      {"object-style label:box Nothing", 1, "no object style is named 'Nothing'"},
  };
  for (const auto& row : refused) {
    SCOPED_TRACE(row.ops);
    r = Layout("doc.pgd", "refused.pgd", row.ops);
    EXPECT_EQ(r.status, row.status);
    EXPECT_NE(r.err.find(row.says), std::string::npos) << r.err;
  }
}

}  // namespace
