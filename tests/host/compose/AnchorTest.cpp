// Items anchored in text: how each kind takes room in its line, how the anchors follow text edits and
// undo, the commands' refusals, and anchors kept by saving and opening. Liberation Mono 10 pt: kCell a
// character, ascent kAscent, automatic leading 12.
#include "host/compose/StoryQueries.h"
#include "host/layout/AnchorUtils.h"
#include "tests/host/compose/ComposeFixture.h"
#include "tests/support/TempFolder.h"

namespace compose_test {
namespace {

// A test name from a row's name.
const auto RowName = [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (c == ' ') c = '_';
  return name;
};

class AnchorFixture : public ComposeFixture {
 public:
  // A 20 x 30 rectangle on the first spread.
  UID Rectangle() {
    std::vector<UID> made;
    EXPECT_EQ(Run(kCreateRectangleCmdBoss, {}, {.bounds = {500, 500, 520, 530}, .target = spread_}, &made),
              kSuccess);
    return made.empty() ? kInvalidUID : made[0];
  }
  ErrorCode Anchor(UID item, int32_t index, AnchorKind kind, UID story = kInvalidUID) {
    return Run(kAnchorItemCmdBoss, {item},
               {.target = story.IsValid() ? story : story_, .position = index, .anchor = kind});
  }
  // "index:item" per anchor of the story.
  std::vector<std::string> Anchors() {
    std::vector<std::string> out;
    for (const ::Anchor& a : StoryQueries::AnchoredItems(db_, story_))
      out.push_back(std::to_string(a.index) + ":" + std::to_string(a.item.Get()));
    return out;
  }
  std::string At(UID item, int32_t index) { return std::to_string(index) + ":" + std::to_string(item.Get()); }
  bool InHierarchy(UID item) { return Instantiate<IHierarchy>(db_, item)->GetParent().IsValid(); }
};

// The second line "aa<object>bb" of "cc\raa<object>bb" in a 60 pt wide frame, with a 20 x 30 item.
struct KindRow {
  const char* name;
  AnchorKind kind;
  double leading;  // kAutoLeading or points
  std::string line;
  double width;
  std::string placed;  // "x,y" of the item
};

class AnchorKindTest : public AnchorFixture, public ::testing::WithParamInterface<KindRow> {};

TEST_P(AnchorKindTest, TakesTheRoomItsKindSays) {
  const KindRow& row = GetParam();
  Story(u"cc\raa\uFFFCbb", {{0, 0, 60, 200}});
  Set(kTextAttrLeading, row.leading);
  ASSERT_EQ(Anchor(Rectangle(), 5, row.kind), kSuccess);
  ASSERT_EQ(Lines(0).size(), 2u);
  EXPECT_EQ(Lines(0)[1], row.line);
  EXPECT_DOUBLE_EQ(Compose().frames[0].lines[1].width, row.width);
  auto placed = StoryQueries::AnchorPlacementAt(db_, story_, 5);
  ASSERT_TRUE(placed);
  EXPECT_EQ(JsonNumber(placed->anchor.x) + "," + JsonNumber(placed->anchor.y), row.placed);
  EXPECT_EQ(placed->frame, frames_[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnchorKindTest,
    ::testing::Values(KindRow{"inline raises automatic leading", AnchorKind::kInline, kAutoLeading,
                              "3-9@0,44.3251953125", 4 * kCell + 20, "12.001953125,14.3251953125"},
                      KindRow{"inline keeps fixed leading", AnchorKind::kInline, 14, "3-9@0,22.3251953125",
                              4 * kCell + 20, "12.001953125,-7.6748046875"},
                      KindRow{"above line moves its line down", AnchorKind::kAboveLine, kAutoLeading,
                              "3-9@0,50.3251953125", 4 * kCell, "0,12"},
                      KindRow{"custom takes nothing", AnchorKind::kCustom, kAutoLeading,
                              "3-9@0,20.3251953125", 4 * kCell, "12.001953125,20.3251953125"}),
    RowName);

TEST_F(AnchorFixture, AnInlineItemWiderThanWhatIsLeftStartsTheNextLine) {
  Story(u"aaaaaaa\uFFFC", {{0, 0, 60, 200}});
  UID item = Rectangle();
  ASSERT_EQ(Anchor(item, 7, AnchorKind::kCustom), kSuccess);
  EXPECT_EQ(Lines(0).size(), 1u);
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {item}), kSuccess);
  ASSERT_EQ(Anchor(Rectangle(), 7, AnchorKind::kInline), kSuccess);
  EXPECT_EQ(Lines(0), (std::vector<std::string>{"0-7@0,8.3251953125", "7-9@0,44.3251953125"}));
}

TEST_F(AnchorFixture, TheItemLeavesTheHierarchyAndUndoBringsItBack) {
  Story(u"cc\raa\uFFFCbb", {{0, 0, 60, 200}});
  UID item = Rectangle();
  const std::vector<std::string> plain = Lines(0);
  ASSERT_EQ(Anchor(item, 5, AnchorKind::kInline), kSuccess);
  EXPECT_FALSE(InHierarchy(item));
  EXPECT_EQ(AnchorUtils::StoryOfItem(db_, item), story_);
  EXPECT_EQ(StoryQueries::InlineItemAt(db_, story_, 5), item);
  EXPECT_NE(Lines(0), plain);
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_TRUE(InHierarchy(item));
  EXPECT_TRUE(Anchors().empty());
  EXPECT_EQ(Lines(0), plain);
  ASSERT_EQ(CmdUtils::Redo(db_), kSuccess);
  EXPECT_EQ(Anchors(), std::vector<std::string>{At(item, 5)});
  EXPECT_NE(Lines(0), plain);
  // Resizing the item recomposes its line: 60 pt tall asks for 72 pt of automatic leading.
  ASSERT_EQ(Run(kResizeItemsCmdBoss, {item}, {.width = 20, .height = 60}), kSuccess);
  EXPECT_EQ(Lines(0)[1], "3-9@0,80.3251953125");
}

TEST_F(AnchorFixture, AStoryDeletedWithItsLastFrameTakesItsAnchoredItems) {
  Story(u"aa\uFFFC", {{0, 0, 60, 200}});
  UID item = Rectangle();
  ASSERT_EQ(Anchor(item, 2, AnchorKind::kInline), kSuccess);
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {frames_[0]}), kSuccess);
  EXPECT_FALSE(db_->IsValidUID(story_));
  EXPECT_FALSE(db_->IsValidUID(item));
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_EQ(StoryQueries::InlineItemAt(db_, story_, 2), item);
  EXPECT_TRUE(db_->IsValidUID(item));
}

TEST_F(AnchorFixture, ACopiedStoryAnchorsCopiesOfItsItems) {
  Story(u"aa\uFFFC", {{0, 0, 60, 200}});
  UID item = Rectangle();
  ASSERT_EQ(Anchor(item, 2, AnchorKind::kAboveLine), kSuccess);
  std::vector<UID> made;
  ASSERT_EQ(Run(kDuplicateSpreadCmdBoss, {spread_}, {}, &made), kSuccess);
  UID copiedFrame = LayoutUtils::ItemsOfSpread(db_, made.at(0)).at(0);
  UID copiedStory = LayoutUtils::StoryOfFrame(db_, copiedFrame);
  std::vector<::Anchor> copied = StoryQueries::AnchoredItems(db_, copiedStory);
  ASSERT_EQ(copied.size(), 1u);
  EXPECT_NE(copied[0].item, item);
  EXPECT_EQ(copied[0].index, 2);
  EXPECT_EQ(copied[0].kind, AnchorKind::kAboveLine);
  EXPECT_FALSE(InHierarchy(copied[0].item));
  EXPECT_EQ(Anchors(), std::vector<std::string>{At(item, 2)});
}

// Text edits around an item anchored at 5 of "cc\raa<object>bb".
struct EditRow {
  const char* name;
  std::function<ErrorCode(const UIDRef&)> edit;
  int32_t index;  // where the anchor is afterwards; -1: the item is gone
};

class AnchorEditTest : public AnchorFixture, public ::testing::WithParamInterface<EditRow> {};

TEST_P(AnchorEditTest, AnchorsFollowTheirCharacters) {
  Story(u"cc\raa\uFFFCbb", {{0, 0, 60, 200}});
  UID item = Rectangle();
  ASSERT_EQ(Anchor(item, 5, AnchorKind::kInline), kSuccess);
  ASSERT_EQ(GetParam().edit(UIDRef(db_, story_)), kSuccess);
  int32_t index = GetParam().index;
  EXPECT_EQ(Anchors(), index < 0 ? std::vector<std::string>() : std::vector<std::string>{At(item, index)});
  EXPECT_EQ(db_->IsValidUID(item), index >= 0);
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_EQ(Anchors(), std::vector<std::string>{At(item, 5)});
  EXPECT_TRUE(db_->IsValidUID(item));
  EXPECT_EQ(Lines(0)[1], "3-9@0,44.3251953125");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnchorEditTest,
    ::testing::Values(
        EditRow{"insert before", [](const UIDRef& s) { return TextCmdUtils::InsertText(s, 0, u"xyz"); }, 8},
        EditRow{"insert at", [](const UIDRef& s) { return TextCmdUtils::InsertText(s, 5, u"x"); }, 6},
        EditRow{"insert after", [](const UIDRef& s) { return TextCmdUtils::InsertText(s, 6, u"x"); }, 5},
        EditRow{"delete before", [](const UIDRef& s) { return TextCmdUtils::DeleteText(s, 0, 3); }, 2},
        EditRow{"delete after", [](const UIDRef& s) { return TextCmdUtils::DeleteText(s, 6, 8); }, 5},
        EditRow{"delete the character", [](const UIDRef& s) { return TextCmdUtils::DeleteText(s, 4, 6); },
                -1}),
    RowName);

TEST_F(AnchorFixture, RefusesWhatCannotBeAnchored) {
  Story(u"a\uFFFC\uFFFCb", {{0, 0, 60, 200}});
  UID first = Rectangle();
  ASSERT_EQ(Anchor(first, 1, AnchorKind::kInline), kSuccess);
  UID locked = Rectangle();
  ASSERT_EQ(Run(kLockItemsCmdBoss, {locked}, {.flag = true}), kSuccess);
  UID inner = Frame(spread_, {0, 300, 60, 400});
  ASSERT_EQ(Anchor(inner, 2, AnchorKind::kInline), kSuccess);
  UID innerStory = LayoutUtils::StoryOfFrame(db_, inner);
  ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, innerStory), 0, u"\uFFFC"), kSuccess);
  const struct {
    const char* name;
    UID item;
    int32_t index;
    UID story;
  } rows[] = {
      {"no anchor character", Rectangle(), 0, story_},
      {"the final return", Rectangle(), 4, story_},
      {"a character already anchoring", Rectangle(), 1, story_},
      {"an item anchored already", first, 2, story_},
      {"a locked item", locked, 2, story_},
      {"a frame of the story itself", frames_[0], 2, story_},
      {"a frame holding the frame it is anchored in", frames_[0], 0, innerStory},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(Refused(Anchor(row.item, row.index, AnchorKind::kInline, row.story)));
  }
}

TEST_F(AnchorFixture, SavingAndOpeningKeepsTheAnchors) {
  Story(u"cc\raa\uFFFCbb\uFFFC", {{0, 0, 60, 200}});
  UID inlineItem = Rectangle(), aboveItem = Rectangle();
  ASSERT_EQ(Anchor(inlineItem, 5, AnchorKind::kInline), kSuccess);
  ASSERT_EQ(Anchor(aboveItem, 8, AnchorKind::kAboveLine), kSuccess);
  const std::vector<::Anchor> anchors = StoryQueries::AnchoredItems(db_, story_);
  const std::vector<std::string> lines = Lines(0);
  testing_support::TempFolder dir{"anchor-files"};
  ASSERT_TRUE(DocumentList::Get().SaveDocumentAs(db_, dir / "anchors.pgd").ok());
  DocumentList::Get().CloseDocument(db_);
  db_ = nullptr;
  DocumentResult opened = DocumentList::Get().OpenDocument(dir / "anchors.pgd", db_);
  ASSERT_TRUE(opened.ok()) << opened.message;
  EXPECT_EQ(StoryQueries::AnchoredItems(db_, story_), anchors);
  EXPECT_FALSE(InHierarchy(inlineItem));
  EXPECT_EQ(Lines(0), lines);
}

}  // namespace
}  // namespace compose_test
