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
  EXPECT_TRUE(FindFontFamily(db_, u"Halden Serif").IsValid());
  EXPECT_FALSE(FindFontFamily(db_, u"halden serif").IsValid());
  EXPECT_FALSE(FindFontFamily(db_, u"").IsValid());
  EXPECT_FALSE(FindFontFamily(nullptr, u"Halden Serif").IsValid());

  EXPECT_EQ(FindFontByFullName(db_, u"Kaari-BoldOblique"), Font(u"Kaari", u"BoldOblique"));
  EXPECT_EQ(FindFontByFullName(db_, u"Tarn Sans Bold Condensed"), Font(u"Tarn Sans", u"Bold Condensed"));
  EXPECT_EQ(FindFontByFullName(db_, u"Tarn Sans Italic"), VyFontDesc());
  EXPECT_EQ(FindFontByFullName(nullptr, u"Kaari-Bold"), VyFontDesc());
}

TEST_F(VyFontDescTest, NormalisedFaceNamesUseTheFamilysSpelling) {
  struct Case {
    const char16_t* family;
    const char16_t* name;
    const char16_t* normalised;
  };
  const Case cases[] = {
      {u"Halden Serif", u"bold italic", u"Bold Italic"},
      {u"Halden Serif", u"", u"Regular"},
      {u"Tarn Sans", u"", u"Roman"},
      {u"Tarn Sans", u"regular", u"Roman"},
      {u"Vesper", u"Regular", u"Book"},
      {u"Ardent", u"", u"Regular MS"},
      {u"Halden Serif", u"Nosuch", u"Nosuch"},
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
      {u"Halden Serif", u"Regular", 1, u"Bold"},
      {u"Halden Serif", u"Regular", 3, u"Bold Italic"},
      {u"Halden Serif", u"Bold Italic", 0, u"Regular"},
      {u"Halden Serif", u"Bold", 1, u"Bold"},
      {u"Halden Serif", u"Semibold", 2, u"Semibold Italic"},
      {u"Halden Serif", u"Semibold Italic", 0, u"Semibold"},
      {u"Tarn Sans", u"Roman", 2, u"Oblique"},
      {u"Tarn Sans", u"Oblique", 0, u"Roman"},
      {u"Tarn Sans", u"Condensed", 1, u"Bold Condensed"},
      {u"Tarn Sans", u"Bold Condensed", 0, u"Condensed"},
      {u"Tarn Sans", u"Condensed", 2, nullptr},
      {u"Tarn Sans", u"Black", 3, u"Bold Oblique"},  // no heavy oblique: the plain face's variant
      {u"Kaari", u"LightOblique", 0, u"Light"},
      {u"Kaari", u"Regular", 3, u"BoldOblique"},
      {u"Vesper", u"Book", 1, u"Bold"},
      {u"Vesper", u"Bold Italic", 0, u"Book"},
      {u"Orbit Grotesk", u"Narrow", 1, u"Narrow Bold"},
      {u"Ardent", u"Bold", 0, u"Regular MS"},
      {u"Quill Script", u"Regular", 1, nullptr},
      {u"Quill Script", u"Italic", 0, u"Regular"},
      {u"Lumen Mono", u"Regular", 2, nullptr},
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
  VyFontDesc regular = Font(u"Halden Serif", u"Regular");
  FaceCache cache;
  cache.Store(regular.family, 1, u"Regular", WideString(u"Semibold"));
  EXPECT_EQ(FindFace(db_, regular, 1, &cache), Font(u"Halden Serif", u"Semibold"));
  cache.Store(regular.family, 2, u"Regular", std::nullopt);
  EXPECT_FALSE(FindFace(db_, regular, 2, &cache).has_value());
  EXPECT_EQ(FindFace(db_, regular, 2, nullptr), Font(u"Halden Serif", u"Italic"));

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
      // Bold in a family with only Regular and Italic: composed, and reported missing.
      {Font(u"Quill Script", u"Regular"), 1, {u"Bold", false}},
      {Font(u"Quill Script", u"Italic"), 3, {u"Bold Italic", false}},
      {Font(u"Quill Script", u"Regular"), 2, {u"Italic", true}},
      {Font(u"Tarn Sans", u"Condensed"), 2, {u"Condensed Italic", false}},
      {Font(u"Halden Serif", u"Regular"), 0, {u"Regular", true}},
      {Font(u"Halden Serif", u"Bold"), 0, {u"Bold", true}},
      {Font(u"Halden Serif", u"Bold"), 1, {u"Bold", true}},
      {Font(u"Halden Serif", u"Regular"), 3, {u"Bold Italic", true}},
      {Font(u"Tarn Sans", u"Roman"), 1, {u"Bold", true}},
      {VyFontDesc{kInvalidUID, u"Regular"}, 2, {u"Italic", true}},
      {Font(u"Halden Serif", u""), 3, {u"Bold Italic", true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.font.face) + " " + std::to_string(c.wanted));
    EXPECT_EQ(FaceNameFor(db_, c.font, c.wanted, nullptr), c.expected);
  }
}

}  // namespace
}  // namespace kesto
