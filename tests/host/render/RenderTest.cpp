// Rendering pages: the text of a PDF reads back as the story, ink falls only inside items, SVG is XML, and
// what cannot be written or drawn fails cleanly.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "host/layout/ItemLookCmdUtils.h"
#include "host/render/DocumentRenderer.h"
#include "host/render/RenderColor.h"
#include "host/res/SwatchUtils.h"
#include "tests/host/compose/ComposeFixture.h"
#include "tests/host/render/PngPixels.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"

namespace render_test {
namespace {

using testing_support::RunProgram;

std::vector<std::string> WordsOf(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), {}};
}

// Page 1 (612 x 792) holds a story in two linked frames, a black rectangle and an empty frame.
class RenderTest : public compose_test::ComposeFixture {
 public:
  void SetUp() override {
    ComposeFixture::SetUp();
    Story(u"Alpha beta gamma delta\rEpsilon zeta eta theta iota kappa", {kFirst, kSecond}, 12);
    std::vector<UID> made;
    ASSERT_EQ(Run(kCreateRectangleCmdBoss, {}, {.bounds = kRect, .target = spread_}, &made), kSuccess);
    GraphicAttributeList fill;
    fill.Set({GraphicAttr::kFillColor, 0, SwatchUtils::QuerySwatchList(db_)->GetBlackSwatchUID()});
    ASSERT_EQ(ItemLookCmdUtils::ApplyAttributes(db_, made, fill), kSuccess);
    empty_ = Frame(spread_, kEmpty);
  }

  FileResult Render(const std::string& name, RenderFormat format, double dpi = 72) {
    return DocumentRenderer::Render(db_,
                                    {.output = folder_ / name, .format = format, .pages = {0}, .dpi = dpi});
  }

  static constexpr PMRect kFirst{36, 36, 200, 56};
  static constexpr PMRect kSecond{36, 120, 300, 400};
  static constexpr PMRect kRect{350, 36, 500, 136};
  static constexpr PMRect kEmpty{350, 200, 550, 500};
  testing_support::TempFolder folder_{"pagehost-render"};
  UID empty_;
};

TEST_F(RenderTest, PdfTextReadsBackAsTheStoryInOrder) {
  ASSERT_TRUE(Render("out.pdf", RenderFormat::kPdf).ok());
  auto text = RunProgram({"/usr/bin/pdftotext", (folder_ / "out.pdf").string(), "-"});
  ASSERT_EQ(0, text.status) << text.err;
  EXPECT_EQ(WordsOf("Alpha beta gamma delta Epsilon zeta eta theta iota kappa"), WordsOf(text.out));
}

TEST_F(RenderTest, PngHasInkOnlyInsideItemsAndNoneInAnEmptyFrame) {
  ASSERT_TRUE(Render("out.png", RenderFormat::kPng).ok());
  PngPixels png(folder_ / "out.png");
  ASSERT_TRUE(png.Ok());
  ASSERT_EQ(612, png.Width());
  EXPECT_GT(png.InkIn(kFirst), 0);
  EXPECT_GT(png.InkIn(kSecond), 0);
  EXPECT_GT(png.InkIn(kRect), 150 * 100 * 9 / 10);
  EXPECT_EQ(0, png.InkIn(kEmpty));
  int64_t all = png.InkIn({0, 0, 612, 792});
  EXPECT_EQ(all, png.InkIn(kFirst) + png.InkIn(kSecond) + png.InkIn(kRect));
}

TEST_F(RenderTest, SvgParses) {
  ASSERT_TRUE(Render("out.svg", RenderFormat::kSvg).ok());
  auto lint = RunProgram({"/usr/bin/xmllint", "--noout", (folder_ / "out.svg").string()});
  EXPECT_EQ(0, lint.status) << lint.err;
}

TEST_F(RenderTest, FailuresLeaveNoFile) {
  auto stop = [](int32_t, int32_t) { return false; };
  struct Case {
    const char* name;
    RenderRequest request;
    ErrorCode code;
  } cases[] = {
      {"missing folder", {.output = folder_ / "none" / "out.pdf"}, kWriteFailedError},
      {"page beyond the document", {.output = folder_ / "out.pdf", .pages = {7}}, kInvalidParameterError},
      {"dpi out of range",
       {.output = folder_ / "out.png", .format = RenderFormat::kPng, .dpi = 1e6},
       kInvalidParameterError},
      {"page too large at its dpi",
       {.output = folder_ / "out.png", .format = RenderFormat::kPng, .dpi = 2400},
       kInvalidParameterError},
      {"cancelled", {.output = folder_ / "out.pdf", .progress = stop}, kCancel},
      {"cancelled after the first of three PNGs",
       {.output = folder_ / "out.png", .format = RenderFormat::kPng, .pages = {0, 1, 2}, .progress = stop},
       kCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileResult result = DocumentRenderer::Render(db_, c.request);
    EXPECT_EQ(c.code, result.error);
    EXPECT_FALSE(result.message.empty());
    EXPECT_TRUE(folder_.List().empty());
  }
}

TEST(RenderColorTest, SwatchColoursInRgb) {
  struct Case {
    ColorValue color;
    RgbColor rgb;
  } cases[] = {
      {{ColorSpace::kCMYK, {0, 0, 0, 100}}, {0, 0, 0}},
      {{ColorSpace::kCMYK, {100, 0, 0, 0}}, {0, 1, 1}},
      {{ColorSpace::kRGB, {255, 0, 51}}, {1, 0, 0.2}},
      {{ColorSpace::kLab, {100, 0, 0}}, {1, 1, 1}},
      {{ColorSpace::kLab, {0, 0, 0}}, {0, 0, 0}},
      {{ColorSpace::kRGB, {300, 0, 0}}, {0, 0, 0}},  // invalid: black
  };
  for (const Case& c : cases) {
    RgbColor rgb = RenderColor::ToRgb(c.color);
    EXPECT_NEAR(c.rgb.red, rgb.red, 0.01);
    EXPECT_NEAR(c.rgb.green, rgb.green, 0.01);
    EXPECT_NEAR(c.rgb.blue, rgb.blue, 0.01);
  }
}

}  // namespace
}  // namespace render_test
