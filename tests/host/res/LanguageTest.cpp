// Languages of a document and the kerning methods offered as services.
#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"
#include "host/db/DocumentFile.h"
#include "host/res/DocWorkspace.h"
#include "host/res/FontCatalog.h"
#include "host/res/IKerningMethod.h"
#include "host/res/ILanguage.h"
#include "host/res/ILanguageList.h"
#include "host/res/Translator.h"
#include "tests/support/TestHost.h"

namespace {

class LanguageTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    list_ = QueryDocWorkspace<ILanguageList>(db_);
    ASSERT_TRUE(list_);
  }
  void TearDown() override {
    list_.reset();
    DocumentList::Get().CloseDocument(db_);
  }
  InterfacePtr<ILanguage> Language(const WideString& name) const {
    return Instantiate<ILanguage>(db_, list_->FindLanguage(name));
  }
  IDataBase* db_ = nullptr;
  InterfacePtr<ILanguageList> list_;
};

TEST_F(LanguageTest, DocumentHasTheHostLanguagesWithTheirQuotationMarks) {
  struct Case {
    const char16_t* name;
    const char* locale;
    const char16_t* quotes;  // double open, double close, single open, single close
  };
  const Case cases[] = {
      {u"English: USA", "en_US", u"\u201C\u201D\u2018\u2019"},
      {u"French", "fr_FR", u"\u00AB\u00BB\u2039\u203A"},
      {u"English: UK", "en_GB", u"\u201C\u201D\u2018\u2019"},
      {u"German: Old Rules", "de_DE_1901", u"\u201E\u201C\u201A\u2018"},
      {u"Italian", "it_IT", u"\u00AB\u00BB\u201C\u201D"},
      {u"Dutch", "nl_NL", u"\u201C\u201D\u2018\u2019"},
      {u"Swedish", "sv_SE", u"\u201D\u201D\u2019\u2019"},
      {u"Spanish", "es_ES", u"\u00AB\u00BB\u201C\u201D"},
      {u"Danish", "da_DK", u"\u00BB\u00AB\u203A\u2039"},
      {u"Norwegian: Bokmal", "nb_NO", u"\u00AB\u00BB\u2018\u2019"},
      {u"German: Swiss", "de_CH", u"\u00AB\u00BB\u2039\u203A"},
      {u"German: 1996 Reform", "de_DE", u"\u201E\u201C\u201A\u2018"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.name));
    auto language = Language(c.name);
    ASSERT_TRUE(language);
    EXPECT_EQ(language->GetName(), c.name);
    EXPECT_EQ(language->GetLocale(), c.locale);
    EXPECT_EQ(language->GetQuote(true, false), c.quotes[0]);
    EXPECT_EQ(language->GetQuote(true, true), c.quotes[1]);
    EXPECT_EQ(language->GetQuote(false, false), c.quotes[2]);
    EXPECT_EQ(language->GetQuote(false, true), c.quotes[3]);
  }
  EXPECT_EQ(list_->GetDefaultLanguageUID(), list_->FindLanguage(u"English: USA"));
  EXPECT_FALSE(list_->FindLanguage(u"english: usa").IsValid());
  EXPECT_FALSE(list_->FindLanguage(u"").IsValid());
  EXPECT_FALSE(list_->GetNthLanguageUID(list_->CountLanguages()).IsValid());
}

TEST_F(LanguageTest, LanguagesSurviveSavingAndReopening) {
  std::vector<uint8_t> bytes = DocumentFile::Serialize(*static_cast<DataBase*>(db_));
  std::unique_ptr<DataBase> reopened;
  ASSERT_EQ(DocumentFile::Deserialize(bytes, reopened).error, kSuccess);
  auto list = QueryDocWorkspace<ILanguageList>(reopened.get());
  ASSERT_TRUE(list);
  EXPECT_EQ(list->CountLanguages(), list_->CountLanguages());
  EXPECT_EQ(list->GetDefaultLanguageUID(), list_->GetDefaultLanguageUID());
  auto danish = Instantiate<ILanguage>(reopened.get(), list->FindLanguage(u"Danish"));
  ASSERT_TRUE(danish);
  EXPECT_EQ(danish->GetQuoteMarks(), Language(u"Danish")->GetQuoteMarks());
}

InterfacePtr<IKerningMethod> KerningMethodNamed(std::u16string_view name) {
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kKerningMethodService)) {
    auto method = CreateObject<IKerningMethod>(provider);
    if (method && Translator::Get().Translate(method->GetNameKey()) == name) return method;
  }
  return {};
}

TEST(KerningMethodTest, MethodsAreFoundByTranslatedNameAndKernPairs) {
  testing_support::EnsureHost();
  auto metrics = KerningMethodNamed(u"Metrics");
  auto optical = KerningMethodNamed(u"Optical");
  ASSERT_TRUE(metrics);
  ASSERT_TRUE(optical);
  EXPECT_FALSE(KerningMethodNamed(u"HostKerningMetrics"));

  const FontCatalog& fonts = FontCatalog::Get();
  const FontFace& sans = *fonts.FindFace(u"DejaVu Sans", u"Book");
  const FontFace& condensed = *fonts.FindFace(u"DejaVu Sans", u"Condensed");
  const FontFace& mono = *fonts.FindFace(u"Liberation Mono", u"Regular");
  // The faces' own pairs: -131 of 2048 units.
  EXPECT_EQ(metrics->GetKerning(sans, 'A', 'V'), -64);
  EXPECT_EQ(metrics->GetKerning(sans, 'V', 'A'), -64);
  EXPECT_EQ(metrics->GetKerning(condensed, 'A', 'V'), -64);
  EXPECT_EQ(metrics->GetKerning(sans, 'H', 'H'), 0);
  EXPECT_EQ(metrics->GetKerning(mono, 'A', 'V'), 0);
  // Optical spacing also kerns pairs a font's table does not list.
  EXPECT_EQ(metrics->GetKerning(sans, 'k', 'x'), 0);
  EXPECT_LT(optical->GetKerning(sans, 'k', 'x'), 0);
  EXPECT_LT(optical->GetKerning(sans, 'T', '.'), optical->GetKerning(sans, 'O', 'O'));
  EXPECT_EQ(optical->GetKerning(sans, 'H', 'H'), 0);
  EXPECT_EQ(optical->GetKerning(mono, 'T', 'o'), 0);
}

}  // namespace
