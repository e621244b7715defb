// How items look: graphic attributes, object styles and text wrap, with their commands, undo and saving.
#include <cmath>
#include <functional>

#include "host/compose/NotificationRecorder.h"
#include "host/db/MemoryStream.h"
#include "host/db/UndoRecord.h"
#include "host/layout/IGraphicAttributes.h"
#include "host/layout/IItemObjectStyle.h"
#include "host/layout/ITextWrap.h"
#include "host/layout/ItemLook.h"
#include "host/layout/ItemLookCmdUtils.h"
#include "host/layout/LayoutEdits.h"
#include "host/res/DocWorkspace.h"
#include "host/res/IStrokeStyleList.h"
#include "host/res/SwatchUtils.h"
#include "tests/host/layout/LayoutFixture.h"
#include "tests/support/TempFolder.h"

namespace layout_test {
namespace {

// Every look fact of the document: its styles, then each item's attributes, wrap and style.
std::string DumpLooks(IDataBase* db) {
  std::ostringstream out;
  auto dumpAttributes = [&](const GraphicAttributeList& list) {
    for (const GraphicAttribute& a : list.Values())
      out << " " << static_cast<uint32_t>(a.cls) << "=" << a.number << "/" << a.ref.Get();
  };
  auto dumpWrap = [&](const TextWrapSettings& w) {
    out << " wrap " << static_cast<int>(w.mode) << "," << static_cast<int>(w.side) << "," << w.invert;
    for (double o : w.offsets)
      out << "," << o;
  };
  for (const ObjectStyle& s : ItemLook::QueryStyleList(db)->GetStyles()) {
    out << "style " << s.id << " " << Utf8FromWide(s.name) << " on " << s.basedOn << " " << s.categories;
    dumpAttributes(s.attributes);
    dumpWrap(s.wrap);
    out << "\n";
  }
  for (UID uid : db->GetAllUIDs()) {
    if (!LayoutUtils::IsPageItem(db, uid)) continue;
    out << "item " << uid.Get() << " style " << Instantiate<IItemObjectStyle>(db, uid)->GetStyle();
    dumpAttributes(Instantiate<IGraphicAttributes>(db, uid)->GetAttributes());
    dumpWrap(Instantiate<ITextWrap>(db, uid)->GetWrap());
    out << "\n";
  }
  return out.str();
}

class ItemLookTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    std::vector<UID> made;
    ASSERT_EQ(Run(kCreateRectangleCmdBoss, {}, {.bounds = {100, 100, 200, 200}, .target = Spread(0)}, &made),
              kSuccess);
    rect_ = made[0];
    frame_ = MainFrame();
    black_ = SwatchUtils::QuerySwatchList(db_)->GetBlackSwatchUID();
    solid_ = QueryDocWorkspace<IStrokeStyleList>(db_)->GetNthStrokeStyleUID(0);
    db_->ClearUndo();
  }
  static GraphicAttributeList List(std::initializer_list<GraphicAttribute> values) {
    GraphicAttributeList list;
    for (const GraphicAttribute& a : values)
      list.Set(a);
    return list;
  }
  ObjectStyleID NewStyle(const char16_t* name, GraphicAttributeList attributes, uint32_t categories) {
    ObjectStyle style{.name = name, .categories = categories, .attributes = std::move(attributes)};
    ObjectStyleID made = kInvalidObjectStyle;
    EXPECT_EQ(ItemLookCmdUtils::NewStyle(db_, style, ObjectStyleKind::kGraphic, made), kSuccess);
    return made;
  }

 public:  // for the tables of operations
  UID rect_, frame_, black_, solid_;
};

TEST_F(ItemLookTest, AttributesApplyAsAListAndAnswerPerClass) {
  GraphicAttributeList all = List({{GraphicAttr::kStrokeWeight, 2},
                                   {GraphicAttr::kStrokeColor, 0, black_},
                                   {GraphicAttr::kStrokeTint, NAN},
                                   {GraphicAttr::kStrokeType, 0, solid_},
                                   {GraphicAttr::kStrokeAlignment, 2},
                                   {GraphicAttr::kCornerEffect, 23064},
                                   {GraphicAttr::kCornerSize, 6},
                                   {GraphicAttr::kFillColor, 0, black_},
                                   {GraphicAttr::kOverprintFill, 1}});
  ASSERT_EQ(ItemLookCmdUtils::ApplyAttributes(db_, {rect_}, all), kSuccess);
  for (const GraphicAttribute& a : all.Values()) {
    SCOPED_TRACE(FindGraphicAttr(a.cls)->name);
    std::optional<GraphicAttribute> own = ItemLook::OwnValue(db_, rect_, a.cls);
    ASSERT_TRUE(own);
    EXPECT_TRUE(SameGraphicValue(*own, a));
  }
  EXPECT_EQ(EffectiveTint(ItemLook::OwnValue(db_, rect_, GraphicAttr::kStrokeTint)->number), 100);
  EXPECT_FALSE(ItemLook::OwnValue(db_, rect_, GraphicAttr::kGapColor));
  // Clearing a class leaves the others; a weight of 0 applies none of the stroke's details in its list.
  GraphicAttributeList noStroke = List({{GraphicAttr::kStrokeWeight, 0},
                                        {GraphicAttr::kStrokeAlignment, 1},
                                        {GraphicAttr::kGapTint, 20},
                                        {GraphicAttr::kEndCap, 1}});
  ASSERT_EQ(ItemLookCmdUtils::ApplyAttributes(db_, {rect_}, noStroke, {GraphicAttr::kFillColor}), kSuccess);
  EXPECT_EQ(ItemLook::OwnValue(db_, rect_, GraphicAttr::kStrokeWeight)->number, 0);
  EXPECT_EQ(ItemLook::OwnValue(db_, rect_, GraphicAttr::kStrokeAlignment)->number, 2);
  EXPECT_FALSE(ItemLook::OwnValue(db_, rect_, GraphicAttr::kGapTint));
  EXPECT_EQ(ItemLook::OwnValue(db_, rect_, GraphicAttr::kEndCap)->number, 1);
  EXPECT_FALSE(ItemLook::OwnValue(db_, rect_, GraphicAttr::kFillColor));
}

TEST_F(ItemLookTest, RefusedValuesChangeNothing) {
  const struct {
    const char* what;
    GraphicAttribute value;
  } rows[] = {
      {"a tint above 100", {GraphicAttr::kFillTint, 100.5}},
      {"a negative weight", {GraphicAttr::kStrokeWeight, -1}},
      {"an alignment beyond outside", {GraphicAttr::kStrokeAlignment, 3}},
      {"a corner effect that is none", {GraphicAttr::kCornerEffect, 5}},
      {"a colour that is a stroke style", {GraphicAttr::kFillColor, 0, UID(0)}},
      {"a stroke type that is a swatch", {GraphicAttr::kStrokeType, 0, UID(0)}},
  };
  std::string before = DumpLooks(db_);
  for (auto row : rows) {
    SCOPED_TRACE(row.what);
    if (row.value.cls == GraphicAttr::kFillColor) row.value.ref = solid_;
    if (row.value.cls == GraphicAttr::kStrokeType) row.value.ref = black_;
    EXPECT_TRUE(Refused(ItemLookCmdUtils::ApplyAttributes(db_, {rect_}, List({row.value}))));
    EXPECT_EQ(DumpLooks(db_), before);
  }
  ASSERT_EQ(Run(kLockItemsCmdBoss, {rect_}, {.flag = true}), kSuccess);
  EXPECT_TRUE(Refused(ItemLookCmdUtils::SetWrap(db_, {rect_}, {.mode = WrapMode::kJumpObject})));
}

TEST_F(ItemLookTest, ItemsOverrideTheirStyleOnlyWithValuesOfTheirOwnThatDiffer) {
  EXPECT_EQ(ItemLook::StyleOfItem(db_, rect_), kGraphicFrameObjectStyle);
  EXPECT_EQ(ItemLook::StyleOfItem(db_, frame_), kTextFrameObjectStyle);
  ObjectStyleID heavy = NewStyle(u"Heavy", List({{GraphicAttr::kStrokeWeight, 3}}), kStrokeCategory);
  ASSERT_EQ(ItemLook::ResolveStyle(db_, heavy)->attributes.Find(GraphicAttr::kFillTint)->number, 100);
  ASSERT_EQ(ItemLookCmdUtils::ApplyAttributes(db_, {rect_}, List({{GraphicAttr::kStrokeWeight, 7}})),
            kSuccess);
  ASSERT_EQ(ItemLookCmdUtils::ApplyStyle(db_, {rect_}, heavy), kSuccess);
  EXPECT_FALSE(ItemLook::OwnValue(db_, rect_, GraphicAttr::kStrokeWeight));  // applying takes governed values
  EXPECT_EQ(ItemLook::EffectiveValue(db_, rect_, GraphicAttr::kStrokeWeight)->number, 3);
  const struct {
    GraphicAttribute own;
    bool overrides;
  } rows[] = {
      {{GraphicAttr::kStrokeWeight, 3}, false},
      {{GraphicAttr::kStrokeWeight, 3 + 1e-9}, false},
      {{GraphicAttr::kStrokeWeight, 3.001}, true},
      {{GraphicAttr::kStrokeTint, NAN}, false},  // reads as the style's 100 %
      {{GraphicAttr::kStrokeTint, 99}, true},
      {{GraphicAttr::kGapTint, 50}, true},  // governed, but the style holds no value
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(FindGraphicAttr(row.own.cls)->name) + " " + std::to_string(row.own.number));
    ASSERT_EQ(ItemLookCmdUtils::ApplyAttributes(db_, {rect_}, List({row.own})), kSuccess);
    EXPECT_EQ(ItemLook::Overrides(db_, rect_, row.own.cls), row.overrides);
  }
  EXPECT_FALSE(ItemLook::Overrides(db_, rect_, GraphicAttr::kFillColor));  // no value of its own
  // An item whose style reference leads nowhere follows the default for its kind.
  {
    UntrackedChanges damaging(db_);
    Instantiate<IItemObjectStyle>(db_, frame_)->SetStyle(99);
  }
  EXPECT_EQ(ItemLook::StyleOfItem(db_, frame_), kTextFrameObjectStyle);
  EXPECT_NE(ItemLook::FindFault(*db_), "");
}

TEST_F(ItemLookTest, NewStylesNeedAFreshNameAndAStyleToBeBasedOn) {
  ObjectStyleID made = kInvalidObjectStyle;
  ASSERT_EQ(ItemLookCmdUtils::NewStyle(db_, {.name = u"Box"}, ObjectStyleKind::kText, made), kSuccess);
  EXPECT_EQ(ItemLook::QueryStyleList(db_)->FindStyle(made)->basedOn, kTextFrameObjectStyle);
  EXPECT_EQ(ItemLook::StyleChain(db_, made), (std::vector<ObjectStyleID>{made, 3, 1}));
  for (const ObjectStyle& bad : {ObjectStyle{.name = u""}, ObjectStyle{.name = u"Box"},
                                 ObjectStyle{.name = u"[None]"}, ObjectStyle{.name = u"X", .basedOn = 42}}) {
    SCOPED_TRACE(Utf8FromWide(bad.name));
    EXPECT_TRUE(Refused(ItemLookCmdUtils::NewStyle(db_, bad, ObjectStyleKind::kGeneral, made)));
  }
}

TEST_F(ItemLookTest, WrapOfAFrameWithoutWrapIsItsOnlyChildsWhenRead) {
  std::vector<UID> made;
  ASSERT_EQ(Run(kCreateGraphicFrameCmdBoss, {}, {.bounds = {0, 0, 50, 50}, .target = Spread(0)}, &made),
            kSuccess);
  UID frame = made[0];
  {
    // A frame holding another item, as a document from a file may have it.
    UntrackedChanges reading(db_);
    LayoutEdits::Reparent(db_, rect_, frame, -1);
  }
  ASSERT_EQ(ItemLookCmdUtils::SetWrap(db_, {rect_}, {.mode = WrapMode::kContour, .offsets = {1, 2, 3, 4}}),
            kSuccess);
  EXPECT_EQ(ItemLook::WrapForReading(db_, frame).mode, WrapMode::kContour);
  ASSERT_EQ(ItemLookCmdUtils::SetWrap(
                db_, {rect_},
                {.mode = WrapMode::kBoundingBox, .offsets = {kKeepWrapOffset, 9, kKeepWrapOffset, 9}}),
            kSuccess);
  EXPECT_EQ(Instantiate<ITextWrap>(db_, rect_)->GetWrap().offsets, (std::array<double, 4>{1, 9, 3, 9}));
  ASSERT_EQ(ItemLookCmdUtils::SetWrap(db_, {frame}, {.mode = WrapMode::kJumpObject}), kSuccess);
  EXPECT_EQ(ItemLook::WrapForReading(db_, frame).mode, WrapMode::kJumpObject);
}

TEST_F(ItemLookTest, EveryCommandUndoesRedoesAndSavesWhatItDid) {
  testing_support::TempFolder dir("item-looks");
  ObjectStyleID red = NewStyle(u"Red", List({{GraphicAttr::kFillColor, 0, black_}}), kFillCategory);
  db_->ClearUndo();
  const struct {
    ClassID cls;
    std::function<ErrorCode(ItemLookTest&)> run;
  } rows[] = {
      {kApplyGraphicAttributesCmdBoss,
       [](ItemLookTest& t) {
         return ItemLookCmdUtils::ApplyAttributes(t.db_, {t.rect_, t.frame_},
                                                  List({{GraphicAttr::kFillTint, 40}}));
       }},
      {kSetTextWrapCmdBoss,
       [](ItemLookTest& t) {
         return ItemLookCmdUtils::SetWrap(t.db_, {t.rect_}, {.mode = WrapMode::kBoundingBox, .invert = true});
       }},
      {kApplyObjectStyleCmdBoss,
       [red](ItemLookTest& t) { return ItemLookCmdUtils::ApplyStyle(t.db_, {t.rect_}, red); }},
      {kNewObjectStyleCmdBoss,
       [](ItemLookTest& t) {
         ObjectStyleID made;
         return ItemLookCmdUtils::NewStyle(t.db_, {.name = u"Later"}, ObjectStyleKind::kGeneral, made);
       }},
  };
  std::vector<NotificationRecord> changes;
  NotificationRecorder recorder([&](const NotificationRecord& r) {
    if (r.role == "change") changes.push_back(r);
  });
  recorder.Attach(db_);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cls.Get());
    std::string before = DumpLooks(db_);
    changes.clear();
    ASSERT_EQ(row.run(*this), kSuccess);
    std::string after = DumpLooks(db_);
    EXPECT_NE(after, before);
    auto own = std::find_if(changes.begin(), changes.end(), [&](const auto& r) { return r.cls == row.cls; });
    ASSERT_NE(own, changes.end());
    EXPECT_EQ(own->protocol,
              row.cls == kNewObjectStyleCmdBoss ? IID_IOBJECTSTYLECHANGES : IID_IPAGEITEMCHANGES);
    ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
    EXPECT_EQ(DumpLooks(db_), before);
    ASSERT_EQ(CmdUtils::Redo(db_), kSuccess);
    EXPECT_EQ(DumpLooks(db_), after);
  }
  recorder.Detach();
  auto path = dir / "looks.pgd";
  ASSERT_TRUE(DocumentList::Get().SaveDocumentAs(db_, path).ok());
  IDataBase* again = nullptr;
  DocumentResult opened = DocumentList::Get().OpenDocument(path, again);
  ASSERT_TRUE(opened.ok()) << opened.message;
  EXPECT_EQ(DumpLooks(again), DumpLooks(db_));
  DocumentList::Get().CloseDocument(again);
}

// Values written as they are (writing checks nothing) must not read back.
TEST_F(ItemLookTest, DamagedLooksAreRefusedAsTheyAreRead) {
  const struct {
    const char* what;
    GraphicAttribute attribute;  // written unless `wrap` holds a mode
    TextWrapSettings wrap;
  } rows[] = {
      {"a class that does not exist", {GraphicAttr(1), 0}, {}},
      {"a tint beyond 100", {GraphicAttr::kFillTint, 101}, {}},
      {"a swatch that is a number", {GraphicAttr::kFillColor, 3}, {}},
      {"a wrap mode that does not exist", {}, {.mode = WrapMode(4)}},
      {"an offset beyond the limit",
       {},
       {.mode = WrapMode::kJumpObject, .offsets = {0, 0, 2 * kMaxWrapOffset, 0}}},
  };
  for (auto row : rows) {
    SCOPED_TRACE(row.what);
    bool wrap = row.wrap.mode != WrapMode::kNone;
    MemoryWriteStream out;
    GraphicAttributeList list = List({row.attribute});
    wrap ? XferTextWrap(&out, row.wrap, "wrap") : list.ReadWrite(&out, "list");
    MemoryReadStream in(out.Bytes());
    wrap ? XferTextWrap(&in, row.wrap, "wrap") : list.ReadWrite(&in, "list");
    EXPECT_NE(in.GetDamage(), "");
  }
}

}  // namespace
}  // namespace layout_test
