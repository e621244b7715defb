// Font lookups and face matching against a document's families.
#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "kesto/model/VyFontDesc.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

class VyFontDescTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
  }
  void TearDown() override { DocumentList::Get().CloseDocument(db_); }
  VyFontDesc Font(std::u16string_view family, std::u16string_view face) const {
    return {FindFontFamily(db_, family), WideString(face)};
  }
  IDataBase* db_ = nullptr;
};

TEST_F(VyFontDescTest, FamiliesAndFullNames) {
  EXPECT_TRUE(FindFontFamily(db_, u"DejaVu Serif").IsValid());
  EXPECT_FALSE(FindFontFamily(db_, u"halden serif").IsValid());
  EXPECT_FALSE(FindFontFamily(db_, u"").IsValid());
  EXPECT_FALSE(FindFontFamily(nullptr, u"DejaVu Serif").IsValid());

  EXPECT_EQ(FindFontByFullName(db_, u"LiberationSans-BoldItalic"), Font(u"Liberation Sans", u"Bold Italic"));
  EXPECT_EQ(FindFontByFullName(db_, u"DejaVu Sans Condensed Bold"), Font(u"DejaVu Sans", u"Condensed Bold"));
  EXPECT_EQ(FindFontByFullName(db_, u"DejaVu Sans Italic"), VyFontDesc());
  EXPECT_EQ(FindFontByFullName(nullptr, u"LiberationSans-Bold"), VyFontDesc());
}

TEST_F(VyFontDescTest, NormalisedFaceNamesUseTheFamilysSpelling) {
  struct Case {
    const char16_t* family;
    const char16_t* name;
    const char16_t* normalised;
  };
  const Case cases[] = {
      {u"DejaVu Serif", u"bold italic", u"Bold Italic"},
      {u"DejaVu Serif", u"", u"Book"},
      {u"Liberation Sans", u"", u"Regular"},
      {u"DejaVu Sans", u"regular", u"Book"},
      {u"DejaVu Sans Mono", u"Regular", u"Book"},
      {u"Liberation Serif", u"regular", u"Regular"},
      {u"DejaVu Serif", u"Nosuch", u"Nosuch"},
      {u"Nofamily", u"bold", u"bold"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.family) + " / " + Utf8FromWide(c.name));
    EXPECT_EQ(NormaliseFaceName(db_, FindFontFamily(db_, c.family), c.name), c.normalised);
  }
}

TEST_F(VyFontDescTest, FindFaceMatchesBoldnessAndSlant) {
  struct Case {
    const char16_t* family;
    const char16_t* face;
    int32_t wanted;
    const char16_t* expected;  // nullptr: the family has none
  };
  const Case cases[] = {
      {u"DejaVu Serif", u"Book", 1, u"Bold"},
      {u"DejaVu Serif", u"Book", 3, u"Bold Italic"},
      {u"DejaVu Serif", u"Bold Italic", 0, u"Book"},
      {u"DejaVu Serif", u"Bold", 1, u"Bold"},
      {u"DejaVu Serif", u"Condensed", 2, u"Condensed Italic"},
      {u"DejaVu Serif", u"Condensed Italic", 0, u"Condensed"},
      {u"DejaVu Sans", u"Book", 2, u"Oblique"},
      {u"DejaVu Sans", u"Oblique", 0, u"Book"},
      {u"DejaVu Sans", u"Condensed", 1, u"Condensed Bold"},
      {u"DejaVu Sans", u"Condensed Bold", 0, u"Condensed"},
      {u"DejaVu Sans", u"ExtraLight", 2, nullptr},
      {u"DejaVu Sans", u"ExtraLight", 3, u"Bold Oblique"},  // no light bold oblique: the plain face's variant
      {u"Liberation Sans", u"Bold Italic", 0, u"Regular"},
      {u"Liberation Sans", u"Regular", 3, u"Bold Italic"},
      {u"DejaVu Sans Mono", u"Book", 1, u"Bold"},
      {u"DejaVu Sans Mono", u"Bold Oblique", 0, u"Book"},
      {u"Liberation Serif", u"Bold", 0, u"Regular"},
      {u"DejaVu Math TeX Gyre", u"Regular", 1, nullptr},
      {u"DejaVu Math TeX Gyre", u"Regular", 2, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.family) + " " + Utf8FromWide(c.face) + " " + std::to_string(c.wanted));
    FaceCache cache;
    std::optional<VyFontDesc> found = FindFace(db_, Font(c.family, c.face), c.wanted, &cache);
    if (!c.expected) {
      EXPECT_FALSE(found.has_value());
    } else {
      ASSERT_TRUE(found.has_value());
      EXPECT_EQ(*found, Font(c.family, c.expected));
    }
    // The answer, found or not, is the cache's from now on.
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(FindFace(db_, Font(c.family, c.face), c.wanted, &cache), found);
  }
  EXPECT_FALSE(FindFace(db_, VyFontDesc{}, 1, nullptr).has_value());
}

TEST_F(VyFontDescTest, CacheAnswersRepeatedQuestionsAndStaysBounded) {
  VyFontDesc regular = Font(u"DejaVu Serif", u"Book");
  FaceCache cache;
  cache.Store(regular.family, 1, u"Book", WideString(u"Condensed Bold"));
  EXPECT_EQ(FindFace(db_, regular, 1, &cache), Font(u"DejaVu Serif", u"Condensed Bold"));
  cache.Store(regular.family, 2, u"Book", std::nullopt);
  EXPECT_FALSE(FindFace(db_, regular, 2, &cache).has_value());
  EXPECT_EQ(FindFace(db_, regular, 2, nullptr), Font(u"DejaVu Serif", u"Italic"));

  for (size_t i = 0; i < FaceCache::kMaxEntries + 1; ++i)
    cache.Store(regular.family, 0, WideFromUtf8(std::to_string(i)), std::nullopt);
  EXPECT_LE(cache.size(), FaceCache::kMaxEntries);
}

TEST_F(VyFontDescTest, FaceNameForComposesMissingFaces) {
  struct Case {
    VyFontDesc font;
    int32_t wanted;
    FaceName expected;
  };
  const Case cases[] = {
      // Bold in a family with only a Regular face: composed, and reported missing.
      {Font(u"DejaVu Math TeX Gyre", u"Regular"), 1, {u"Bold", false}},
      {Font(u"DejaVu Math TeX Gyre", u"Regular"), 3, {u"Bold Italic", false}},
      {Font(u"DejaVu Serif", u"Book"), 2, {u"Italic", true}},
      {Font(u"DejaVu Sans", u"ExtraLight"), 2, {u"ExtraLight Italic", false}},
      {Font(u"DejaVu Serif", u"Book"), 0, {u"Book", true}},
      {Font(u"DejaVu Serif", u"Bold"), 0, {u"Bold", true}},
      {Font(u"DejaVu Serif", u"Bold"), 1, {u"Bold", true}},
      {Font(u"DejaVu Serif", u"Book"), 3, {u"Bold Italic", true}},
      {Font(u"DejaVu Sans", u"Book"), 1, {u"Bold", true}},
      {VyFontDesc{kInvalidUID, u"Regular"}, 2, {u"Italic", true}},
      {Font(u"DejaVu Serif", u""), 3, {u"Bold Italic", true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.font.face) + " " + std::to_string(c.wanted));
    EXPECT_EQ(FaceNameFor(db_, c.font, c.wanted, nullptr), c.expected);
  }
}

}  // namespace
}  // namespace kesto
