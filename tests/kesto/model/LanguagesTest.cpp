// Language numbers and names mapped to a document's languages.
#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "host/res/DocWorkspace.h"
#include "host/res/ILanguageList.h"
#include "host/res/Translator.h"
#include "kesto/model/Languages.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

class LanguagesTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    list_ = QueryDocWorkspace<ILanguageList>(db_);
  }
  void TearDown() override {
    list_.reset();
    DocumentList::Get().CloseDocument(db_);
  }
  IDataBase* db_ = nullptr;
  InterfacePtr<ILanguageList> list_;
};

TEST_F(LanguagesTest, EveryNumberAndNameReachesTheSameLanguage) {
  ASSERT_EQ(LanguageTable().size(), 12u);
  for (const LanguageRow& row : LanguageTable()) {
    SCOPED_TRACE(row.number);
    UID uid = LanguageFromNumber(db_, row.number);
    ASSERT_TRUE(uid.IsValid());
    EXPECT_EQ(uid, list_->FindLanguage(WideString(row.hostName)));
    EXPECT_EQ(LanguageNumberOf(db_, uid), row.number);
    for (std::u16string_view name : {row.english, row.french, row.german})
      EXPECT_EQ(FindLanguage(db_, name), uid) << Utf8FromWide(WideString(name));
  }
  EXPECT_EQ(FindLanguage(db_, u"ALLEMAND (NOUVELLE ORTHOGRAPHE)"), LanguageFromNumber(db_, 70));
  EXPECT_EQ(FindLanguage(db_, u"français"), LanguageFromNumber(db_, 1));
  EXPECT_EQ(FindLanguage(db_, u"german"), LanguageFromNumber(db_, 3));
}

TEST_F(LanguagesTest, NumbersAndNamesOutsideTheTable) {
  for (int32_t number : {6, 10, 13, 21, -1}) {
    SCOPED_TRACE(number);
    EXPECT_EQ(LanguageRowOf(number), nullptr);
    EXPECT_FALSE(LanguageFromNumber(db_, number).IsValid());
  }
  // Host languages without a number are found by their own name but have no number.
  UID finnish = FindLanguage(db_, u"Finnish");
  ASSERT_TRUE(finnish.IsValid());
  EXPECT_EQ(finnish, list_->FindLanguage(u"Finnish"));
  EXPECT_FALSE(LanguageNumberOf(db_, finnish).has_value());
  EXPECT_EQ(FindLanguage(db_, u"English: UK"), LanguageFromNumber(db_, 2));
  EXPECT_FALSE(FindLanguage(db_, u"finnish").IsValid());
  EXPECT_FALSE(FindLanguage(db_, u"Klingon").IsValid());
  EXPECT_FALSE(FindLanguage(db_, u"").IsValid());
  EXPECT_FALSE(LanguageNumberOf(db_, kInvalidUID).has_value());
  EXPECT_FALSE(LanguageFromNumber(nullptr, 0).IsValid());

  // A name that is a translation key is looked up by its text.
  Translator::Get().Add("en", "KestoModelTestPolishKey", u"Polish");
  EXPECT_EQ(FindLanguage(db_, u"KestoModelTestPolishKey"), list_->FindLanguage(u"Polish"));
}

}  // namespace
}  // namespace kesto
