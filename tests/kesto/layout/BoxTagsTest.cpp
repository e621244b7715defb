// Box tags imported into the first story of a document with facing pages: the items they make, where
// they go, what goes into text boxes, groups, and the reports left in the text.
#include <gtest/gtest.h>

#include "host/layout/ITextFrame.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "tests/host/layout/LayoutFixture.h"
#include "tests/kesto/reader/ScannerTestSupport.h"

namespace kesto {
namespace {

using testing_reader::Readable;

// A box tag `name` with the elements `head` and the quoted `label` as element `labelIndex`.
std::u16string Box(std::u16string_view name, std::u16string_view head, int labelIndex,
                   std::u16string_view label) {
  std::u16string tag = u"<" + std::u16string(name) + u"(" + std::u16string(head);
  int elements = 1 + static_cast<int>(std::count(head.begin(), head.end(), u','));
  tag.append(static_cast<size_t>(labelIndex - elements + 1), u',');
  return tag + u"\"" + std::u16string(label) + u"\")>";
}
constexpr int kTextLabel = 19, kEmptyLabel = 12, kLineLabel = 12;

class BoxTagsTest : public layout_test::SampleFixture {
 protected:
  void SetUp() override {
    SampleFixture::SetUp();
    ASSERT_EQ(RegisterKestoAttributes(), kSuccess);
  }
  // Imports `input` at the start of the first story (one undo step); answers the boxes made.
  int32_t Import(std::u16string_view input) {
    auto source = testing_reader::MemorySource::FromText(input);
    XStory story(db_, FirstStory(), 0, 0);
    story.BeginImport();
    KestoScanner scanner(db_);
    scanner.SetOptions(CTaggedTextScanner::kInterpretTags);
    int32_t boxes = 0;
    {
      KestoScannerAgent agent(&story, source->Stream(), kImportReportErrors, &scanner);
      EXPECT_EQ(scanner.Scan(source->Stream(), &agent), 0);
      boxes = agent.GetBoxCount();
    }
    story.EndImport();
    return boxes;
  }
  std::vector<UID> Items(int32_t spread) const {
    std::vector<UID> all;
    for (UID top : LayoutUtils::ItemsOfSpread(db_, Spread(spread)))
      for (UID uid : LayoutUtils::ItemTree(db_, top))
        all.push_back(uid);
    return all;
  }
  UID Labelled(const char* label) const {
    auto found = LayoutUtils::ItemsLabelled(db_, WideFromUtf8(label));
    return found.empty() ? kInvalidUID : found[0];
  }
  PMRect Bounds(UID item) const { return Instantiate<IPageItem>(db_, item)->GetBounds(); }
  // The story of `frame` with "/" for each return.
  std::string StoryOf(UID frame) const {
    std::string out;
    for (char16_t c : Text(LayoutUtils::StoryOfFrame(db_, frame)))
      out += c == u'\r' ? std::string("/") : Utf8FromWide(WideString(1, c));
    return out;
  }
  double PageWidth() const { return Instantiate<IPage>(db_, Page(1))->GetWidth(); }
};

TEST_F(BoxTagsTest, PlacedBoxesLandOnThePageOfTheText) {
  size_t before = Items(1).size();
  EXPECT_EQ(Import(Box(u"&tbu", u"36,72,200,100", kTextLabel, u"a") + u"Text<&te>" +
                   Box(u"&nbu", u"0,0,50,50", kEmptyLabel, u"b") +
                   Box(u"&lbu", u"10,10,45,100,R", kLineLabel, u"l") + u"<&o(10,10)><&o(5,0)>" +
                   Box(u"&nbu", u"0,0,20,20", kEmptyLabel, u"o") + u"<&o0>" +
                   Box(u"&nbu", u"12TL1,0,30,30", kEmptyLabel, u"r") +
                   Box(u"&nbu", u"100B,-20,30,30", kEmptyLabel, u"s")),
            6);
  EXPECT_EQ(Items(1).size(), before + 6);
  UID a = Labelled("a");
  ASSERT_TRUE(a.IsValid());
  EXPECT_EQ(Bounds(a).left, 36);
  EXPECT_EQ(Bounds(a).top, 72);
  EXPECT_EQ(Bounds(a).Width(), 200);
  EXPECT_EQ(Bounds(a).Height(), 100);
  EXPECT_EQ(StoryOf(a), "Text/");
  EXPECT_EQ(StoryOf(first_), "One/Two/Three/") << "the box's text stays out of the main story";
  EXPECT_NEAR(Bounds(Labelled("l")).Width(), 100 * std::cos(M_PI / 4), 1e-6);
  EXPECT_EQ(Bounds(Labelled("o")).left, 15);
  EXPECT_EQ(Bounds(Labelled("o")).top, 10);
  EXPECT_EQ(Bounds(Labelled("r")).left, Bounds(Labelled("o")).left + 12) << "12 right of the newest box";
  EXPECT_EQ(Bounds(Labelled("s")).left, 100) << "spread coordinates";
  EXPECT_EQ(Bounds(Labelled("s")).top, 0) << "kept inside the spread";
}

TEST_F(BoxTagsTest, BuilderErrorsAreReportedInlineAndLeaveNoItem) {
  struct Row {
    std::u16string input;
    std::string text;  // the first story afterwards
    size_t made;       // items left on the spread
  } rows[] = {
      {u"<&nbu(0,0,5000,50)>",
       "\u00ABKesto error: Box is too large to fit on spread: tag &nbu\u00BBOne/Two/Three/", 0},
      {u"<&te>x", "\u00ABKesto error: Unmatched &te: tag &te\u00BBxOne/Two/Three/", 0},
      {u"<&nbu(0,0,30,30)><&g(1,101)>",
       "\u00ABKesto error: Relative box reference out of range: tag &g\u00BBOne/Two/Three/", 1},
      {u"<&nbu(12TL5,0,30,30)>", "\u00ABKesto error: No such previous box: tag &nbu\u00BBOne/Two/Three/", 0},
      {u"<&nbu(0,0,30,30)><&g(1,3)>", "\u00ABKesto error: No such previous box: tag &g\u00BBOne/Two/Three/",
       1},
      {u"<&nbu(0,0,30,30)><&nbu(0,0,30,30)><&g(1,2)><&g(2,3)>",
       "\u00ABKesto error: Can't group: box is already grouped: tag &g\u00BBOne/Two/Three/", 3},
      {u"<&tbu(0,0,100,100)><&g(1)><&m1><&te>", "One/Two/Three/", 1},
      {u"<&tbu(0,0,1,30)>inside<&te>", "\u00ABKesto error: Value out of range: tag &tbu\u00BBOne/Two/Three/",
       0},
  };
  size_t base = Items(1).size();
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Import(row.input);
    EXPECT_EQ(StoryOf(first_), row.text);
    EXPECT_EQ(Items(1).size(), base + row.made);
    db_->Undo();
    EXPECT_EQ(Items(1).size(), base) << "undo removes every item the import made";
    EXPECT_EQ(StoryOf(first_), "One/Two/Three/");
  }
}

TEST_F(BoxTagsTest, TextBoxesNestEightDeep) {
  std::u16string input;
  for (int i = 1; i <= 9; ++i)
    input += Box(u"&tbu", u"10,10,200,200", kTextLabel, u"t" + WideFromUtf8(std::to_string(i))) +
             WideFromUtf8(std::to_string(i));
  for (int i = 1; i <= 9; ++i)
    input += u"<&te>";
  input += u"after";
  EXPECT_EQ(Import(input), 8);
  for (int i = 1; i <= 7; ++i)
    EXPECT_EQ(StoryOf(Labelled(("t" + std::to_string(i)).c_str())), std::to_string(i) + "/") << i;
  EXPECT_FALSE(Labelled("t9").IsValid());
  EXPECT_EQ(StoryOf(Labelled("t8")), "8\u00ABKesto error: Text boxes nested too deep: tag &tbu\u00BB/");
  EXPECT_EQ(StoryOf(first_), "afterOne/Two/Three/");
  db_->Undo();
  EXPECT_FALSE(Labelled("t1").IsValid());
}

TEST_F(BoxTagsTest, AnchoredBoxesGoIntoTheText) {
  EXPECT_EQ(Import(u"a<&tb(100,50)>inner<&te>b<&nb(20,20)>c"), 2);
  std::u16string text = Text(FirstStory());
  EXPECT_EQ(Readable(text.substr(0, 5)), Readable(u"a\uFFFCb\uFFFCc"));
  auto anchors = Instantiate<IStoryAnchors>(db_, FirstStory());
  ASSERT_TRUE(anchors);
  ASSERT_EQ(anchors->GetAnchors().size(), 2u);
  UID box = anchors->GetAnchors()[0].item;
  EXPECT_EQ(Bounds(box).Width(), 100);
  EXPECT_EQ(Bounds(box).Height(), 50);
  EXPECT_EQ(StoryOf(box), "inner/");
}

}  // namespace
}  // namespace kesto
