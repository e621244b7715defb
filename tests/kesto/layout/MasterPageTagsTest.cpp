// Master-page tags imported into a story on page 2 of a document with facing pages: which pages end up on
// which master, and the reports left in the text.
#include <gtest/gtest.h>

#include "kesto/model/KestoAttributes.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "tests/host/layout/LayoutFixture.h"
#include "tests/kesto/reader/ScannerTestSupport.h"

namespace kesto {
namespace {

class MasterPageTagsTest : public layout_test::SampleFixture {
 protected:
  void SetUp() override {
    SampleFixture::SetUp();
    ASSERT_EQ(RegisterKestoAttributes(), kSuccess);
  }
  // Imports `input` at the start of `frame`'s story; answers the scan's result.
  int32_t Import(std::u16string_view input, UID frame) {
    auto source = testing_reader::MemorySource::FromText(input);
    XStory story(db_, LayoutUtils::StoryOfFrame(db_, frame), 0, 0);
    story.BeginImport();
    KestoScanner scanner(db_);
    scanner.SetOptions(CTaggedTextScanner::kInterpretTags);
    int32_t result = 0;
    {
      KestoScannerAgent agent(&story, source->Stream(), kImportReportErrors, &scanner);
      result = scanner.Scan(source->Stream(), &agent);
    }
    story.EndImport();
    return result;
  }
  // The master prefix of each document page ("-" for none).
  std::string Masters() const {
    std::string out;
    for (int32_t i = 0; i < 4; ++i) {
      auto master = Instantiate<IMasterSpread>(db_, Instantiate<IPage>(db_, Page(i))->GetMasterSpread());
      out += master ? Utf8FromWide(master->GetPrefix()) : "-";
    }
    return out;
  }
};

TEST_F(MasterPageTagsTest, TagsNameMastersByNumberPrefixOrFullName) {
  struct Row {
    std::u16string input;
    std::string masters;
    std::u16string text;  // the first story's text, without its final return
  } rows[] = {
      {u"a<&m\"B\">b", "-BB-", u"abOne\rTwo"},
      {u"<&mp\"b-body\">", "-B--", u"One\rTwo"},
      {u"<^mp2>", "-B--", u"One\rTwo"},
      {u"<&m2><&mf$>", "-BB-", u"One\rTwo"},
      {u"<&m$>", "-AA-", u"One\rTwo"},
      {u"<&m12>x", "----", u"\u00ABKesto error: No such master page: tag &m\u00BBxOne\rTwo"},
      {u"<&m\"Body\">", "----", u"\u00ABKesto error: No such master page: tag &m\u00BBOne\rTwo"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing_reader::Readable(row.input));
    ASSERT_EQ(Run(kApplyMasterCmdBoss, {Page(0), Page(1), Page(2), Page(3)}, {}), kSuccess);
    ASSERT_EQ(TextCmdUtils::DeleteText(UIDRef(db_, FirstStory()), 0, Text(FirstStory()).size() - 1),
              kSuccess);
    ASSERT_EQ(TextCmdUtils::InsertText(UIDRef(db_, FirstStory()), 0, u"One\rTwo"), kSuccess);
    EXPECT_EQ(Import(row.input, first_), 0);
    EXPECT_EQ(Masters(), row.masters);
    EXPECT_EQ(testing_reader::Readable(Text(FirstStory())), testing_reader::Readable(row.text + u"\r"));
  }
}

TEST_F(MasterPageTagsTest, AFrameOnThePasteboardCannotTakeAMaster) {
  UID pasteboard = Frame(Spread(0), {-400, 10, -300, 100});
  EXPECT_EQ(Import(u"<&m2>x", pasteboard), 0);
  EXPECT_EQ(testing_reader::Readable(Text(LayoutUtils::StoryOfFrame(db_, pasteboard))),
            testing_reader::Readable(u"\u00ABKesto error: Can't apply master page/spread: tag &m\u00BBx\r"));
}

}  // namespace
}  // namespace kesto
