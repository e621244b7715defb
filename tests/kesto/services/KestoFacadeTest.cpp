// The facade through its interface on the utilities object: host error codes and their texts, the sources
// and destinations, the options word with the preferences, and deleting a source after an import.
#include "kesto/services/KestoFacade.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/IErrorStringService.h"
#include "host/app/ISession.h"
#include "host/app/Workspace.h"
#include "host/core/Registry.h"
#include "host/text/ITextModel.h"
#include "kesto/services/KestoHostCodes.h"
#include "kesto/services/KestoPlugIn.h"
#include "kesto/services/SetPrefsCmd.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

constexpr int32_t kOneTagError = 0xA8D00 | (255 - (3 + 18));
constexpr int32_t kTagErrors = 0xA8D00 | (255 - (4 + 18));
constexpr uint32_t kReport = kFacadeIncludeStyleSheets | kFacadeReportErrors;

class KestoFacadeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    KestoPlugIn plugIn;
    ASSERT_EQ(kSuccess, plugIn.Register(Registry::Get()));
    Workspace::Renew();
    facade_ = QueryUtils<IKestoFacade3>();
    ASSERT_TRUE(facade_);
    db_ = DocumentList::Get().NewDocument();
    story_ = UIDRef(db_, DefaultDocument::GetMainStory(*db_));
  }
  void TearDown() override { DocumentList::Get().CloseDocument(db_); }

  std::u16string StoryText() const {
    auto model = Instantiate<ITextModel>(db_, story_.GetUID());
    std::u16string text(static_cast<size_t>(model->TotalLength()), u' ');
    text.resize(static_cast<size_t>(model->CopyText(0, text.data(), model->TotalLength())));
    return text.substr(0, text.size() - 1);  // without the story's final return
  }
  std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  InterfacePtr<IKestoFacade3> facade_;
  IDataBase* db_ = nullptr;
  UIDRef story_;
  testing_support::TempFolder folder_;
};

TEST_F(KestoFacadeTest, HostCodesAndTheirTexts) {
  struct Row {
    int32_t result, code;
    const char* text;  // the start of the text
  } rows[] = {
      {0, 0, ""},
      {-128, 2, ""},
      {10003, kOneTagError, "Kesto encountered 1 error"},
      {-43, 0xA8D00 | (255 - 8), "File not found."},
      {-61, 0xA8D00 | (255 - 17), "Can't write to disk."},
      {-50, kFacadeUnknownError, "Unknown Error"},
      {28, kFacadeUnknownError, "Unknown Error"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.result);
    EXPECT_EQ(row.code, HostErrorCode(row.result));
    std::string text = ErrorStringFor(row.code);
    EXPECT_EQ(0u, text.rfind(row.text, 0)) << text;
  }
  EXPECT_EQ("", ErrorStringFor(0xA8E00)) << "codes of others are not Kesto's";
}

TEST_F(KestoFacadeTest, TextSourcesAndTheirErrors) {
  EXPECT_EQ(0, facade_->ImportUTF16At(story_, 0, kReport, u"up to\0 not this", kUpToZero));
  EXPECT_EQ(u"up to", StoryText());
  EXPECT_EQ(kFacadeUnknownError, facade_->ImportUTF16At(story_, 0, kReport, nullptr, 3));
  EXPECT_EQ(kFacadeUnknownError, facade_->ImportUTF16At(UIDRef(), 0, kReport, u"x", 1));
  EXPECT_EQ(u"up to", StoryText());

  EXPECT_EQ(kTagErrors,
            facade_->ImportCharsAt(story_, 5, kReport, "<Q><Q><Q>", kUpToZero, TextEncoding::kWindowsLatin));
  EXPECT_NE(std::string::npos, ErrorStringFor(kTagErrors).find('3'));
  EXPECT_EQ(0, facade_->ImportCharsAt(story_, 0, kFacadeIncludeStyleSheets, "<Q>", 3, TextEncoding::kUtf8))
      << "no reports asked for: nothing to answer";
}

TEST_F(KestoFacadeTest, StringDestinationsReplaceOrAppend) {
  ASSERT_EQ(0, facade_->ImportText(story_, kReport, u"one \u03B1"));
  std::u16string wide = u"old";
  EXPECT_EQ(0, facade_->ExportStoryToWString(story_, {0, 5}, kFacadeExportFragment, wide));
  EXPECT_EQ(u"@$:one \u03B1", wide);
  EXPECT_EQ(0, facade_->ExportStoryToWString(story_, {0, 3}, kFacadeExportAppend, wide));
  EXPECT_EQ(u"@$:one \u03B1@$:one", wide) << "appended without a header";

  std::string latin;
  EXPECT_EQ(0, facade_->ExportStoryToString(story_, {0, 5}, kFacadeExportFragment, latin,
                                            TextEncoding::kWindowsLatin));
  EXPECT_EQ("@$:one <\\#U03B1>", latin);
  EXPECT_EQ(kFacadeUnknownError, facade_->ExportStoryToString(story_, {3, 1}, 0, latin, TextEncoding::kUtf8));
}

TEST_F(KestoFacadeTest, FileDestinationsAndDeletingTheSource) {
  ASSERT_EQ(0, facade_->ImportText(story_, kReport, u"text"));
  std::filesystem::path out = folder_.Path() / "out.txt";
  ASSERT_EQ(0, facade_->ExportStoryToFile(story_, {0, 4}, 0, out, TextEncoding::kUtf8));
  std::string first = Read(out);
  EXPECT_EQ(0u, first.rfind("\xEF\xBB\xBF<v", 0)) << first;
  ASSERT_EQ(0, facade_->ExportStoryToFile(story_, {0, 4}, kFacadeExportAppend, out, TextEncoding::kUtf8));
  EXPECT_EQ(first + "@$:text", Read(out)) << "appended: no mark, no header";

  // Deleting asks for a clean import.
  std::filesystem::path bad = folder_.Path() / "bad.txt", good = folder_.Path() / "good.txt";
  std::ofstream(bad) << "<Q>";
  std::ofstream(good) << "fine";
  EXPECT_EQ(kOneTagError,
            facade_->ImportFileAt(story_, 0, kReport | kFacadeDeleteSource, bad, TextEncoding::kUnspecified));
  EXPECT_TRUE(std::filesystem::exists(bad));
  EXPECT_EQ(
      0, facade_->ImportFileAt(story_, 0, kReport | kFacadeDeleteSource, good, TextEncoding::kUnspecified));
  EXPECT_FALSE(std::filesystem::exists(good));
  EXPECT_EQ(0xA8D00 | (255 - 8), facade_->ImportFileAt(story_, 0, kReport, good, TextEncoding::kUnspecified));
}

TEST_F(KestoFacadeTest, TheOptionsWordAndThePreferences) {
  KestoPrefsRecord prefs = GetApplicationPrefs();
  prefs.options = static_cast<uint16_t>((prefs.options & ~0x1F) | kPrefReportErrors |
                                        kPrefIncludeStyleSheets | kPrefExportCompact | kPrefImportBit10);
  ASSERT_EQ(kSuccess, SetApplicationPrefs(prefs));
  EXPECT_EQ(kFacadeReportErrors | kFacadeIncludeStyleSheets | kFacadeClearsBit10,
            facade_->GetImportOptions());
  EXPECT_EQ(kFacadeExportCompact, facade_->GetExportOptions());
  EXPECT_EQ(uint32_t{kReport}, EffectiveImportOptions(kFacadeUsePrefs | kFacadeConvertQuotes));
  EXPECT_EQ(uint32_t{kFacadeConvertQuotes}, EffectiveImportOptions(kFacadeConvertQuotes));
  EXPECT_EQ(kOneTagError, facade_->ImportUTF16At(story_, 0, kFacadeUsePrefs, u"<Q>", 3));

  auto workspacePrefs = QueryApplicationWorkspace<IKestoPrefs>();
  EXPECT_EQ(kReport, facade_->ImportOptionsFromDialog(workspacePrefs.get()));
  EXPECT_EQ(kFacadeExportCompact, facade_->ExportOptionsFromDialog(workspacePrefs.get()));
}

}  // namespace
}  // namespace kesto
