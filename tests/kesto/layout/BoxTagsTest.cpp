// Box tags imported into the first story of a document with facing pages: the items they make, where
// they go, what goes into text boxes, groups, and the reports left in the text.
#include <gtest/gtest.h>

#include "host/layout/HyperlinkUtils.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/ITextWrap.h"
#include "host/layout/ItemLook.h"
#include "host/layout/PictureFitting.h"
#include "host/layout/PictureUtils.h"
#include "host/res/LineEndStyles.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "tests/host/layout/LayoutFixture.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/PictureSamples.h"
#include "tests/support/TempFolder.h"

namespace kesto {
namespace {

using testing_reader::Readable;
using testing_support::SamplePng;
using testing_support::TempFolder;
using testing_support::WriteBytes;

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
  EXPECT_TRUE(Instantiate<IPageItem>(db_, Labelled("l"))->GetTransform().flipHorizontal) << "it rises";
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
      {u"<&nbu(0,0,30,30,,1,Mauve)>",
       "\u00ABKesto error: No such color: tag &nbu param #7\u00BBOne/Two/Three/", 0},
      {u"<&nbu(0,0,30,30,,1,,,\"Wavy\")>",
       "\u00ABKesto error: No such frame: tag &nbu param #9\u00BBOne/Two/Three/", 0},
      {u"<&lbu(0,0,30,30,,,1,,,,,arrows)>",
       "\u00ABKesto error: Value out of range: tag &lbu param #12\u00BBOne/Two/Three/", 0},
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

// What the tags say about a box's look, read back through the host: a swatch as its standard colour code.
TEST_F(BoxTagsTest, BoxesLookAsTheirTagsSay) {
  using A = GraphicAttr;
  struct Look {
    GraphicAttr cls;
    double value;  // -1: the item has no value of its own
  };
  struct Row {
    std::u16string tag;
    std::vector<Look> looks;
    WrapMode wrap;
  } rows[] = {
      // A weight of 1 and a tint of 100 are what the item's object style gives: they stay the style's.
      {u"<&nbu(0,0,50,50,,1,Red,50,,N,,,\"x\")>",
       {{A::kStrokeWeight, -1}, {A::kStrokeColor, 7}, {A::kStrokeTint, 50}, {A::kFillColor, 0}},
       WrapMode::kBoundingBox},
      {u"<&nbu(0,0,50,50,,,,,,,,,\"x\")>",
       {{A::kFillColor, 1}, {A::kFillTint, -1}, {A::kStrokeWeight, 0}, {A::kStrokeColor, -1}},
       WrapMode::kBoundingBox},
      {u"<&nbu(0,0,50,50,J,(2,12,C),,,,Blue,40,5,\"x\")>",
       {{A::kCornerEffect, static_cast<double>(CornerEffect::kInset)},
        {A::kCornerSize, 6},
        {A::kFillColor, 9},
        {A::kFillTint, 40}},
       WrapMode::kJumpObject},
      {u"<&lbu(10,10,100,10,,,2,,,,,right,\"x\")>",
       {{A::kLineStart, 0}, {A::kLineEnd, static_cast<double>(LineEnd::kCurved)}, {A::kGapColor, 0}},
       WrapMode::kNone},
      {u"<&lbu(10,10,100,10,,,2,,,,,(Bar,n),\"x\")>",
       {{A::kLineStart, 7}, {A::kLineEnd, 0}},
       WrapMode::kNone},
      {u"<&nbu(0,0,50,50,,,,,,,,,\"x\",,\"Callout\")>", {{A::kFillColor, -1}}, WrapMode::kNone},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.tag));
    EXPECT_EQ(Import(row.tag), 1);
    UID item = Labelled("x");
    ASSERT_TRUE(item.IsValid());
    for (const Look& look : row.looks) {
      SCOPED_TRACE(FindGraphicAttr(look.cls)->name);
      std::optional<GraphicAttribute> own = ItemLook::OwnValue(db_, item, look.cls);
      VyColorDesc color;
      if (own && own->ref.IsValid()) ASSERT_TRUE(DescribeColor(db_, own->ref, color));
      EXPECT_EQ(!own ? -1 : own->ref.IsValid() ? color.standardCode : own->number, look.value);
    }
    EXPECT_EQ(Instantiate<ITextWrap>(db_, item)->GetWrap().mode, row.wrap);
    EXPECT_EQ(StoryOf(first_), "One/Two/Three/");
    db_->Undo();
  }
  ObjectStyleID callout = ItemLook::QueryStyleList(db_)->FindStyleByName(u"Callout");
  EXPECT_EQ(callout, kInvalidObjectStyle) << "undo takes back the style the import made";
}

// Hyperlinks over text and boxes to pages, anchors and addresses; anchors named further on are found at
// the end of the import; the bad forms are reported where they stand.
TEST_F(BoxTagsTest, HyperlinksAndAnchorsFromTags) {
  struct Row {
    std::u16string input;
    std::string text;  // the first story afterwards, the anchors' characters as "#"
    DestinationKind kind;
    SourceKind source;
    int32_t sourceStart, sourceEnd;  // a text source's range
    size_t links;
  } rows[] = {
      {u"<&Ys>here<&Ye(\"Chapter 2\",1,\"\")> ", "here One/Two/Three/", DestinationKind::kPage,
       SourceKind::kText, 0, 4, 1},
      {u"<&Ys>a<&Ye(\"Later\",\"#spot\")>b<&Ya\"spot\">", "ab#One/Two/Three/", DestinationKind::kTextAnchor,
       SourceKind::kText, 0, 1, 1},
      {u"<&nbu(0,0,30,30)><&Yb(1,\"Web\",\"http://example.org/\")>", "One/Two/Three/", DestinationKind::kURL,
       SourceKind::kItem, 0, 0, 1},
      {u"<w\"dup\">x<&Yp\"dup\">",
       "#x\u00ABKesto error: Can't create text anchor: tag &Yp\u00BBOne/Two/Three/", DestinationKind::kURL,
       SourceKind::kText, 0, 0, 0},
      {u"<&Ys>open", "open\u00ABKesto error: Can't create hyperlink: tag &Ys\u00BBOne/Two/Three/",
       DestinationKind::kURL, SourceKind::kText, 0, 0, 0},
      {u"x<&Ye(\"d\",1)>", "x\u00ABKesto error: Hyperlink open/close mismatch: tag &Ye\u00BBOne/Two/Three/",
       DestinationKind::kURL, SourceKind::kText, 0, 0, 0},
      {u"<&Yb(3,\"d\",1)>", "\u00ABKesto error: No such previous box: tag &Yb\u00BBOne/Two/Three/",
       DestinationKind::kURL, SourceKind::kText, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    Import(row.input);
    std::string text = StoryOf(first_);
    for (size_t at; (at = text.find("\uFEFF")) != std::string::npos;)
      text.replace(at, 3, "#");
    EXPECT_EQ(text, row.text);
    auto table = HyperlinkUtils::QueryTable(db_);
    ASSERT_EQ(table->GetHyperlinks().size(), row.links);
    if (row.links > 0) {
      const Hyperlink& link = table->GetHyperlinks()[0];
      EXPECT_EQ(table->FindDestination(link.destination)->kind, row.kind);
      EXPECT_EQ(link.source.kind, row.source);
      EXPECT_EQ(link.source.start, row.sourceStart);
      EXPECT_EQ(link.source.end, row.sourceEnd);
    }
    db_->Undo();
    EXPECT_TRUE(HyperlinkUtils::QueryTable(db_)->GetHyperlinks().empty());
    EXPECT_TRUE(HyperlinkUtils::QueryTable(db_)->GetTextAnchors().empty());
  }
}

// A 40 x 20 picture in a 144-point square frame: the fitting option, the picture's own scale and offset,
// and the frame fitted to its picture.
TEST_F(BoxTagsTest, PicturesTakeTheirAttributesOnceInTheirFrame) {
  TempFolder folder("kesto-box-pictures");
  WriteBytes(folder / "p.png", SamplePng(40, 20));
  std::u16string file = WideFromUtf8((folder / "p.png").string());
  struct Row {
    std::u16string elements;  // after the frame's corners
    ItemTransform transform;  // the picture's scale
    PMRect content;           // where the picture lands, or the frame once fitted to it
    bool frame;
  } rows[] = {
      {u",,,,,,,,,C", {1, 1}, {52, 62, 92, 82}, false},
      {u",,,,,,,,,F", {3.6, 7.2}, {0, 0, 144, 144}, false},
      {u",,,,,,,,,,50%,200%,10,20", {0.5, 2}, {10, 20, 30, 60}, false},
      {u",,,,,,,,,,200%,200%", {2, 2}, {0, 0, 80, 144}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.elements));
    std::u16string frame = row.frame ? u"144?500" : u"144";
    // The picture's name is element 19 of the placed form, the label element 21.
    auto commas = static_cast<size_t>(std::count(row.elements.begin(), row.elements.end(), u','));
    EXPECT_EQ(Import(u"<&pbu(0,0," + frame + u",144" + row.elements + std::u16string(16 - commas, u',') +
                     u"\"" + file + u"\",,\"x\")>"),
              1);
    UID box = Labelled("x");
    ASSERT_TRUE(box.IsValid());
    UID image = PictureUtils::ContentOf(db_, box);
    ASSERT_TRUE(image.IsValid());
    const ItemTransform& t = Instantiate<IPageItem>(db_, image)->GetTransform();
    EXPECT_NEAR(t.scaleX, row.transform.scaleX, 1e-9);
    EXPECT_NEAR(t.scaleY, row.transform.scaleY, 1e-9);
    PMRect got = row.frame ? Bounds(box) : PictureFitting::ContentExtent(db_, image, {0, 0, 0, 0});
    EXPECT_NEAR(got.left, row.content.left, 1e-6);
    EXPECT_NEAR(got.top, row.content.top, 1e-6);
    EXPECT_NEAR(got.right, row.content.right, 1e-6);
    EXPECT_NEAR(got.bottom, row.content.bottom, 1e-6);
    db_->Undo();
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
