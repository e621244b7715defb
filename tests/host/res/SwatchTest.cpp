// Swatches of a document: the defaults every document has, new colours and tints, undo and saving.
#include <gtest/gtest.h>

#include <cmath>

#include "host/app/DocumentList.h"
#include "host/cmd/ErrorUtils.h"
#include "host/db/DocumentFile.h"
#include "host/res/ISwatch.h"
#include "host/res/SwatchUtils.h"
#include "tests/support/TestHost.h"

namespace {

class SwatchTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    list_ = SwatchUtils::QuerySwatchList(db_);
    ASSERT_TRUE(list_);
  }
  void TearDown() override {
    list_.reset();
    DocumentList::Get().CloseDocument(db_);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  InterfacePtr<ISwatch> Swatch(UID uid) const { return Instantiate<ISwatch>(db_, uid); }
  WideString NameOf(UID uid) const {
    auto s = Swatch(uid);
    return s ? s->GetName() : u"<none>";
  }

  IDataBase* db_ = nullptr;
  InterfacePtr<ISwatchList> list_;
};

ColorValue Cmyk(double c, double m, double y, double k) {
  return {ColorSpace::kCMYK, {c, m, y, k}, false};
}

TEST_F(SwatchTest, NewDocumentHasReservedAndProcessSwatches) {
  struct Expected {
    const char16_t* name;
    SwatchKind kind;
    ColorValue color;
    bool reserved;
  };
  const Expected expected[] = {
      {u"None", SwatchKind::kNone, Cmyk(0, 0, 0, 0), true},
      {u"Paper", SwatchKind::kPaper, Cmyk(0, 0, 0, 0), true},
      {u"Black", SwatchKind::kColor, Cmyk(0, 0, 0, 100), true},
      {u"Registration", SwatchKind::kRegistration, Cmyk(100, 100, 100, 100), true},
      {u"C=100 M=0 Y=0 K=0", SwatchKind::kColor, Cmyk(100, 0, 0, 0), false},
      {u"C=0 M=100 Y=0 K=0", SwatchKind::kColor, Cmyk(0, 100, 0, 0), false},
      {u"C=0 M=0 Y=100 K=0", SwatchKind::kColor, Cmyk(0, 0, 100, 0), false},
      {u"C=15 M=100 Y=100 K=0", SwatchKind::kColor, Cmyk(15, 100, 100, 0), false},
      {u"C=75 M=5 Y=100 K=0", SwatchKind::kColor, Cmyk(75, 5, 100, 0), false},
      {u"C=100 M=90 Y=10 K=0", SwatchKind::kColor, Cmyk(100, 90, 10, 0), false},
  };
  ASSERT_EQ(list_->CountSwatches(), 10);
  for (int32_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(Utf8FromWide(expected[i].name));
    UID uid = list_->FindSwatch(expected[i].name);
    EXPECT_EQ(uid, list_->GetNthSwatchUID(i));
    auto swatch = Swatch(uid);
    ASSERT_TRUE(swatch);
    EXPECT_EQ(swatch->GetKind(), expected[i].kind);
    EXPECT_EQ(swatch->GetColor(), expected[i].color);
    EXPECT_EQ(swatch->IsReserved(), expected[i].reserved);
  }
  EXPECT_EQ(NameOf(list_->GetNoneSwatchUID()), u"None");
  EXPECT_EQ(NameOf(list_->GetPaperSwatchUID()), u"Paper");
  EXPECT_EQ(NameOf(list_->GetBlackSwatchUID()), u"Black");
  EXPECT_EQ(NameOf(list_->GetRegistrationSwatchUID()), u"Registration");
  EXPECT_FALSE(list_->GetNthSwatchUID(10).IsValid());
  EXPECT_FALSE(list_->GetNthSwatchUID(-1).IsValid());
  EXPECT_FALSE(list_->FindSwatch(u"").IsValid());
  EXPECT_FALSE(db_->IsModified());
  EXPECT_FALSE(db_->CanUndo());
}

TEST_F(SwatchTest, NewColorIsAddedAndUndone) {
  ColorValue orange{ColorSpace::kRGB, {255, 128, 0, 0}, true};
  UID uid;
  ASSERT_EQ(SwatchUtils::CreateColorSwatch(db_, u"Orange", orange, uid), kSuccess);
  ASSERT_TRUE(uid.IsValid());
  EXPECT_EQ(list_->FindSwatch(u"Orange"), uid);
  EXPECT_EQ(Swatch(uid)->GetColor(), orange);
  EXPECT_EQ(list_->CountSwatches(), 11);
  EXPECT_EQ(db_->GetUndoName(), "HostNewColorSwatchCmd");

  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_EQ(list_->CountSwatches(), 10);
  EXPECT_FALSE(list_->FindSwatch(u"Orange").IsValid());
  EXPECT_FALSE(db_->IsValidUID(uid));
  ASSERT_EQ(db_->Redo(), kSuccess);
  EXPECT_EQ(list_->FindSwatch(u"Orange"), uid);
}

TEST_F(SwatchTest, ClashingNamesAreMadeUniqueAndEmptyNamesStayUnnamed) {
  UID first, second, third, unnamed;
  ASSERT_EQ(SwatchUtils::CreateColorSwatch(db_, u"Black", Cmyk(0, 0, 0, 90), first), kSuccess);
  ASSERT_EQ(SwatchUtils::CreateColorSwatch(db_, u"Black", Cmyk(0, 0, 0, 80), second), kSuccess);
  ASSERT_EQ(SwatchUtils::CreateColorSwatch(db_, u"Black 2", Cmyk(0, 0, 0, 70), third), kSuccess);
  EXPECT_EQ(NameOf(first), u"Black 2");
  EXPECT_EQ(NameOf(second), u"Black 3");
  EXPECT_EQ(NameOf(third), u"Black 2 2");
  EXPECT_EQ(list_->FindSwatch(u"Black"), list_->GetBlackSwatchUID());

  ASSERT_EQ(SwatchUtils::CreateColorSwatch(db_, u"", Cmyk(10, 0, 0, 0), unnamed), kSuccess);
  EXPECT_EQ(NameOf(unnamed), u"");
  EXPECT_FALSE(list_->FindSwatch(u"").IsValid());
}

TEST_F(SwatchTest, InvalidColorsAreRefusedAndChangeNothing) {
  struct Case {
    const char* what;
    WideString name;
    ColorValue color;
  };
  const Case cases[] = {
      {"cmyk above 100", u"a", Cmyk(0, 101, 0, 0)},
      {"cmyk negative", u"b", Cmyk(0, 0, -1, 0)},
      {"not a number", u"c", Cmyk(NAN, 0, 0, 0)},
      {"infinite", u"d", Cmyk(0, 0, 0, INFINITY)},
      {"rgb above 255", u"e", {ColorSpace::kRGB, {256, 0, 0, 0}, false}},
      {"rgb with a fourth component", u"f", {ColorSpace::kRGB, {1, 2, 3, 4}, false}},
      {"lab a below -128", u"g", {ColorSpace::kLab, {50, -129, 0, 0}, false}},
      {"lab L above 100", u"h", {ColorSpace::kLab, {101, 0, 0, 0}, false}},
      {"unknown space", u"i", {static_cast<ColorSpace>(7), {0, 0, 0, 0}, false}},
      {"name too long", WideString(kMaxSwatchNameLength + 1, u'x'), Cmyk(0, 0, 0, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    UID uid = 99;
    EXPECT_EQ(SwatchUtils::CreateColorSwatch(db_, c.name, c.color, uid), kInvalidParameterError);
    EXPECT_FALSE(uid.IsValid());
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    EXPECT_EQ(list_->CountSwatches(), 10);
  }
  EXPECT_FALSE(db_->CanUndo());
  UID uid;
  EXPECT_EQ(SwatchUtils::CreateColorSwatch(db_, u"Lab", {ColorSpace::kLab, {100, -128, 127, 0}, false}, uid),
            kSuccess);
}

TEST_F(SwatchTest, TintsAreNamedAfterTheirBaseAndReused) {
  UID black = list_->GetBlackSwatchUID();
  UID half;
  ASSERT_EQ(SwatchUtils::CreateTintSwatch(db_, black, 50, half), kSuccess);
  auto tint = Swatch(half);
  ASSERT_TRUE(tint);
  EXPECT_EQ(tint->GetKind(), SwatchKind::kTint);
  EXPECT_EQ(tint->GetTintBase(), black);
  EXPECT_EQ(tint->GetTint(), 50);
  EXPECT_EQ(tint->GetColor(), Cmyk(0, 0, 0, 100));
  EXPECT_EQ(tint->GetName(), u"Black 50%");
  EXPECT_EQ(list_->FindSwatch(u"Black 50%"), half);

  UID again, ofTint, fine;
  ASSERT_EQ(SwatchUtils::CreateTintSwatch(db_, black, 50, again), kSuccess);
  EXPECT_EQ(again, half);
  // A tint of a tint is a tint of the colour itself, not a compound.
  ASSERT_EQ(SwatchUtils::CreateTintSwatch(db_, half, 20, ofTint), kSuccess);
  EXPECT_EQ(Swatch(ofTint)->GetTintBase(), black);
  EXPECT_EQ(NameOf(ofTint), u"Black 20%");
  ASSERT_EQ(SwatchUtils::CreateTintSwatch(db_, black, 12.5, fine), kSuccess);
  EXPECT_EQ(NameOf(fine), u"Black 12.5%");
  EXPECT_EQ(list_->CountSwatches(), 13);
}

TEST_F(SwatchTest, BadTintsAreRefused) {
  struct Case {
    const char* what;
    UID base;
    double tint;
  };
  UID black = list_->GetBlackSwatchUID();
  const Case cases[] = {
      {"tint of None", list_->GetNoneSwatchUID(), 50},
      {"no such object", 9999, 50},
      {"not a swatch", db_->GetRootUID(), 50},
      {"above 100", black, 100.5},
      {"negative", black, -1},
      {"not a number", black, NAN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    UID uid;
    EXPECT_EQ(SwatchUtils::CreateTintSwatch(db_, c.base, c.tint, uid), kInvalidParameterError);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    EXPECT_FALSE(uid.IsValid());
  }
  EXPECT_EQ(list_->CountSwatches(), 10);
}

TEST_F(SwatchTest, SwatchesSurviveSavingAndReopening) {
  UID orange, tint;
  ASSERT_EQ(
      SwatchUtils::CreateColorSwatch(db_, u"Orange", {ColorSpace::kRGB, {255, 128, 0, 0}, true}, orange),
      kSuccess);
  ASSERT_EQ(SwatchUtils::CreateTintSwatch(db_, orange, 30, tint), kSuccess);
  std::vector<uint8_t> bytes = DocumentFile::Serialize(*static_cast<DataBase*>(db_));
  std::unique_ptr<DataBase> reopened;
  ASSERT_EQ(DocumentFile::Deserialize(bytes, reopened).error, kSuccess);

  auto list = SwatchUtils::QuerySwatchList(reopened.get());
  ASSERT_TRUE(list);
  EXPECT_EQ(list->CountSwatches(), 12);
  EXPECT_EQ(list->FindSwatch(u"Orange"), orange);
  EXPECT_EQ(list->FindSwatch(u"Orange 30%"), tint);
  EXPECT_EQ(list->GetBlackSwatchUID(), list_->GetBlackSwatchUID());
  auto swatch = Instantiate<ISwatch>(reopened.get(), orange);
  EXPECT_EQ(swatch->GetColor(), (ColorValue{ColorSpace::kRGB, {255, 128, 0, 0}, true}));
}

TEST(ColorValueTest, TintsMoveTowardPaper) {
  struct Case {
    ColorValue color;
    double tint;
    ColorValue expected;
  };
  const Case cases[] = {
      {Cmyk(100, 50, 0, 20), 50, Cmyk(50, 25, 0, 10)},
      {{ColorSpace::kRGB, {0, 255, 55, 0}, false}, 20, {ColorSpace::kRGB, {204, 255, 215, 0}, false}},
      {{ColorSpace::kLab, {40, 60, -80, 0}, false}, 50, {ColorSpace::kLab, {70, 30, -40, 0}, false}},
      {Cmyk(10, 20, 30, 40), 150, Cmyk(10, 20, 30, 40)},
      {Cmyk(10, 20, 30, 40), NAN, Cmyk(10, 20, 30, 40)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tint);
    ColorValue tinted = ApplyTint(c.color, c.tint);
    for (int i = 0; i < 4; ++i)
      EXPECT_NEAR(tinted.components[i], c.expected.components[i], 1e-9);
  }
}

}  // namespace
