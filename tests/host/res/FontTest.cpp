// The installed fonts: faces, full names, variants, metrics, and the font families a document refers to.
#include <gtest/gtest.h>

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
  static const FontFace kNone(u"", u"", 400, false, FontStretch::kNormal, FontDesign::kSans);
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
      {u"Halden Serif", u"Regular", 1, u"Bold"},
      {u"Halden Serif", u"Regular", 3, u"Bold Italic"},
      {u"Halden Serif", u"Bold Italic", 0, u"Regular"},
      {u"Halden Serif", u"Semibold", 2, u"Semibold Italic"},
      {u"Halden Serif", u"Semibold", 1, u"Bold"},
      {u"Tarn Sans", u"Roman", 2, u"Oblique"},
      {u"Tarn Sans", u"Condensed", 1, u"Bold Condensed"},
      {u"Tarn Sans", u"Condensed", 2, nullptr},
      {u"Tarn Sans", u"Black", 0, u"Roman"},
      {u"Kaari", u"Light", 2, u"LightOblique"},
      {u"Kaari", u"BoldOblique", 2, u"Oblique"},
      {u"Vesper", u"Book", 3, u"Bold Italic"},
      {u"Quill Script", u"Regular", 1, nullptr},
      {u"Quill Script", u"Italic", 0, u"Regular"},
      {u"Orbit Grotesk", u"Narrow", 1, u"Narrow Bold"},
      {u"Lumen Mono", u"Regular", 2, nullptr},
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
  const FontFace* byName = catalog.FindByFullName(u"Halden Serif Semibold Italic");
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(byName->GetFaceName(), u"Semibold Italic");
  EXPECT_EQ(byName->GetPostScriptName(), u"HaldenSerif-SemiboldItalic");
  EXPECT_EQ(catalog.FindByFullName(u"HaldenSerif-SemiboldItalic"), byName);
  EXPECT_EQ(catalog.FindByFullName(u"Kaari-BoldOblique"), &Face(u"Kaari", u"BoldOblique"));
  EXPECT_EQ(catalog.FindByFullName(u"Halden Serif"), nullptr);
  EXPECT_EQ(catalog.FindByFullName(u"halden serif regular"), nullptr);
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

TEST(FontFaceTest, AdvanceWidthsFollowDesignWeightAndWidth) {
  const FontFace& regular = Face(u"Tarn Sans", u"Roman");
  const FontFace& bold = Face(u"Tarn Sans", u"Bold");
  const FontFace& condensed = Face(u"Tarn Sans", u"Condensed");
  const FontFace& serif = Face(u"Halden Serif", u"Regular");
  const FontFace& mono = Face(u"Lumen Mono", u"Bold");
  EXPECT_EQ(regular.GetAdvance('n'), BaseAdvance('n'));
  EXPECT_EQ(regular.GetAdvance('W'), 940);
  EXPECT_EQ(bold.GetAdvance('n'), 605);       // 560 x 1.08
  EXPECT_EQ(condensed.GetAdvance('n'), 448);  // 560 x 0.8
  EXPECT_EQ(serif.GetAdvance('n'), 538);      // 560 x 0.96
  for (char32_t c : {U'i', U'W', U' ', U'\u00E9', U'\u2014'}) {
    SCOPED_TRACE(static_cast<uint32_t>(c));
    EXPECT_GT(bold.GetAdvance(c), regular.GetAdvance(c));
    EXPECT_LT(condensed.GetAdvance(c), regular.GetAdvance(c));
    EXPECT_EQ(mono.GetAdvance(c), 600);
  }
  struct Special {
    char32_t c;
    int32_t width;
  };
  const Special specials[] = {
      {U'\t', 0},       {U'\r', 0},        {U'\u00AD', 0},        {U'\u200B', 0},   {U'\uFEFF', 0},
      {U'\u0301', 0},   {U'\u2003', 1000}, {U'\u2002', 500},      {U'\u2009', 200}, {U'\u2007', 560},
      {U'\u00C9', 660}, {U'\u4E00', 1000}, {U'\U00020000', 1000}, {U'\u0416', 560},
  };
  for (const auto& s : specials) {
    SCOPED_TRACE(static_cast<uint32_t>(s.c));
    EXPECT_EQ(regular.GetAdvance(s.c), s.width);
  }
  EXPECT_EQ(mono.GetAdvance(U'\u4E00'), 1200);
  EXPECT_EQ(mono.GetAdvance(U'\u200B'), 0);
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
  auto family = Instantiate<IFontFamily>(db_, list_->FindFamily(u"Quill Script"));
  ASSERT_TRUE(family);
  EXPECT_EQ(family->GetNthFaceName(1), u"Italic");
  EXPECT_EQ(family->GetNthFaceName(2), u"");
  EXPECT_TRUE(family->HasFace(u"Italic"));
  EXPECT_FALSE(family->HasFace(u"Bold"));
  EXPECT_EQ(family->GetVariant(u"Regular", 1), u"");
  EXPECT_EQ(family->GetVariant(u"Italic", 0), u"Regular");
  EXPECT_EQ(family->GetFullName(u"Italic", 0), u"Quill Script Italic");
  EXPECT_EQ(family->GetFullName(u"Italic", 1), u"QuillScript-Italic");
  EXPECT_EQ(family->GetFullName(u"Bold", 0), u"");
  ASSERT_NE(family->GetFace(u"Regular"), nullptr);
  EXPECT_EQ(family->GetFace(u"Regular")->GetDesign(), FontDesign::kScript);

  UID uid;
  WideString face;
  ASSERT_TRUE(list_->FindFontByFullName(u"Orbit Grotesk Narrow Bold", uid, face));
  EXPECT_EQ(uid, list_->FindFamily(u"Orbit Grotesk"));
  EXPECT_EQ(face, u"Narrow Bold");
  EXPECT_FALSE(list_->FindFontByFullName(u"Orbit Grotesk Wide", uid, face));
  EXPECT_FALSE(uid.IsValid());
  EXPECT_EQ(face, u"");
}

TEST_F(DocFontListTest, FamilyUnknownToTheCatalogIsMissingButKeepsItsName) {
  UID uid = list_->FindFamily(u"Kaari");
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
