// Whole imports: the summary an import answers, what stays in the story, one undo step, and the import
// provider the host finds, which answers the facade's codes.
#include "kesto/services/KestoImportDriver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Workspace.h"
#include "host/core/Registry.h"
#include "host/text/ITextModel.h"
#include "kesto/include/IKestoFacade.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoHostCodes.h"
#include "kesto/services/KestoImportProvider.h"
#include "kesto/services/KestoPlugIn.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyFileStreamAgent.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "tests/support/SameStyledText.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

constexpr uint32_t kDefaults = kImportIncludeStyleSheets | kImportReportErrors;

class KestoImportDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    ASSERT_EQ(kSuccess, RegisterKestoAttributes());
    db_ = DocumentList::Get().NewDocument();
    ASSERT_NE(nullptr, db_);
    story_ = DefaultDocument::GetMainStory(*db_);
  }
  void TearDown() override { DocumentList::Get().CloseDocument(db_); }

  KestoImportResult Import(const std::string& bytes, uint32_t options = kDefaults,
                           StreamEncoding encoding = StreamEncoding::kUnspecified) {
    VyMemoryStreamAgent agent(bytes.data(), bytes.size(), encoding);
    return RunKestoImport(&agent, encoding, db_, story_, 0, options);
  }
  std::string StoryText() const {
    auto model = Instantiate<ITextModel>(db_, story_);
    std::u16string text(static_cast<size_t>(model->TotalLength()), u' ');
    text.resize(static_cast<size_t>(model->CopyText(0, text.data(), model->TotalLength())));
    return Utf8FromWide(text);
  }

  IDataBase* db_ = nullptr;
  UID story_;
};

TEST_F(KestoImportDriverTest, TheSummaryOfAnImport) {
  struct Row {
    const char* name;
    std::string input;
    uint32_t options;
    StreamEncoding encoding;
    int32_t result;
    std::string message;  // empty: none
  } rows[] = {
      {"clean", "Hello\rworld", kDefaults, StreamEncoding::kUnspecified, 0, ""},
      {"one bad tag", "a<Q>b", kDefaults, StreamEncoding::kUnspecified, 10003,
       "Kesto encountered 1 error during import (the text \xC2\xABKesto error: description\xC2\xBB is left "
       "at the "
       "point of error). [10003]"},
      {"two bad tags", "a<Q>b<Z>", kDefaults, StreamEncoding::kUnspecified, 10004,
       "Kesto encountered 2 errors during import (the text \xC2\xABKesto error: description\xC2\xBB is left "
       "at each "
       "point of error). [10004]"},
      {"bad tags unreported", "a<Q>b<Z>", kImportIncludeStyleSheets, StreamEncoding::kUnspecified, 0, ""},
      {"an undefined Windows Latin byte", "a\x81z", kDefaults, StreamEncoding::kWindowsLatin, 10022,
       "Kesto found an improperly-encoded Unicode character in the imported text and replaced it with a "
       "Unicode "
       "replacement character. [10022]"},
      {"replaced characters win over reports", "a\x81<Q>\x81", kDefaults, StreamEncoding::kWindowsLatin,
       10023,
       "Kesto found 2 improperly-encoded Unicode characters in the imported text and replaced each one with "
       "a "
       "Unicode replacement character. [10023]"},
      {"tags as text without style sheets", "a<Q>b", kImportReportErrors, StreamEncoding::kUnspecified, 0,
       ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    KestoImportResult result = Import(row.input, row.options, row.encoding);
    EXPECT_EQ(row.result, result.result);
    EXPECT_TRUE(result.ranToEnd);
    EXPECT_EQ(row.message, Utf8FromWide(ImportResultMessage(result.result)));
  }
}

TEST_F(KestoImportDriverTest, TextGoesToTheStartOfTheStoryAsOneUndoStep) {
  ASSERT_EQ(0, Import("first\r").result);
  ASSERT_EQ(0, Import("<v7.00><e9>\rsecond <<1>\r").result);
  EXPECT_EQ("second <1>\rfirst\r\r", StoryText());
  ASSERT_EQ(kSuccess, db_->Undo());
  EXPECT_EQ("first\r\r", StoryText());
  ASSERT_EQ(kSuccess, db_->Undo());
  EXPECT_EQ("\r", StoryText());
}

// Undo of a tag-dense import gives back exactly the story before it, and redo exactly the imported one.
TEST_F(KestoImportDriverTest, UndoAndRedoOfATagDenseImportAreExact) {
  ASSERT_EQ(0, Import("kept <B>bold<B> text\r").result);
  auto model = Instantiate<ITextModel>(db_, story_);
  auto whole = [&] { return model->GetStyledText(0, model->TotalLength()); };
  StyledText before = whole();
  std::string dense;
  const char* tags[] = {"<B>", "<z14>", "<I>", "<h80>", "<t10>", "<k-5>", "<s50>", "<*C>", "<P>", "<$>"};
  for (int i = 0; i < 400; ++i)
    dense += std::string("text ") + tags[i % 10] + (i % 7 == 6 ? "para\r" : "");
  ASSERT_EQ(0, Import(dense).result);
  StyledText imported = whole();
  ASSERT_GT(imported.runs.size(), 100u);
  ASSERT_EQ(model->Check(), "");
  ASSERT_EQ(kSuccess, db_->Undo());
  EXPECT_TRUE(testing_support::SameStyledText(whole(), before));
  ASSERT_EQ(kSuccess, db_->Redo());
  EXPECT_TRUE(testing_support::SameStyledText(whole(), imported));
  EXPECT_EQ(model->Check(), "");
}

TEST_F(KestoImportDriverTest, FilesAndTheirFailures) {
  auto dir = std::filesystem::temp_directory_path() / ("driver-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "in.txt") << "from a file\r";
  VyFileStreamAgent file(VyFile(dir / "in.txt"));
  ASSERT_EQ(0, file.Open(VyFileAgentBase::kReadMode));
  KestoImportResult result = RunKestoImport(&file, StreamEncoding::kUnspecified, db_, story_, 0, kDefaults);
  EXPECT_EQ(0, result.result);
  EXPECT_EQ("from a file\r\r", StoryText());

  // No story: a parameter error, and nothing is read.
  VyMemoryStreamAgent memory("x", 1, StreamEncoding::kUtf8);
  result = RunKestoImport(&memory, StreamEncoding::kUtf8, db_, UID(999999), 0, kDefaults);
  EXPECT_EQ(-50, result.result);
  EXPECT_FALSE(result.ranToEnd);
  EXPECT_EQ("No story to import into [-50]", Utf8FromWide(ImportResultMessage(-50)));
  EXPECT_EQ("File not found. [-43]", Utf8FromWide(ImportResultMessage(-43)));
  EXPECT_EQ("The import was cancelled [-128]", Utf8FromWide(ImportResultMessage(kImportCancelled)));
  std::filesystem::remove_all(dir);
}

TEST_F(KestoImportDriverTest, TheHostFindsTheProviderAndItsOptions) {
  KestoPlugIn plugIn;
  ASSERT_EQ(kSuccess, plugIn.Register(Registry::Get()));
  Workspace::Renew();
  InterfacePtr<IImportProvider> provider = FindImportProvider("kesto");
  ASSERT_TRUE(provider);
  EXPECT_FALSE(FindImportProvider("other"));

  std::string bytes = "a<Q>b\r";
  ImportRequest request;
  request.bytes = std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  request.story = UIDRef(db_, story_);
  struct Row {
    const char* name;
    std::map<std::string, std::string> options;
    int32_t code;
    bool succeeded;
    bool ranToEnd;
  } rows[] = {
      {"reports asked for", {{"report-errors", "on"}}, HostErrorCode(kEngineOneError), true, true},
      {"the preferences: no reports", {}, 0, true, true},
      {"unknown encoding", {{"encoding", "ebcdic"}}, kFacadeUnknownError, false, false},
      {"a switch neither on nor off", {{"convert-quotes", "yes"}}, kFacadeUnknownError, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    request.options = row.options;
    ImportOutcome outcome = provider->Import(request);
    EXPECT_EQ(row.code, outcome.code) << outcome.message;
    EXPECT_EQ(row.succeeded, outcome.succeeded);
    EXPECT_EQ(row.ranToEnd, outcome.ranToEnd);
  }
  request.options.clear();
  request.file = "/no/such/file.txt";
  ImportOutcome missing = provider->Import(request);
  EXPECT_EQ(HostErrorCode(kFileNotFoundErr), missing.code);
  EXPECT_FALSE(missing.ranToEnd);
  EXPECT_NE(std::string::npos, missing.message.find("File not found.")) << missing.message;
}

}  // namespace
}  // namespace kesto
