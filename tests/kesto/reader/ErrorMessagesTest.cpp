// Message lists, inline reports, engine message rendering and the final summary of an import.
#include "kesto/reader/ErrorMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "host/res/StringResources.h"
#include "kesto/include/KestoID.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/ErrorReport.h"
#include "kesto/reader/ImportSummary.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "tests/kesto/reader/ScannerTestSupport.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

using testing_reader::Readable;

class ErrorMessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    ASSERT_EQ(kSuccess, RegisterKestoMessageLists());
  }
};

TEST_F(ErrorMessagesTest, ListsAreRegisteredWithEveryCode) {
  const StringResources& resources = StringResources::Get();
  EXPECT_EQ(53, resources.CountStrings(kKestoPluginID, kScannerErrorListID));
  EXPECT_EQ(54, resources.CountStrings(kKestoPluginID, kBuilderErrorListID));
  EXPECT_EQ(24, resources.CountStrings(kKestoPluginID, kEngineMessageListID));
  EXPECT_EQ(5, resources.CountStrings(kKestoPluginID, kReportFragmentListID));
}

TEST_F(ErrorMessagesTest, LookupByCode) {
  struct Row {
    const char* name;
    WideString text;
    std::u16string expected;
  } rows[] = {
      {"first scanner code", ScannerErrorMessage(kScanMalformedTag), u"Malformed tag"},
      {"hyperlink mismatch", ScannerErrorMessage(kScanHyperlinkMismatch), u"Hyperlink open/close mismatch"},
      {"last scanner code", ScannerErrorMessage(kScanLastError), u"Text after header tag dropped"},
      {"scanner code 0", ScannerErrorMessage(0), u""},
      {"beyond the scanner list", ScannerErrorMessage(kScanLastError + 1), u""},
      {"builder code 50 is unused", BuilderErrorMessage(50), u""},
      {"last builder code", BuilderErrorMessage(54), u"Can't thread text with previous box"},
      {"first engine code", EngineMessageText(10000), u"(Unknown error message: Kesto is confused.)"},
      {"unused engine code", EngineMessageText(10020), u""},
      {"system errors name no application", EngineMessageText(10007), u"System or host error."},
      {"the second of them", EngineMessageText(10008), u"System or host error."},
      {"last engine code", EngineMessageText(10023),
       u"Kesto found ^ improperly-encoded Unicode characters in the imported text and replaced each one with "
       u"a "
       u"Unicode replacement character."},
      {"before the engine codes", EngineMessageText(9999), u""},
      {"beyond the engine codes", EngineMessageText(10024), u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Readable(row.expected), Readable(row.text));
  }
}

TEST_F(ErrorMessagesTest, InlineReports) {
  struct Row {
    const char* name;
    WideString report;
    std::u16string expected;
  } rows[] = {
      {"tag without parameters", ScannerErrorReport(kScanUnexpectedEndOfLine, u"z", 0),
       u"\u00ABKesto error: Unexpected end of line: tag z\u00BB"},
      {"font name in the tag name", ScannerErrorReport(kScanNoSuchFont, u"f\"Nosuch\"", 0),
       u"\u00ABKesto error: No such font: tag f\"Nosuch\"\u00BB"},
      {"list element", ScannerErrorReport(kScanValueOutOfRange, u"*t", 3),
       u"\u00ABKesto error: Value out of range: tag *t param #3\u00BB"},
      {"no tag name, no parameter", ScannerErrorReport(kScanNoSuchTag, u"", 2),
       u"\u00ABKesto error: No such tag\u00BB"},
      {"unknown code", ScannerErrorReport(99, u"q", 0), u"\u00ABKesto error: <Unknown error>: tag q\u00BB"},
      {"builder error with extra text", BuilderErrorReport(5, u"&pb", u"pic.jpg"),
       u"\u00ABKesto error: Can't import picture: tag &pb (pic.jpg)\u00BB"},
      {"unused builder code", BuilderErrorReport(50, u"&g"),
       u"\u00ABKesto error: <Unknown error>: tag &g\u00BB"},
      {"host error text", MakeErrorReport(u"Host says no", u"&it", 0),
       u"\u00ABKesto error: Host says no: tag &it\u00BB"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Readable(row.expected), Readable(row.report));
  }
}

TEST_F(ErrorMessagesTest, RegisteredListsReplaceTheBuiltInTexts) {
  (void)StringResources::Get().RegisterStringList(kKestoPluginID, kScannerErrorListID,
                                                  {"Tag kaputt", "Unbekannt"});
  EXPECT_EQ(u"Unbekannt", ScannerErrorMessage(2));
  EXPECT_EQ(u"", ScannerErrorMessage(3));
  ASSERT_EQ(kSuccess, RegisterKestoMessageLists());
  EXPECT_EQ(u"No such tag", ScannerErrorMessage(2));
}

TEST_F(ErrorMessagesTest, EngineMessageRendering) {
  SetEngineMessageParameters({u"2"});
  EXPECT_EQ(
      Readable(
          u"Kesto encountered 2 errors during import (the text \u00ABKesto error: description\u00BB is left "
          u"at each point of error). [10004]"),
      Readable(RenderEngineMessage(kEngineErrors)));
  EXPECT_EQ(u" [12345]", RenderEngineMessage(12345));

  // Numbered marks take their parameter, bare ones the next in turn; a fifth bare mark is removed.
  (void)StringResources::Get().RegisterStringList(kKestoPluginID, kEngineMessageListID,
                                                  {"^1-^-^-^3-^-^-^-^9"});
  SetEngineMessageParameters({u"P0", u"P1", u"P2", u"P3", u"ignored"});
  EXPECT_EQ(u"P1-P0-P1-P3-P2-P3--9 [10000]", RenderEngineMessage(10000));
  SetEngineMessageParameters({u"only"});
  EXPECT_EQ(u"-only------9 [10000]", RenderEngineMessage(10000));
  ASSERT_EQ(kSuccess, RegisterKestoMessageLists());
}

TEST_F(ErrorMessagesTest, ParametersAreKeptPerThread) {
  SetEngineMessageParameters({u"main"});
  WideString rendered;
  std::thread other([&] {
    EXPECT_EQ(u"", GetEngineMessageParameter(0));
    SetEngineMessageParameters({u"7"});
    rendered = RenderEngineMessage(kEngineErrors);
  });
  other.join();
  EXPECT_NE(WideString::npos, rendered.find(u"encountered 7 errors"));
  EXPECT_EQ(u"main", GetEngineMessageParameter(0));
  EXPECT_EQ(u"", GetEngineMessageParameter(4));
}

// A stream that has replaced `replaced` characters, or a bad one.
struct SummarySource {
  explicit SummarySource(int replaced)
      : bytes(static_cast<size_t>(replaced), '\xFF'),
        agent(bytes.data(), bytes.size(), StreamEncoding::kUtf8),
        stream(&agent, 1) {
    while (stream.Read() >= 0) {
    }
  }
  std::string bytes;
  VyMemoryStreamAgent agent;
  VyTextStream stream;
};

TEST_F(ErrorMessagesTest, FinalSummary) {
  struct Row {
    const char* name;
    int32_t scanResult;
    bool bad;
    int replaced;
    int32_t errors;
    int32_t expected;
    std::u16string parameter;
  } rows[] = {
      {"clean import", 0, false, 0, 0, 0, u""},
      {"one report", 0, false, 0, 1, kEngineOneError, u"1"},
      {"two reports", 0, false, 0, 2, kEngineErrors, u"2"},
      {"replaced character wins over reports", 0, false, 1, 1, kEngineOneReplacedCharacter, u"1"},
      {"replaced characters", 0, false, 3, 0, kEngineReplacedCharacters, u"3"},
      {"bad source", 0, true, 0, 2, kEngineInvalidUtf8, u""},
      {"cancelled", -128, false, 0, 2, -128, u""},
      {"ended by the agent", kEngineTranslationFileMissing, false, 2, 0, kEngineTranslationFileMissing, u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetEngineMessageParameters({});
    SummarySource source(row.replaced);
    VyTextStream badStream(nullptr, 1);
    EXPECT_EQ(row.expected,
              SummarizeImport(row.scanResult, row.bad ? &badStream : &source.stream, row.errors));
    EXPECT_EQ(row.parameter, GetEngineMessageParameter(0));
  }
}

}  // namespace
}  // namespace kesto
