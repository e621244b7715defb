// Composition of a story in Liberation Mono 10 pt (1229/2048 em, about 6.001 pt a character; ascent
// 8.3251953125, descent 3.0029296875, cap height 6.5869140625, x-height 5.283203125, automatic leading 12)
// through frames of known size.
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

// Line breaks in a 61 pt wide frame: ten characters a line.
struct BreakRow {
  const char* name;
  std::u16string text;
  Lines lines;
};

class LineBreakTest : public ComposeFixture, public ::testing::WithParamInterface<BreakRow> {};

TEST_P(LineBreakTest, BreaksWhereTheWidthTableSays) {
  Story(GetParam().text, {{0, 0, 61, 200}});
  EXPECT_EQ(Lines(0), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineBreakTest,
    ::testing::Values(
        BreakRow{"at spaces", u"aaaa bbbb cccc", {"0-10@0,8.3251953125", "10-15@0,20.3251953125"}},
        BreakRow{"spaces hang", u"aaaaaaaaaa bb", {"0-11@0,8.3251953125", "11-14@0,20.3251953125"}},
        BreakRow{"after a hyphen", u"aaaa-bbbbbbb", {"0-5@0,8.3251953125", "5-13@0,20.3251953125"}},
        BreakRow{
            "long word by character", u"abcdefghijklmno", {"0-10@0,8.3251953125", "10-16@0,20.3251953125"}},
        BreakRow{"not at a no break space",
                 u"aaaaaa\u00A0bbbb cc",
                 {"0-10@0,8.3251953125", "10-15@0,20.3251953125"}},
        BreakRow{"paragraphs", u"aa\rbb", {"0-3@0,8.3251953125", "3-6@0,20.3251953125"}},
        BreakRow{"empty paragraph", u"\r", {"0-1@0,8.3251953125", "1-2@0,20.3251953125"}}),
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
    {"plain", [](ComposeFixture&) {}, {"0-3@0,8.3251953125", "3-6@0,20.3251953125"}},
    {"insets",
     [](ComposeFixture& f) { f.SetOptions(0, With([](FrameOptions& o) {
                                            o.insets = {5, 4, 0, 0};
                                          })); },
     {"0-3@4,13.3251953125", "3-6@4,25.3251953125"}},
    {"cap height",
     [](ComposeFixture& f) {
       f.SetOptions(0, With([](FrameOptions& o) { o.firstBaseline = FirstBaseline::kCapHeight; }));
     },
     {"0-3@0,6.5869140625", "3-6@0,18.5869140625"}},
    {"leading",
     [](ComposeFixture& f) {
       f.SetOptions(0, With([](FrameOptions& o) { o.firstBaseline = FirstBaseline::kLeading; }));
     },
     {"0-3@0,12", "3-6@0,24"}},
    {"x height",
     [](ComposeFixture& f) {
       f.SetOptions(0, With([](FrameOptions& o) { o.firstBaseline = FirstBaseline::kXHeight; }));
     },
     {"0-3@0,5.283203125", "3-6@0,17.283203125"}},
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
     {"0-3@0,8.3251953125", "3-6@0,23.3251953125"}},
    {"a paragraph override of a character attribute under one character run",
     [](ComposeFixture& f) {
       AttributeBossList leading;
       EXPECT_EQ(leading.ApplyValue(kTextAttrLeading, 15.0), kSuccess);
       f.Apply(TextStrand::kParagraph, 3, 6, leading);
     },
     {"0-3@0,8.3251953125", "3-6@0,23.3251953125"}},
    {"automatic leading from the largest size",
     [](ComposeFixture& f) { f.Set(kTextAttrPointSize, 20.0, 4, 5); },
     {"0-3@0,8.3251953125", "3-6@0,32.3251953125"}},
    {"space before and after",
     [](ComposeFixture& f) {
       f.Set(kTextAttrSpaceBefore, 6.0);
       f.Set(kTextAttrSpaceAfter, 3.0);
     },
     {"0-3@0,8.3251953125", "3-6@0,29.3251953125"}},
    {"indents",
     [](ComposeFixture& f) {
       f.Set(kTextAttrLeftIndent, 6.0);
       f.Set(kTextAttrFirstLineIndent, 12.0, 3, 6);
     },
     {"0-3@6,8.3251953125", "3-6@18,20.3251953125"}},
    {"centre",
     [](ComposeFixture& f) { f.Set(kTextAttrAlignment, int32_t{1}); },
     {"0-3@23.9990234375,8.3251953125", "3-6@23.9990234375,20.3251953125"}},
    {"right with right indent",
     [](ComposeFixture& f) {
       f.Set(kTextAttrAlignment, int32_t{2});
       f.Set(kTextAttrRightIndent, 6.0);
     },
     {"0-3@41.998046875,8.3251953125", "3-6@41.998046875,20.3251953125"}},
    {"vertical centre",
     [](ComposeFixture& f) {
       f.SetOptions(0,
                    With([](FrameOptions& o) { o.verticalJustification = VerticalJustification::kCenter; }));
     },
     {"0-3@0,46.6611328125", "3-6@0,58.6611328125"}},
    {"vertical bottom",
     [](ComposeFixture& f) {
       f.SetOptions(0,
                    With([](FrameOptions& o) { o.verticalJustification = VerticalJustification::kBottom; }));
     },
     {"0-3@0,84.9970703125", "3-6@0,96.9970703125"}},
    {"vertical bottom before a frame break",
     [](ComposeFixture& f) {
       f.Set(kTextAttrBreakKind, int32_t{2}, 0, 1);
       f.SetOptions(0,
                    With([](FrameOptions& o) { o.verticalJustification = VerticalJustification::kBottom; }));
     },
     {"0-3@0,96.9970703125"}},
    {"columns",
     [](ComposeFixture& f) {
       f.Set(kTextAttrBreakKind, int32_t{1}, 0, 1);
       f.SetOptions(0, With([](FrameOptions& o) {
                      o.columns = 2;
                      o.gutter = 0;
                    }));
     },
     {"0-3@0,8.3251953125", "3-6@30,8.3251953125"}},
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
