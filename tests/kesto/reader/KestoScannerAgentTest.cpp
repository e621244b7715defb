// The import agent on a real document story: text, inline reports, paragraph alignment around tabs,
// marker attributes, progress and cancel, file references.
#include "kesto/reader/KestoScannerAgent.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "host/app/DocumentList.h"
#include "host/text/AttributeClasses.h"
#include "host/text/AttributeResolver.h"
#include "host/text/ITextModel.h"
#include "host/text/TabStopList.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/streams/VyFileStreamAgent.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

using testing_reader::MemorySource;
using testing_reader::Readable;

int64_t fakeNow = 0;
int64_t FakeTicks() {
  return fakeNow;
}

// A display that cancels on the `cancelAt`-th event check (0: never) and counts what it is shown.
struct DisplayLog {
  int shows = 0, hides = 0, checks = 0, cancelAt = 0;
  double lastFraction = -1;
};
DisplayLog displayLog;

class TestDisplay : public IProgressDisplay {
 public:
  void Show(std::string_view, std::string_view) override { ++displayLog.shows; }
  void SetFraction(double fraction) override { displayLog.lastFraction = fraction; }
  bool ProcessEvents() override { return ++displayLog.checks == displayLog.cancelAt; }
  void Hide() override { ++displayLog.hides; }
};

class KestoScannerAgentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    ASSERT_EQ(kSuccess, RegisterKestoAttributes());
    db_ = DocumentList::Get().NewDocument();
    ASSERT_NE(nullptr, db_);
    ASSERT_EQ(kSuccess, TextCmdUtils::NewStory(db_, story_));
    displayLog = {};
    fakeNow = 0;
  }
  void TearDown() override {
    RangeProgressBar::SetDisplayFactory({});
    DocumentList::Get().CloseDocument(db_);
  }

  std::u16string StoryText() const {
    auto model = Instantiate<ITextModel>(db_, story_);
    std::u16string text(static_cast<size_t>(model->TotalLength()), u' ');
    text.resize(static_cast<size_t>(model->CopyText(0, text.data(), model->TotalLength())));
    return text;
  }
  void ClearStory() {
    auto model = Instantiate<ITextModel>(db_, story_);
    if (model->TotalLength() > 1) {
      ASSERT_EQ(kSuccess, TextCmdUtils::DeleteText(UIDRef(db_, story_), 0, model->TotalLength() - 1));
    }
  }
  // The plug-in text attribute in force at `index`: its text and numbers (empty and zero when none).
  std::pair<std::string, std::array<int16_t, 3>> MarkerValueAt(int32_t index) const {
    auto model = Instantiate<ITextModel>(db_, story_);
    auto resolved = AttributeResolver::Resolve(model.get(), index, kKestoTextAttr);
    if (!resolved || !std::holds_alternative<ObjectRef>(resolved->value)) return {};
    auto value = std::dynamic_pointer_cast<const TextValue>(std::get<ObjectRef>(resolved->value));
    if (!value) return {};
    return {Readable(value->text), value->numbers};
  }
  void RenewDocument() {
    DocumentList::Get().CloseDocument(db_);
    db_ = DocumentList::Get().NewDocument();
    ASSERT_EQ(kSuccess, TextCmdUtils::NewStory(db_, story_));
  }
  int32_t AlignmentAt(int32_t index) const {
    auto model = Instantiate<ITextModel>(db_, story_);
    auto resolved = AttributeResolver::Resolve(model.get(), index, kTextAttrAlignment);
    return resolved ? std::get<int32_t>(resolved->value) : -1;
  }
  // Scans `input` into the story with `options`; answers Scan's result.
  int32_t Import(std::u16string_view input, uint32_t options, int32_t* errors = nullptr) {
    auto source = MemorySource::FromText(input);
    XStory story(db_, story_, 0, 0);
    story.BeginImport();
    KestoScanner scanner;
    scanner.SetOptions(CTaggedTextScanner::kInterpretTags);
    scanner.SetDocument(db_);
    int32_t result = 0;
    {
      KestoScannerAgent agent(&story, source->Stream(), options, &scanner, &FakeTicks);
      result = scanner.Scan(source->Stream(), &agent);
      if (errors) *errors = agent.GetErrorCount();
    }
    story.EndImport();
    return result;
  }

  IDataBase* db_ = nullptr;
  UID story_;
};

TEST_F(KestoScannerAgentTest, TextAndInlineReports) {
  struct Row {
    const char* name;
    std::u16string input;
    uint32_t options;
    std::u16string text;  // the story, without its final return
    int32_t errors;
  } rows[] = {
      {"plain paragraphs", u"one\rtwo", kImportReportErrors, u"one\rtwo", 0},
      {"doubled bracket", u"a<<b", kImportReportErrors, u"a<b", 0},
      {"header only", u"<v7.00><e9>\r", kImportReportErrors, u"", 0},
      {"two unknown tags", u"a<Q>b<Z>c", kImportReportErrors,
       u"a\u00ABKesto error: No such tag: tag Q\u00BBb\u00ABKesto error: No such tag: tag Z\u00BBc", 2},
      {"reports off", u"a<Q>b<Z>c", 0, u"abc", 0},
      {"tag cut by the end of input", u"x<Q", kImportReportErrors,
       u"x\u00ABKesto error: No such tag: tag Q\u00BB\u00ABKesto error: Unexpected end of input\u00BB", 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ClearStory();
    int32_t errors = -1;
    EXPECT_EQ(0, Import(row.input, row.options, &errors));
    EXPECT_EQ(Readable(row.text + u"\r"), Readable(StoryText()));
    EXPECT_EQ(row.errors, errors);
  }
}

TEST_F(KestoScannerAgentTest, ALongParagraphArrivesAsOneParagraph) {
  std::u16string long3000(3000, u'x');
  EXPECT_EQ(0, Import(long3000 + u"\rnext", kImportReportErrors));
  auto model = Instantiate<ITextModel>(db_, story_);
  TextRun first = model->GetRunAt(TextStrand::kParagraph, 0);
  EXPECT_EQ(0, first.start);
  EXPECT_EQ(3001, first.end);
  EXPECT_EQ(3006, model->TotalLength());
}

TEST_F(KestoScannerAgentTest, AMissingTranslationFileEndsTheImportWithItsSystemCode) {
  XStory story(db_, story_, 0, 0);
  KestoScannerAgent agent(&story, nullptr, kImportReportErrors, nullptr, &FakeTicks);
  agent.NoteSystemError(-43);
  EXPECT_EQ(kEngineTranslationFileMissing, agent.ReportError(kScanTranslationFileNotFound, u"&tt", 0));
  EXPECT_EQ(u"-43", GetEngineMessageParameter(0));
  EXPECT_EQ(0, agent.GetErrorCount());
  EXPECT_EQ(0, agent.ReportError(kScanMalformedTag, u"z", 1));
  EXPECT_EQ(1, agent.GetErrorCount());
}

TEST_F(KestoScannerAgentTest, TabbedParagraphsAreCommittedWithAlignmentTheTabsCanKeep) {
  struct Row {
    const char* name;
    int32_t alignment;
    bool stops;
    int32_t committed;
  } rows[] = {
      {"justified all lines becomes justified left", 6, true, 4},
      {"centre becomes left", 1, true, 0},
      {"right becomes left", 2, true, 0},
      {"justified left stays", 4, true, 4},
      {"no tab stops: unchanged", 6, false, 6},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RenewDocument();
    XStory story(db_, story_, 0, 0);
    story.BeginImport();
    ASSERT_TRUE(story.Paragraph().SetEnum(kTextAttrAlignment, row.alignment));
    if (row.stops) {
      auto stops = std::make_shared<TabStopList>();
      TabStop stop;
      stop.position = 36;
      ASSERT_TRUE(stops->Add(stop));
      ASSERT_TRUE(story.Paragraph().SetObject(kTextAttrTabStops, stops));
    }
    {
      KestoScannerAgent agent(&story, nullptr, 0, nullptr, &FakeTicks);
      ASSERT_EQ(0, agent.BeginImport(nullptr));
      ASSERT_EQ(0, agent.InsertText(u"a\tb\r", 4));
      ASSERT_EQ(0, agent.EndOfParagraph(nullptr));
      ASSERT_EQ(0, agent.InsertText(u"c\r", 2));
      ASSERT_EQ(0, agent.EndOfParagraph(nullptr));
      // A last paragraph without its return is fixed up when the import ends.
      ASSERT_EQ(0, agent.InsertText(u"d\te", 3));
      ASSERT_EQ(0, agent.EndImport(nullptr));
    }
    story.EndImport();
    EXPECT_EQ(row.committed, AlignmentAt(0));
    EXPECT_EQ(row.alignment, AlignmentAt(4));
    EXPECT_EQ(row.committed, AlignmentAt(6));
  }
}

TEST_F(KestoScannerAgentTest, MarkersApplyThePlugInTextAttribute) {
  struct Row {
    const char* name;
    const char* code;
    std::u16string text;
    bool started;
    std::u16string value;  // empty: nothing applied
    std::array<int16_t, 3> numbers;
  } rows[] = {
      {"flagged", "AIP!", u"10100Xlabel", true, u"label", {0x100 | 0x2, 'X', 0}},
      {"flagged and numbered", "AIP!", u"21111Y42tail", true, u"tail", {0x100 | 0xF, 'Y', 42}},
      {"flagged, too short", "AIP!", u"1010", true, u"", {}},
      {"numbered, bad digits", "AIP!", u"20000Z4xq", true, u"", {}},
      {"valued", "AIP\"", u"1Vname", true, u"name", {0x200, 'V', 0}},
      {"text", "AIP#", u"1words", true, u"words", {0x300, 0, 0}},
      {"no start", "AIP#", u"1words", false, u"", {}},
      {"other first character", "AIP#", u"3words", true, u"", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RenewDocument();
    XStory story(db_, story_, 0, 0);
    story.BeginImport();
    {
      KestoScannerAgent agent(&story, nullptr, 0, nullptr, &FakeTicks);
      ASSERT_EQ(0, agent.BeginImport(nullptr));
      ASSERT_EQ(0, agent.InsertText(u"ab", 2));
      auto code = [](const char* c) { return (c[0] << 24) | (c[1] << 16) | (c[2] << 8) | c[3]; };
      if (row.started) {
        ASSERT_EQ(0, agent.Marker(code("AIPA"), nullptr, 0));
      }
      ASSERT_EQ(0, agent.InsertText(u"cd", 2));
      ASSERT_EQ(0, agent.Marker(code(row.code), row.text.data(), static_cast<int32_t>(row.text.size())));
      ASSERT_EQ(0, agent.InsertText(u"e\r", 2));
    }
    story.EndImport();
    auto [beforeText, beforeNumbers] = MarkerValueAt(1);
    EXPECT_EQ("", beforeText);
    auto [afterText, afterNumbers] = MarkerValueAt(4);
    EXPECT_EQ("", afterText);
    auto [text, numbers] = MarkerValueAt(2);
    EXPECT_EQ(Readable(row.value), text);
    std::array<int16_t, 3> expected = row.value.empty() ? std::array<int16_t, 3>{} : row.numbers;
    EXPECT_EQ(expected, numbers);
  }
}

TEST_F(KestoScannerAgentTest, ProgressIsShownAtMostFourTimesASecondAndACancelStopsTheImport) {
  RangeProgressBar::SetDisplayFactory([] { return std::make_unique<TestDisplay>(); });
  std::string input;
  for (int i = 0; i < 40; ++i)
    input += "paragraph " + std::to_string(i) + "\r";
  MemorySource source(input, StreamEncoding::kUtf8);
  XStory story(db_, story_, 0, 0);
  story.BeginImport();
  KestoScanner scanner;
  int32_t updates = 0;
  {
    KestoScannerAgent agent(&story, source.Stream(), 0, &scanner, &FakeTicks);
    ASSERT_TRUE(agent.HasProgressBar());
    // Each paragraph takes 50 ms of the fake clock: 40 paragraphs are 2 seconds.
    struct Stepping : CTagScannerAgent {
      KestoScannerAgent* inner;
      KestoResult BeginImport(VyTextAttributeMgr* a) override { return inner->BeginImport(a); }
      KestoResult InsertText(const char16_t* u, int32_t n) override { return inner->InsertText(u, n); }
      KestoResult EndOfParagraph(VyTextAttributeMgr* a) override {
        fakeNow += 50;
        return inner->EndOfParagraph(a);
      }
      KestoResult EndImport(VyTextAttributeMgr* a) override { return inner->EndImport(a); }
    } stepping;
    stepping.inner = &agent;
    EXPECT_EQ(0, scanner.Scan(source.Stream(), &stepping));
    updates = agent.GetProgressUpdates();
  }
  story.EndImport();
  EXPECT_GE(updates, 7);
  EXPECT_LE(updates, 9);
  EXPECT_EQ(1, displayLog.shows);
  EXPECT_EQ(1, displayLog.hides);
  EXPECT_GT(displayLog.lastFraction, 0.9);

  // The user cancels at the third paragraph: the two before it and the third itself stay.
  displayLog = {};
  displayLog.cancelAt = 3;
  ClearStory();
  EXPECT_EQ(kImportCancelled, Import(u"one\rtwo\rthree\rfour\r", 0));
  EXPECT_EQ(u"one\rtwo\rthree\r\r", StoryText());
}

TEST_F(KestoScannerAgentTest, FileReferencesAreLookedForNextToTheSource) {
  auto dir = std::filesystem::temp_directory_path() / ("agent-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "pics");
  std::ofstream(dir / "pics" / "a.tif") << "x";
  std::ofstream(dir / "source.txt") << "text";
  auto file = std::make_unique<VyFileStreamAgent>(VyFile(dir / "source.txt"));
  ASSERT_EQ(0, file->Open(VyFileAgentBase::kReadMode));
  VyTextStream source(file.get(), VyTextStream::kWindowsLineEnds);
  XStory story(db_, story_, 0, 0);
  KestoScannerAgent agent(&story, &source, 0, nullptr, &FakeTicks);
  struct Row {
    std::u16string name;
    int32_t status;
  } rows[] = {
      {u"pics/a.tif", 0},
      {u"pics:a.tif", -43},
      {u"pics", -1302},
      {u"pics/none.tif", -43},
      {u"https://example.org/a.png", 0},
      {u"", -37},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.name));
    WideString uri;
    EXPECT_EQ(row.status, agent.ResolveFileReference(uri, row.name));
  }
  WideString uri;
  ASSERT_EQ(0, agent.ResolveFileReference(uri, u"pics/a.tif"));
  EXPECT_EQ("file://" + (dir / "pics" / "a.tif").string(), Utf8FromWide(uri));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kesto
