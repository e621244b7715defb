// pagehost render from outside: a long imported text keeps its pages and its words, --guides draws frame
// edges where inspect says the frames are, and a bad command line or place fails without a file.
#include <iterator>
#include <regex>
#include <sstream>

#include "tests/cli/CliTest.h"
#include "tests/host/render/PngPixels.h"

namespace cli_testing {
namespace {

class RenderCliTest : public CliTest {
 protected:
  // The bounds [l,t,r,b] inspect gives the first text frame of `doc`, and its UID.
  std::vector<double> FrameBounds(const std::string& doc, std::string& uid) {
    std::smatch m;
    std::string json = Inspect(doc);
    static const std::regex frame(
        R"re("uid":(\d+),"kind":"textFrame"[^\]]*"bounds":\[([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+)\])re");
    EXPECT_TRUE(std::regex_search(json, m, frame)) << json;
    if (m.empty()) return {0, 0, 0, 0};
    uid = m[1];
    return {std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), std::stod(m[5])};
  }
  static std::vector<std::string> WordsOf(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
  }
};

TEST_F(RenderCliTest, AFortyPageImportKeepsItsPagesAndWords) {
  std::string doc = Path("doc.pgd"), linked = Path("linked.pgd"), full = Path("full.pgd"),
              pdf = Path("out.pdf");
  ASSERT_EQ(0, Run(Words("new -o " + doc + " --pages 40 --page-size 200,150 --margins 10")).status);
  std::string uid;
  FrameBounds(doc, uid);
  std::string ops = "label " + uid + " p1";
  for (int p = 2; p <= 40; ++p)
    ops += " -- frame --page " + std::to_string(p) + " 10,10,190,140 --label p" + std::to_string(p) +
           " -- link label:p" + std::to_string(p - 1) + " label:p" + std::to_string(p);
  ProgramResult r = Run(Words("layout " + doc + " -o " + linked + " " + ops));
  ASSERT_EQ(0, r.status) << r.err;
  std::string text;
  for (int i = 0; text.size() < 40 * 200; ++i)
    text += "word" + std::to_string(i) + (i % 40 == 39 ? "\n" : " ");
  ASSERT_EQ(0, Run({"import", Write("in.txt", text), "--into", linked, "-o", full}).status);
  ASSERT_NE(std::string::npos, Inspect(full).find("\"pageCount\":40"));
  r = Run({"render", full, "-o", pdf});
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_NE(std::string::npos,
            testing_support::RunProgram({"/usr/bin/pdfinfo", pdf}).out.find("Pages:           40"))
      << testing_support::RunProgram({"/usr/bin/pdfinfo", pdf}).out;
  EXPECT_EQ(WordsOf(text), WordsOf(testing_support::RunProgram({"/usr/bin/pdftotext", pdf, "-"}).out));
}

TEST_F(RenderCliTest, GuidesDrawFrameEdgesWhereInspectSaysTheFramesAre) {
  std::string doc = Path("doc.pgd"), uid;
  ASSERT_EQ(0, Run(Words("new -o " + doc + " --page-size 300,200 --margins 20")).status);
  std::vector<double> b = FrameBounds(doc, uid);
  ASSERT_EQ(0, Run({"render", doc, "-o", Path("plain.png")}).status);
  ProgramResult r = Run({"render", doc, "-o", Path("guides.png"), "--guides"});
  ASSERT_EQ(0, r.status) << r.err;
  render_test::PngPixels plain(Path("plain.png")), guides(Path("guides.png"));
  ASSERT_TRUE(plain.Ok() && guides.Ok());
  int midX = int((b[0] + b[2]) / 2), midY = int((b[1] + b[3]) / 2);
  for (auto [x, y] :
       {std::pair{int(b[0]), midY}, {int(b[2]) - 1, midY}, {midX, int(b[1])}, {midX, int(b[3]) - 1}}) {
    SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
    EXPECT_TRUE(guides.Inked(x, y));
    EXPECT_FALSE(plain.Inked(x, y));
  }
  EXPECT_EQ(0, plain.InkIn({0, 0, 300, 200}));
}

TEST_F(RenderCliTest, SpreadsGiveOneOutputPagePerSpreadNamedAfterItsFirstPage) {
  std::string doc = Path("doc.pgd");
  ASSERT_EQ(0, Run(Words("new -o " + doc + " --pages 4 --facing")).status);
  ASSERT_EQ(0, Run({"render", doc, "-o", Path("s.pdf"), "--spread"}).status);
  EXPECT_NE(std::string::npos,
            testing_support::RunProgram({"/usr/bin/pdfinfo", Path("s.pdf")}).out.find("Pages:           3"));
  ASSERT_EQ(0, Run({"render", doc, "-o", Path("s.svg"), "--spread", "--pages", "2-4"}).status);
  EXPECT_TRUE(std::filesystem::exists(Path("s-2.svg")) && std::filesystem::exists(Path("s-4.svg")));
  EXPECT_FALSE(std::filesystem::exists(Path("s-3.svg")) || std::filesystem::exists(Path("s-1.svg")));
}

TEST_F(RenderCliTest, BadCommandLinesAndPlacesFailWithoutAFile) {
  std::string doc = Path("doc.pgd");
  ASSERT_EQ(0, Run(Words("new -o " + doc + " --pages 3")).status);
  struct Case {
    std::string args;
    int status;
    const char* message;
  } cases[] = {
      {"render " + doc, 2, "no output given"},
      {"render " + doc + " -o " + Path("out.jpg"), 2, "must end in .pdf, .png or .svg"},
      {"render " + doc + " -o " + Path("out.pdf") + " --pages 2-1", 2, "--pages takes"},
      {"render " + doc + " -o " + Path("out.pdf") + " --pages 1,9", 1, "has no page 9 (it has 3)"},
      {"render " + doc + " -o " + Path("out.png") + " --dpi 0", 2, "--dpi takes"},
      {"render " + doc + " -o " + Path("none/out.pdf"), 1, "cannot write"},
      {"render " + doc + " -o " + Path("out.png") + " --dpi 2400", 1, "choose a lower --dpi"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    ProgramResult r = Run(Words(c.args));
    EXPECT_EQ(c.status, r.status);
    EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("out.pdf")) || std::filesystem::exists(Path("out.png")) ||
                 std::filesystem::exists(Path("out-1.png")));
  }
}

}  // namespace
}  // namespace cli_testing
