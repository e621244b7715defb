// The installed fonts: faces, full names, variants, metrics, and the font families a document refers to.
#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "host/app/DocumentList.h"
#include "host/db/DocumentFile.h"
#include "host/res/DocWorkspace.h"
#include "host/res/FontCatalog.h"
#include "host/res/IDocFontList.h"
#include "host/res/IFontFamily.h"
#include "tests/support/TestHost.h"

namespace {

const FontFace& Face(std::u16string_view family, std::u16string_view face) {
  const FontFace* f = FontCatalog::Get().FindFace(family, face);
  EXPECT_NE(f, nullptr) << Utf8FromWide(WideString(family)) << " " << Utf8FromWide(WideString(face));
  static const FontFace kNone;
  return f ? *f : kNone;
}

TEST(FontCatalogTest, VariantsKeepWidthAndWeightUnlessBoldnessChanges) {
  struct Case {
    const char16_t* family;
    const char16_t* face;
    int32_t bits;
    const char16_t* expected;  // nullptr: the family has none
  };
  const Case cases[] = {
      {u"DejaVu Serif", u"Book", 1, u"Bold"},
      {u"DejaVu Serif", u"Book", 3, u"Bold Italic"},
      {u"DejaVu Serif", u"Bold Italic", 0, u"Book"},
      {u"DejaVu Serif", u"Condensed", 2, u"Condensed Italic"},
      {u"DejaVu Sans", u"Book", 2, u"Oblique"},
      {u"DejaVu Sans", u"Condensed", 1, u"Condensed Bold"},
      {u"DejaVu Sans", u"ExtraLight", 2, nullptr},
      {u"DejaVu Sans", u"ExtraLight", 1, u"Bold"},
      {u"Liberation Sans", u"Bold Italic", 2, u"Italic"},
      {u"DejaVu Math TeX Gyre", u"Regular", 1, nullptr},
      {u"Liberation Mono", u"Regular", 2, u"Italic"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.family) + " " + Utf8FromWide(c.face) + " bits " + std::to_string(c.bits));
    const FontFace* variant = FontCatalog::Get().FindVariant(Face(c.family, c.face), c.bits);
    if (!c.expected) {
      EXPECT_EQ(variant, nullptr);
    } else {
      ASSERT_NE(variant, nullptr);
      EXPECT_EQ(variant->GetFaceName(), c.expected);
      EXPECT_EQ(variant->GetFamilyName(), c.family);
    }
  }
}

TEST(FontCatalogTest, FullNamesInBothForms) {
  const FontCatalog& catalog = FontCatalog::Get();
  const FontFace* byName = catalog.FindByFullName(u"DejaVu Serif Condensed Bold Italic");
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(byName->GetFaceName(), u"Condensed Bold Italic");
  EXPECT_EQ(byName->GetPostScriptName(), u"DejaVuSerif-CondensedBoldItalic");
  EXPECT_EQ(catalog.FindByFullName(u"DejaVuSerif-CondensedBoldItalic"), byName);
  EXPECT_EQ(catalog.FindByFullName(u"LiberationSans-BoldItalic"), &Face(u"Liberation Sans", u"Bold Italic"));
  EXPECT_EQ(catalog.FindByFullName(u"DejaVu Serif"), nullptr);
  EXPECT_EQ(catalog.FindByFullName(u"dejavu serif book"), nullptr);
  EXPECT_EQ(catalog.FindByFullName(u""), nullptr);
  // Every face has two distinct names that find it again.
  for (const auto& family : catalog.GetFamilies()) {
    for (const auto& face : family.faces) {
      SCOPED_TRACE(Utf8FromWide(face.GetFullName()));
      EXPECT_EQ(catalog.FindByFullName(face.GetFullName()), &face);
      EXPECT_EQ(catalog.FindByFullName(face.GetPostScriptName()), &face);
    }
  }
}

// The values the faces' own tables hold (design units), and one advance in 1/1000 em.
TEST(FontFaceTest, MetricsAreTheFilesOwn) {
  struct Row {
    const char16_t* family;
    const char16_t* face;
    FontMetrics metrics;
    char32_t c;
    double advance;
  };
  const Row rows[] = {
      {u"DejaVu Sans", u"Book", {2048, 1901, 483, 1493, 1120, -85, 90, 530, 102}, U'n', 1298 * 1000.0 / 2048},
      {u"Liberation Sans",
       u"Regular",
       {2048, 1854, 434, 1409, 1082, -142, 150, 530, 102},
       U'n',
       556.15234375},
      {u"Liberation Mono", u"Regular", {2048, 1705, 615, 1349, 1082, -435, 84, 530, 102}, U'W', 600.09765625},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8FromWide(row.family));
    const FontFace& face = Face(row.family, row.face);
    ASSERT_TRUE(face.IsUsable());
    const FontMetrics& m = face.GetMetrics();
    EXPECT_EQ(
        std::tie(m.unitsPerEm, m.ascender, m.descender, m.capHeight, m.xHeight, m.underlinePosition,
                 m.underlineThickness, m.strikeoutPosition, m.strikeoutThickness),
        std::tie(row.metrics.unitsPerEm, row.metrics.ascender, row.metrics.descender, row.metrics.capHeight,
                 row.metrics.xHeight, row.metrics.underlinePosition, row.metrics.underlineThickness,
                 row.metrics.strikeoutPosition, row.metrics.strikeoutThickness));
    EXPECT_DOUBLE_EQ(face.GetAdvance(row.c), row.advance);
    EXPECT_DOUBLE_EQ(face.GetAscent(), m.ascender * 1000.0 / m.unitsPerEm);
  }
  EXPECT_TRUE(Face(u"Liberation Mono", u"Regular").IsMonospaced());
  EXPECT_FALSE(Face(u"Liberation Sans", u"Regular").IsMonospaced());
}

// A file that is damaged, or gone, leaves its face unusable: plain metrics, no shaping, never a crash; the
// catalog substitutes another face for it.
TEST(FontFaceTest, DamagedOrVanishedFileIsUnusable) {
  std::string damaged = testing::TempDir() + "/damaged-font.ttf";
  FILE* file = std::fopen(damaged.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("\x00\x01\x00\x00 not really a font", file);
  std::fclose(file);
  for (const std::string& path : {damaged, testing::TempDir() + "/vanished-font.ttf"}) {
    SCOPED_TRACE(path);
    FontFace face(u"Gone", u"Regular", path, 0, kRegularWeight, false, kNormalWidth);
    EXPECT_FALSE(face.IsUsable());
    EXPECT_EQ(face.GetShapingFont(), nullptr);
    EXPECT_EQ(face.GetAdvance(U'a'), 0);
    EXPECT_EQ(face.GetMetrics().unitsPerEm, 1000);
  }
  std::remove(damaged.c_str());
  const FontFace* substitute = FontCatalog::Get().Substitute(u"Gone", u"Regular");
  ASSERT_NE(substitute, nullptr);
  EXPECT_TRUE(substitute->IsUsable());
  EXPECT_EQ(FontCatalog::Get().DefaultFace()->GetFullName(), u"DejaVu Serif Book");
}

class DocFontListTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    list_ = QueryDocWorkspace<IDocFontList>(db_);
    ASSERT_TRUE(list_);
  }
  void TearDown() override {
    list_.reset();
    DocumentList::Get().CloseDocument(db_);
  }
  IDataBase* db_ = nullptr;
  InterfacePtr<IDocFontList> list_;
};

TEST_F(DocFontListTest, EveryInstalledFamilyHasAFamilyObject) {
  const auto& families = FontCatalog::Get().GetFamilies();
  ASSERT_EQ(list_->CountFamilies(), static_cast<int32_t>(families.size()));
  for (const auto& info : families) {
    SCOPED_TRACE(Utf8FromWide(info.name));
    auto family = Instantiate<IFontFamily>(db_, list_->FindFamily(info.name));
    ASSERT_TRUE(family);
    EXPECT_FALSE(family->IsMissing());
    EXPECT_EQ(family->CountFaces(), static_cast<int32_t>(info.faces.size()));
    EXPECT_EQ(family->GetRegularFaceName(), info.faces[0].GetFaceName());
  }
  EXPECT_FALSE(list_->FindFamily(u"Nosuch").IsValid());
  EXPECT_FALSE(list_->FindFamily(u"").IsValid());
}

TEST_F(DocFontListTest, FamilyObjectAnswersFacesNamesAndVariants) {
  auto family = Instantiate<IFontFamily>(db_, list_->FindFamily(u"DejaVu Sans Mono"));
  ASSERT_TRUE(family);
  EXPECT_EQ(family->GetNthFaceName(1), u"Oblique");
  EXPECT_EQ(family->GetNthFaceName(4), u"");
  EXPECT_TRUE(family->HasFace(u"Oblique"));
  EXPECT_FALSE(family->HasFace(u"Italic"));
  EXPECT_EQ(family->GetVariant(u"Book", 1), u"Bold");
  EXPECT_EQ(family->GetVariant(u"Oblique", 0), u"Book");
  EXPECT_EQ(family->GetFullName(u"Oblique", 0), u"DejaVu Sans Mono Oblique");
  EXPECT_EQ(family->GetFullName(u"Oblique", 1), u"DejaVuSansMono-Oblique");
  EXPECT_EQ(family->GetFullName(u"Italic", 0), u"");
  ASSERT_NE(family->GetFace(u"Book"), nullptr);
  EXPECT_TRUE(family->GetFace(u"Book")->IsMonospaced());

  UID uid;
  WideString face;
  ASSERT_TRUE(list_->FindFontByFullName(u"DejaVu Sans Condensed Bold", uid, face));
  EXPECT_EQ(uid, list_->FindFamily(u"DejaVu Sans"));
  EXPECT_EQ(face, u"Condensed Bold");
  EXPECT_FALSE(list_->FindFontByFullName(u"DejaVu Sans Wide", uid, face));
  EXPECT_FALSE(uid.IsValid());
  EXPECT_EQ(face, u"");
}

TEST_F(DocFontListTest, FamilyUnknownToTheCatalogIsMissingButKeepsItsName) {
  UID uid = list_->FindFamily(u"Liberation Sans");
  auto family = Instantiate<IFontFamily>(db_, uid);
  // A document from a machine with other fonts: the family object keeps the name it was saved with.
  {
    UntrackedChanges building(db_);
    family->SetFamilyName(u"Elsewhere Sans");
  }
  std::vector<uint8_t> bytes = DocumentFile::Serialize(*static_cast<DataBase*>(db_));
  std::unique_ptr<DataBase> reopened;
  ASSERT_EQ(DocumentFile::Deserialize(bytes, reopened).error, kSuccess);
  auto saved = Instantiate<IFontFamily>(reopened.get(), uid);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->GetFamilyName(), u"Elsewhere Sans");
  EXPECT_TRUE(saved->IsMissing());
  EXPECT_EQ(saved->CountFaces(), 0);
  EXPECT_EQ(saved->GetRegularFaceName(), u"");
  EXPECT_EQ(saved->GetVariant(u"Regular", 1), u"");
  EXPECT_EQ(QueryDocWorkspace<IDocFontList>(reopened.get())->FindFamily(u"Elsewhere Sans"), uid);
}

}  // namespace
