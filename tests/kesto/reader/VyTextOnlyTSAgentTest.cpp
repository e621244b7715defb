// The text-only agent: the text of tagged input, and nothing else, reaches its sink.
#include "kesto/reader/VyTextOnlyTSAgent.h"

#include <gtest/gtest.h>

#include <string>

#include "host/app/DocumentList.h"
#include "host/db/IDataBase.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/model/VyStory.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

using testing_reader::MemorySource;
using testing_reader::Readable;

// Keeps what it is given; refuses from call number `refuseFrom` on (counted from 1; 0 never).
class StringSink : public VyTextSink {
 public:
  bool InsertText(const char16_t* units, int32_t count) override {
    if (++calls_ == refuseFrom) refusing_ = true;
    if (refusing_) return false;
    text.append(units, static_cast<size_t>(count));
    return true;
  }
  std::u16string text;
  int refuseFrom = 0;

 private:
  int calls_ = 0;
  bool refusing_ = false;
};

class VyTextOnlyTSAgentTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureHost(); }
};

TEST_F(VyTextOnlyTSAgentTest, KeepsTheTextAndDropsTheTags) {
  struct Row {
    std::u16string input;
    std::u16string text;
  } rows[] = {
      {u"<v7.00><e9>\rHi <Q>there\rnext", u"Hi there\rnext"},
      {u"a<<b<'comment'>c\vd", u"a<bc\rd"},
      {u"<X><Q", u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input));
    auto source = MemorySource::FromText(row.input);
    StringSink sink;
    VyTextOnlyTSAgent agent(&sink);
    KestoScanner scanner;
    EXPECT_EQ(0, scanner.Scan(source->Stream(), &agent));
    EXPECT_EQ(Readable(row.text), Readable(sink.text));
  }
}

TEST_F(VyTextOnlyTSAgentTest, RefusedTextEndsTheScanAndKeepsWhatCameBefore) {
  auto source = MemorySource::FromText(u"first\rsecond\rthird");
  StringSink sink;
  sink.refuseFrom = 2;
  VyTextOnlyTSAgent agent(&sink);
  KestoScanner scanner;
  EXPECT_EQ(kScanInternalError, scanner.Scan(source->Stream(), &agent));
  EXPECT_EQ(u"first\r", sink.text);
}

TEST_F(VyTextOnlyTSAgentTest, FillsAStoryThroughItsOwnReference) {
  IDataBase* db = DocumentList::Get().NewDocument();
  ASSERT_NE(nullptr, db);
  UID uid;
  ASSERT_EQ(kSuccess, TextCmdUtils::NewStory(db, uid));
  auto* story = new VyStory(db, uid, 0, 0);
  {
    VyTextOnlyTSAgent agent(story);
    EXPECT_EQ(2, story->GetRefCount());
    story->Release();  // from here on the agent's reference keeps the story
    auto source = MemorySource::FromText(u"Hi <Q>there\rnext");
    KestoScanner scanner;
    EXPECT_EQ(0, scanner.Scan(source->Stream(), &agent));
  }
  InterfacePtr<ITextModel> model = Instantiate<ITextModel>(db, uid);
  ASSERT_TRUE(model);
  EXPECT_EQ(Readable(u"Hi there\rnext\r"), Readable(model->GetText(0, model->TotalLength())));
  DocumentList::Get().CloseDocument(db);
}

TEST_F(VyTextOnlyTSAgentTest, FindsNoFilesAndNeedsNoSink) {
  VyTextOnlyTSAgent agent(static_cast<VyTextSink*>(nullptr));
  WideString uri = u"left over";
  EXPECT_EQ(-43, agent.ResolveFileReference(uri, u"pic.jpg"));
  EXPECT_TRUE(uri.empty());
  EXPECT_EQ(0, agent.InsertText(u"x", 1));
}

}  // namespace
}  // namespace kesto
