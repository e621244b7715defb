// Hyperlinks, destinations, text anchors and items' plug-in data: every command undoes and redoes exactly,
// sources follow edits of their text, anchors move when made again, and all of it is saved.
#include <functional>

#include "host/db/DocumentFile.h"
#include "host/db/UndoRecord.h"
#include "host/layout/HyperlinkUtils.h"
#include "host/layout/IItemPlugInData.h"
#include "host/text/AttributeClasses.h"
#include "tests/host/layout/LayoutFixture.h"
#include "tests/support/TempFolder.h"

namespace layout_test {
namespace {

class HyperlinkTest : public SampleFixture {
 public:  // for the tables of operations
  ErrorCode Do(ClassID cls, const HyperlinkParams& p, std::vector<UID> items = {},
               std::vector<UID>* made = nullptr) {
    return HyperlinkUtils::Process(cls, db_, items, p, made);
  }
  ErrorCode Anchor(const char16_t* name, int32_t position) {
    return Do(kCreateTextAnchorCmdBoss, {.name = name, .story = FirstStory(), .position = position});
  }
  ErrorCode PageDestination(const char16_t* name, int32_t page) {
    return Do(kSetDestinationCmdBoss,
              {.destination = {.name = name, .kind = DestinationKind::kPage, .page = Page(page)}});
  }
  ErrorCode TextLink(const char16_t* name, int32_t start, int32_t end, const char16_t* to) {
    HyperlinkParams p{.destinationName = to};
    p.hyperlink = {.name = name, .source = {.story = FirstStory(), .start = start, .end = end}};
    return Do(kNewHyperlinkCmdBoss, p);
  }
  ErrorCode Data(const PlugInBytes& bytes) {
    return Do(kSetItemPlugInDataCmdBoss, {.dataID = 0xA8D42, .bytes = bytes}, {rect_});
  }
  const HyperlinkSource& SourceOf(const char16_t* name) const {
    return HyperlinkUtils::QueryTable(db_)->FindHyperlink(name)->source;
  }
  // The hyperlink state of `db` as text, with its layout.
  static std::string Dump(IDataBase* db) {
    std::ostringstream out;
    auto table = HyperlinkUtils::QueryTable(db);
    for (const HyperlinkDestination& d : table->GetDestinations())
      out << "dest " << d.id << " " << static_cast<int>(d.kind) << " " << Utf8FromWide(d.url) << " "
          << HyperlinkUtils::DestinationPageIndex(db, d) << " " << d.anchor.Get() << "\n";
    for (const Hyperlink& h : table->GetHyperlinks())
      out << "link " << Utf8FromWide(h.name) << " " << h.source.start << "-" << h.source.end << " "
          << h.source.item.Get() << " " << h.destination << " " << h.visible << "\n";
    for (UID a : table->GetTextAnchors())
      out << "anchor " << Utf8FromWide(Instantiate<ITextAnchor>(db, a)->GetName()) << " "
          << HyperlinkUtils::TextAnchorPosition(db, a) << "\n";
    for (UID item : LayoutUtils::ItemTree(db, LayoutUtils::SpreadAt(db, 2))) {
      auto data = Instantiate<IItemPlugInData>(db, item);
      for (const auto& [id, bytes] : data ? data->GetAll() : std::vector<std::pair<uint32_t, PlugInBytes>>())
        out << "data " << item.Get() << " " << id << " " << bytes.size() << "\n";
    }
    return out.str() + DumpLayout(db);
  }
};

TEST_F(HyperlinkTest, EveryCommandUndoesAndRedoesExactly) {
  ASSERT_EQ(Anchor(u"here", 2), kSuccess);
  ASSERT_EQ(PageDestination(u"p", 1), kSuccess);
  ASSERT_EQ(Data({1, 2}), kSuccess);
  ASSERT_EQ(TextLink(u"old", 0, 1, u"p"), kSuccess);
  db_->ClearUndo();
  struct Row {
    const char* name;
    ClassID cls;  // the command, which announces its change
    std::function<ErrorCode(HyperlinkTest&)> run;
  };
  const Row rows[] = {
      {"url", kSetDestinationCmdBoss,
       [](HyperlinkTest& t) {
         return t.Do(kSetDestinationCmdBoss, {.destination = {.name = u"u", .url = u"http://x"}});
       }},
      {"page moves", kSetDestinationCmdBoss, [](HyperlinkTest& t) { return t.PageDestination(u"p", 3); }},
      {"text link", kNewHyperlinkCmdBoss, [](HyperlinkTest& t) { return t.TextLink(u"l", 0, 2, u"p"); }},
      {"item link", kNewHyperlinkCmdBoss,
       [](HyperlinkTest& t) {
         HyperlinkParams p{.destinationName = u"p"};
         p.hyperlink = {
             .name = u"i", .source = {.kind = SourceKind::kItem, .item = t.rect_}, .visible = false};
         return t.Do(kNewHyperlinkCmdBoss, p);
       }},
      {"delete link", kDeleteHyperlinkCmdBoss,
       [](HyperlinkTest& t) { return t.Do(kDeleteHyperlinkCmdBoss, {.name = u"old"}); }},
      {"new anchor", kCreateTextAnchorCmdBoss, [](HyperlinkTest& t) { return t.Anchor(u"there", 5); }},
      {"anchor moves", kCreateTextAnchorCmdBoss, [](HyperlinkTest& t) { return t.Anchor(u"here", 6); }},
      {"data", kSetItemPlugInDataCmdBoss, [](HyperlinkTest& t) { return t.Data({3}); }},
      {"no data", kSetItemPlugInDataCmdBoss,
       [](HyperlinkTest& t) {
         return t.Do(kSetItemPlugInDataCmdBoss, {.dataID = 0xA8D42, .remove = true}, {t.rect_});
       }},
  };
  std::string start = Dump(db_);
  std::vector<ClassID> changes;  // what the commands announced on the hyperlink protocol
  NotificationRecorder recorder([&](const NotificationRecord& r) {
    if (r.role == "change" && r.protocol == IID_IHYPERLINKCHANGES) changes.push_back(r.cls);
  });
  recorder.Attach(db_);
  for (const auto& [name, cls, run] : rows) {
    SCOPED_TRACE(name);
    changes.clear();
    ASSERT_EQ(run(*this), kSuccess);
    EXPECT_EQ(changes, std::vector<ClassID>{cls});
    std::string done = Dump(db_);
    EXPECT_NE(done, start);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
    EXPECT_EQ(Dump(db_), start);
    ASSERT_EQ(CmdUtils::Redo(db_), kSuccess);
    EXPECT_EQ(Dump(db_), done);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  }
}

TEST_F(HyperlinkTest, RefusalsChangeNothing) {
  ASSERT_EQ(PageDestination(u"p", 1), kSuccess);
  std::string start = Dump(db_);
  EXPECT_TRUE(Refused(Do(kSetDestinationCmdBoss, {.destination = {.name = u"", .url = u"x"}})));
  EXPECT_TRUE(Refused(Do(kSetDestinationCmdBoss,
                         {.destination = {.name = u"q", .kind = DestinationKind::kPage, .page = rect_}})));
  EXPECT_TRUE(Refused(TextLink(u"l", 0, 2, u"none")));
  EXPECT_TRUE(Refused(TextLink(u"l", 3, 99, u"p")));
  EXPECT_TRUE(Refused(Anchor(u"a", 99)));
  EXPECT_TRUE(Refused(Do(kSetItemPlugInDataCmdBoss, {.dataID = 0}, {rect_})));
  EXPECT_EQ(Dump(db_), start);
}

TEST_F(HyperlinkTest, APageDestinationMovesToALaterPageWithItsHyperlinks) {
  ASSERT_EQ(PageDestination(u"p", 0), kSuccess);
  ASSERT_EQ(TextLink(u"l", 0, 3, u"p"), kSuccess);
  ASSERT_EQ(PageDestination(u"p", 3), kSuccess);
  auto table = HyperlinkUtils::QueryTable(db_);
  ASSERT_EQ(table->GetDestinations().size(), 1u);
  EXPECT_EQ(HyperlinkUtils::DestinationPageIndex(db_, table->GetDestinations()[0]), 3);
  EXPECT_EQ(table->FindDestination(table->FindHyperlink(u"l")->destination)->page, Page(3));
}

TEST_F(HyperlinkTest, MakingAnAnchorAgainMovesItsOneCharacter) {
  ASSERT_EQ(Anchor(u"a", 1), kSuccess);
  ASSERT_EQ(Anchor(u"a", 5), kSuccess);  // before the "T" of "O\uFEFFne\rTwo": 4 once the first goes
  EXPECT_EQ(Text(FirstStory()), u"One\r\uFEFFTwo\rThree\r");
  UID anchor = HyperlinkUtils::FindTextAnchor(db_, u"a");
  EXPECT_EQ(HyperlinkUtils::TextAnchorPosition(db_, anchor), 4);
  EXPECT_EQ(HyperlinkUtils::QueryTable(db_)->GetTextAnchors().size(), 1u);
}

TEST_F(HyperlinkTest, TextSourcesFollowEditsOfTheirText) {
  struct Row {
    int32_t at, deleted;
    const char16_t* inserted;
    int32_t start, end;
  };
  // The source is [2, 5) of "One\rTwo\rThree".
  const Row rows[] = {{0, 0, u"xx", 4, 7}, {3, 0, u"y", 2, 6}, {2, 0, u"y", 3, 6}, {5, 0, u"y", 2, 5},
                      {1, 2, u"", 1, 3},   {4, 3, u"", 2, 4},  {0, 8, u"", 0, 0},  {3, 1, u"zz", 2, 6}};
  ASSERT_EQ(PageDestination(u"p", 0), kSuccess);
  UIDRef story(db_, FirstStory());
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.at << " " << row.deleted);
    ASSERT_EQ(TextLink(u"l", 2, 5, u"p"), kSuccess);
    if (row.deleted > 0) {
      ASSERT_EQ(TextCmdUtils::DeleteText(story, row.at, row.at + row.deleted), kSuccess);
    }
    if (*row.inserted) {
      ASSERT_EQ(TextCmdUtils::InsertText(story, row.at, row.inserted), kSuccess);
    }
    EXPECT_EQ(SourceOf(u"l").start, row.start);
    EXPECT_EQ(SourceOf(u"l").end, row.end);
    for (int i = (row.deleted > 0) + (*row.inserted != 0) + 1; i > 0; --i)
      ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  }
}

TEST_F(HyperlinkTest, AHyperlinkGoesWithTheItemThatIsItsSource) {
  ASSERT_EQ(PageDestination(u"p", 0), kSuccess);
  HyperlinkParams p{.destinationName = u"p"};
  p.hyperlink = {.name = u"i", .source = {.kind = SourceKind::kItem, .item = rect_}};
  ASSERT_EQ(Do(kNewHyperlinkCmdBoss, p), kSuccess);
  ASSERT_EQ(Run(kDeleteItemsCmdBoss, {rect_}), kSuccess);
  EXPECT_EQ(HyperlinkUtils::QueryTable(db_)->FindHyperlink(u"i"), nullptr);
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_NE(HyperlinkUtils::QueryTable(db_)->FindHyperlink(u"i"), nullptr);
}

TEST_F(HyperlinkTest, CopiesOfItemsTakeTheirPlugInDataButNoAnchor) {
  ASSERT_EQ(Anchor(u"a", 1), kSuccess);
  ASSERT_EQ(Do(kSetItemPlugInDataCmdBoss, {.dataID = 7, .bytes = {9}}, {first_, masterFrame_}), kSuccess);
  std::vector<UID> local;
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {Page(2)}}, &local), kSuccess);
  ASSERT_EQ(Run(kDuplicateSpreadCmdBoss, {Spread(1)}), kSuccess);
  UID copy = LayoutUtils::ItemsOfSpread(db_, Spread(2))[0];
  for (UID item : {local.at(0), copy}) {
    const PlugInBytes* bytes = Instantiate<IItemPlugInData>(db_, item)->Get(7);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(*bytes, PlugInBytes{9});
  }
  UID story = LayoutUtils::StoryOfFrame(db_, copy);
  EXPECT_EQ(Text(story).substr(0, 2), u"O\uFEFF");
  EXPECT_FALSE(Instantiate<ITextModel>(db_, story)
                   ->GetRunAt(TextStrand::kCharacter, 1)
                   .overrides->ContainsClass(kTextAttrTextAnchor));
  EXPECT_EQ(HyperlinkUtils::TextAnchorPosition(db_, HyperlinkUtils::FindTextAnchor(db_, u"a")), 1);
}

TEST_F(HyperlinkTest, EverythingIsSavedAndReadBack) {
  testing_support::TempFolder dir{"hyperlink-files"};
  ASSERT_EQ(Anchor(u"a", 2), kSuccess);
  ASSERT_EQ(
      Do(kSetDestinationCmdBoss, {.destination = {.name = u"t",
                                                  .kind = DestinationKind::kTextAnchor,
                                                  .anchor = HyperlinkUtils::FindTextAnchor(db_, u"a")}}),
      kSuccess);
  ASSERT_EQ(PageDestination(u"p", 2), kSuccess);
  ASSERT_EQ(TextLink(u"l", 4, 6, u"t"), kSuccess);
  ASSERT_EQ(Data({0, 255, 7}), kSuccess);
  auto path = dir / "doc.pgd";
  ASSERT_TRUE(DocumentList::Get().SaveDocumentAs(db_, path).ok());
  IDataBase* again = nullptr;
  DocumentResult opened = DocumentList::Get().OpenDocument(path, again);
  ASSERT_NE(again, nullptr) << opened.message;
  EXPECT_EQ(Dump(again), Dump(db_));
  DocumentList::Get().CloseDocument(again);
}

TEST_F(HyperlinkTest, TablesNamingObjectsOfTheWrongKindAreNeitherSavedNorOpened) {
  testing_support::TempFolder dir{"hyperlink-damage"};
  using Row = std::pair<const char*, std::function<void(HyperlinkTest&, IHyperlinkTable&)>>;
  const Row rows[] = {
      {"a page destination on an item",
       [](HyperlinkTest& t, IHyperlinkTable& table) {
         table.SetDestination({.name = u"d", .kind = DestinationKind::kPage, .page = t.rect_});
       }},
      {"text beyond its story",
       [](HyperlinkTest& t, IHyperlinkTable& table) {
         table.AddHyperlink({.source = {.story = t.FirstStory(), .end = 99},
                             .destination = table.SetDestination({.url = u"x"})});
       }},
      {"a hyperlink going nowhere",
       [](HyperlinkTest&, IHyperlinkTable& table) { table.AddHyperlink({.destination = 42}); }},
      {"an anchor that is a page",
       [](HyperlinkTest& t, IHyperlinkTable& table) { table.AddTextAnchor(t.Page(0)); }},
  };
  for (const auto& [what, damage] : rows) {
    SCOPED_TRACE(what);
    SetUp();
    {
      UntrackedChanges damaging(db_);
      damage(*this, *HyperlinkUtils::QueryTable(db_));
    }
    auto path = dir / "damaged.pgd";
    EXPECT_FALSE(DocumentList::Get().SaveDocumentAs(db_, path).ok());
    ASSERT_TRUE(DocumentFile::Save(*static_cast<DataBase*>(db_), path).ok());
    IDataBase* opened = nullptr;
    EXPECT_FALSE(DocumentList::Get().OpenDocument(path, opened).ok());
    EXPECT_EQ(opened, nullptr);
  }
}

}  // namespace
}  // namespace layout_test
