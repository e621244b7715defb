// The selection suite: the abstract suite forwards to the text or layout suite of the selection in force;
// and the utilities that hand out the engine's scanner and writer.
#include "kesto/services/KestoSuites.h"

#include <gtest/gtest.h>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/ISession.h"
#include "host/app/Workspace.h"
#include "host/layout/ITextFrame.h"
#include "host/text/ITextModel.h"
#include "host/ui/Selection.h"
#include "kesto/services/KestoPlugIn.h"
#include "kesto/services/KestoUtils.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

constexpr uint32_t kPlain = kFacadeIncludeStyleSheets;

class KestoSuitesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    KestoPlugIn plugIn;
    ASSERT_EQ(kSuccess, plugIn.Register(Registry::Get()));
    Workspace::Renew();
    Selection::Get().Reset();
    db_ = DocumentList::Get().NewDocument();
    story_ = UIDRef(db_, DefaultDocument::GetMainStory(*db_));
    suite_ = QuerySelectionSuite<IKestoSuite>();
    ASSERT_TRUE(suite_);
  }
  void TearDown() override { DocumentList::Get().CloseDocument(db_); }

  std::u16string Text() const {
    auto model = Instantiate<ITextModel>(db_, story_.GetUID());
    std::u16string text(static_cast<size_t>(model->TotalLength()), u' ');
    text.resize(static_cast<size_t>(model->CopyText(0, text.data(), model->TotalLength())));
    return text;
  }
  UID MainFrame() const {
    auto frames = Instantiate<IStoryFrames>(db_, story_.GetUID());
    auto list = frames ? Instantiate<IFrameList>(db_, frames->GetFrameList()) : InterfacePtr<IFrameList>();
    return list && list->CountFrames() > 0 ? list->GetNthFrame(0) : kInvalidUID;
  }

  IDataBase* db_ = nullptr;
  UIDRef story_;
  InterfacePtr<IKestoSuite> suite_;
};

TEST_F(KestoSuitesTest, NothingSelectedHasNothingToImportInto) {
  int32_t error = 0;
  EXPECT_FALSE(suite_->CanDo());
  EXPECT_FALSE(suite_->CanExport(false));
  suite_->ImportUTF16(u"x", 1, kPlain, error);
  EXPECT_EQ(kSuiteNotApplicable, error);
}

TEST_F(KestoSuitesTest, ATextTargetIsReplacedAndExported) {
  int32_t error = -1;
  Selection::Get().SelectText(story_, 0, 0);
  suite_->ImportUTF16(u"one two three", kUpToZero, kPlain, error);
  ASSERT_EQ(0, error);
  EXPECT_FALSE(suite_->CanExport(true)) << "a caret has nothing to export";
  Selection::Get().SelectText(story_, 4, 7);
  EXPECT_TRUE(suite_->CanExport(true));
  std::u16string out;
  suite_->ExportToWString(out, kFacadeExportFragment, error);
  EXPECT_EQ(0, error);
  EXPECT_EQ(u"@$:two", out);

  suite_->ImportChars("<B>2", kUpToZero, TextEncoding::kWindowsLatin, kPlain, error);
  EXPECT_EQ(0, error);
  EXPECT_EQ(u"one 2 three\r", Text()) << "the selected text was replaced";
}

TEST_F(KestoSuitesTest, TextFramesTakeTextAtTheirStoryEnd) {
  UID frame = MainFrame();
  ASSERT_TRUE(frame.IsValid());
  int32_t error = -1;
  Selection::Get().SelectText(story_, 0, 0);
  suite_->ImportUTF16(u"first", kUpToZero, kPlain, error);
  Selection::Get().SelectItems(UIDList(db_, {frame}));
  EXPECT_TRUE(suite_->CanImport());
  suite_->ImportUTF16(u" last", kUpToZero, kPlain, error);
  EXPECT_EQ(0, error);
  EXPECT_EQ(u"first last\r", Text());
  std::string out;
  suite_->ExportToString(out, TextEncoding::kUtf8, kFacadeExportFragment, error);
  EXPECT_EQ(0, error);
  EXPECT_NE(out.find("<&tbu2("), std::string::npos) << out;
  EXPECT_NE(out.find(">@$:first last<&te>"), std::string::npos) << out;
}

TEST_F(KestoSuitesTest, OtherPlugInsGetAReaderAndAWriterOfTheirOwn) {
  auto utils = QueryUtils<IKestoUtils>();
  ASSERT_TRUE(utils);
  EXPECT_FALSE(utils->NewReader(nullptr));
  std::unique_ptr<IKestoTextReader> reader = utils->NewReader(db_);
  std::unique_ptr<IKestoTextWriter> writer = utils->NewWriter(db_);
  ASSERT_TRUE(reader && writer);
  EXPECT_EQ(0, reader->Read(story_.GetUID(), 0, u"a <z14>b", kPlain));
  std::u16string out = u"old";
  EXPECT_EQ(0, writer->WriteStory(story_.GetUID(), {}, kFacadeExportFragment, out));
  EXPECT_EQ(u"@$:a <z14>b", out);
  EXPECT_EQ(0, writer->WriteItems({MainFrame()}, kFacadeExportFragment, out));
  EXPECT_EQ(0u, out.find(u"<&tbu2(")) << Utf8FromWide(WideString(out));
  EXPECT_NE(0, writer->WriteItems({UID(99999)}, 0, out));
}

}  // namespace
}  // namespace kesto
