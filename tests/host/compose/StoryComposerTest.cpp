// Composition of a story in Lumen Mono 10 pt (6 pt a character, ascent 7.5, descent 2.5, cap height 7,
// x-height 5.2, automatic leading 12) through frames of known size.
#include <functional>

#include "tests/host/compose/ComposeFixture.h"

namespace compose_test {
namespace {

using Lines = std::vector<std::string>;

// A test name from a row's name.
const auto RowName = [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (c == ' ') c = '_';
  return name;
};

// Line breaks in a 60 pt wide frame: ten characters a line.
struct BreakRow {
  const char* name;
  std::u16string text;
  Lines lines;
};

class LineBreakTest : public ComposeFixture, public ::testing::WithParamInterface<BreakRow> {};

TEST_P(LineBreakTest, BreaksWhereTheWidthTableSays) {
  Story(GetParam().text, {{0, 0, 60, 200}});
  EXPECT_EQ(Lines(0), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineBreakTest,
    ::testing::Values(BreakRow{"at spaces", u"aaaa bbbb cccc", {"0-10@0,7.5", "10-15@0,19.5"}},
                      BreakRow{"spaces hang", u"aaaaaaaaaa bb", {"0-11@0,7.5", "11-14@0,19.5"}},
                      BreakRow{"after a hyphen", u"aaaa-bbbbbbb", {"0-5@0,7.5", "5-13@0,19.5"}},
                      BreakRow{"long word by character", u"abcdefghijklmno", {"0-10@0,7.5", "10-16@0,19.5"}},
                      BreakRow{
                          "not at a no break space", u"aaaaaa\u00A0bbbb cc", {"0-10@0,7.5", "10-15@0,19.5"}},
                      BreakRow{"paragraphs", u"aa\rbb", {"0-3@0,7.5", "3-6@0,19.5"}},
                      BreakRow{"empty paragraph", u"\r", {"0-1@0,7.5", "1-2@0,19.5"}}),
    RowName);

// Frame options and paragraph attributes, each row changing one thing of a 60 x 100 frame holding "aa\rbb".
struct PlaceRow {
  const char* name;
  std::function<void(ComposeFixture&)> setUp;
  Lines lines;
};

FrameOptions With(std::function<void(FrameOptions&)> change) {
  FrameOptions o;
  change(o);
  return o;
}

const PlaceRow kPlaceRows[] = {
    {"plain", [](ComposeFixture&) {}, {"0-3@0,7.5", "3-6@0,19.5"}},
    {"insets",
     [](ComposeFixture& f) { f.SetOptions(0, With([](FrameOptions& o) {
                                            o.insets = {5, 4, 0, 0};
                                          })); },
     {"0-3@4,12.5", "3-6@4,24.5"}},
    {"cap height",
     [](ComposeFixture& f) {
       f.SetOptions(0, With([](FrameOptions& o) { o.firstBaseline = FirstBaseline::kCapHeight; }));
     },
     {"0-3@0,7", "3-6@0,19"}},
    {"leading",
     [](ComposeFixture& f) {
       f.SetOptions(0, With([](FrameOptions& o) { o.firstBaseline = FirstBaseline::kLeading; }));
     },
     {"0-3@0,12", "3-6@0,24"}},
    {"x height",
     [](ComposeFixture& f) {
       f.SetOptions(0, With([](FrameOptions& o) { o.firstBaseline = FirstBaseline::kXHeight; }));
     },
     {"0-3@0,5.2", "3-6@0,17.2"}},
    {"em box",
     [](ComposeFixture& f) {
       f.SetOptions(0, With([](FrameOptions& o) { o.firstBaseline = FirstBaseline::kEmBox; }));
     },
     {"0-3@0,10", "3-6@0,22"}},
    {"fixed at the minimum",
     [](ComposeFixture& f) {
       f.SetOptions(0, With([](FrameOptions& o) {
                      o.firstBaseline = FirstBaseline::kFixed;
                      o.firstBaselineMinimum = 20;
                    }));
     },
     {"0-3@0,20", "3-6@0,32"}},
    {"minimum above ascent",
     [](ComposeFixture& f) { f.SetOptions(0, With([](FrameOptions& o) { o.firstBaselineMinimum = 10; })); },
     {"0-3@0,10", "3-6@0,22"}},
    {"absolute leading",
     [](ComposeFixture& f) { f.Set(kTextAttrLeading, 15.0); },
     {"0-3@0,7.5", "3-6@0,22.5"}},
    {"a paragraph override of a character attribute under one character run",
     [](ComposeFixture& f) {
       AttributeBossList leading;
       EXPECT_EQ(leading.ApplyValue(kTextAttrLeading, 15.0), kSuccess);
       f.Apply(TextStrand::kParagraph, 3, 6, leading);
     },
     {"0-3@0,7.5", "3-6@0,22.5"}},
    {"automatic leading from the largest size",
     [](ComposeFixture& f) { f.Set(kTextAttrPointSize, 20.0, 4, 5); },
     {"0-3@0,7.5", "3-6@0,31.5"}},
    {"space before and after",
     [](ComposeFixture& f) {
       f.Set(kTextAttrSpaceBefore, 6.0);
       f.Set(kTextAttrSpaceAfter, 3.0);
     },
     {"0-3@0,7.5", "3-6@0,28.5"}},
    {"indents",
     [](ComposeFixture& f) {
       f.Set(kTextAttrLeftIndent, 6.0);
       f.Set(kTextAttrFirstLineIndent, 12.0, 3, 6);
     },
     {"0-3@6,7.5", "3-6@18,19.5"}},
    {"centre",
     [](ComposeFixture& f) { f.Set(kTextAttrAlignment, int32_t{1}); },
     {"0-3@24,7.5", "3-6@24,19.5"}},
    {"right with right indent",
     [](ComposeFixture& f) {
       f.Set(kTextAttrAlignment, int32_t{2});
       f.Set(kTextAttrRightIndent, 6.0);
     },
     {"0-3@42,7.5", "3-6@42,19.5"}},
    {"vertical centre",
     [](ComposeFixture& f) {
       f.SetOptions(0,
                    With([](FrameOptions& o) { o.verticalJustification = VerticalJustification::kCenter; }));
     },
     {"0-3@0,46.5", "3-6@0,58.5"}},
    {"vertical bottom",
     [](ComposeFixture& f) {
       f.SetOptions(0,
                    With([](FrameOptions& o) { o.verticalJustification = VerticalJustification::kBottom; }));
     },
     {"0-3@0,85.5", "3-6@0,97.5"}},
    {"vertical bottom before a frame break",
     [](ComposeFixture& f) {
       f.Set(kTextAttrBreakKind, int32_t{2}, 0, 1);
       f.SetOptions(0,
                    With([](FrameOptions& o) { o.verticalJustification = VerticalJustification::kBottom; }));
     },
     {"0-3@0,97.5"}},
    {"columns",
     [](ComposeFixture& f) {
       f.Set(kTextAttrBreakKind, int32_t{1}, 0, 1);
       f.SetOptions(0, With([](FrameOptions& o) {
                      o.columns = 2;
                      o.gutter = 0;
                    }));
     },
     {"0-3@0,7.5", "3-6@30,7.5"}},
};

class PlacementTest : public ComposeFixture, public ::testing::WithParamInterface<PlaceRow> {};

TEST_P(PlacementTest, LinesSitWhereOptionsAndAttributesSay) {
  Story(u"aa\rbb", {{0, 0, 60, 100}});
  GetParam().setUp(*this);
  EXPECT_EQ(Lines(0), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, PlacementTest, ::testing::ValuesIn(kPlaceRows), RowName);

}  // namespace
}  // namespace compose_test
