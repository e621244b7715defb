// The clipboard source: text becomes a UTF-16 source, the host's own data or no text an empty one.
#include "kesto/streams/KestoClipboardAgent.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "host/ui/Clipboard.h"
#include "kesto/streams/VyTextStream.h"
#include "tests/kesto/streams/StreamTestSupport.h"

namespace kesto {
namespace {

using namespace testing_streams;
using E = StreamEncoding;

class ClipboardAgentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("PAGEHOST_CLIPBOARD");
    if (old) saved_ = old;
    hadOld_ = old != nullptr;
    ::setenv("PAGEHOST_CLIPBOARD", (folder_ / "clipboard").c_str(), 1);
  }
  void TearDown() override {
    if (hadOld_)
      ::setenv("PAGEHOST_CLIPBOARD", saved_.c_str(), 1);
    else
      ::unsetenv("PAGEHOST_CLIPBOARD");
  }

  // What an import from the clipboard would read, and in which encoding.
  Chars Import(E& encoding) {
    int16_t error = -1;
    auto agent = KestoClipboardAgent::Create(error);
    EXPECT_EQ(0, error);
    if (!agent) return {};
    WideString name;
    agent->GetName(name);
    EXPECT_EQ(u"Clipboard", name);
    encoding = agent->GetEncoding();
    VyTextStream stream(agent.get(), VyTextStream::kWindowsLineEnds);
    Chars chars = ReadAllInBlocks(stream, 50);
    EXPECT_FALSE(stream.IsBad());
    return chars;
  }

  ScratchFolder folder_;
  std::string saved_;
  bool hadOld_ = false;
};

TEST_F(ClipboardAgentTest, TextBecomesAUtf16Source) {
  std::u16string text = u"<v7.00><e8>\rcaf\xE9 \U0001F600\r\n";
  for (int i = 0; i < 300; ++i)
    text += u"more text ";
  ASSERT_TRUE(Clipboard::SetText(text));
  E encoding;
  Chars chars = Import(encoding);
  EXPECT_EQ(E::kUtf16LE, encoding);
  Chars expected = CharsOf(U"<v7.00><e8>\rcaf\u00E9 \U0001F600\r");
  for (int i = 0; i < 300; ++i) {
    Chars more = CharsOf(U"more text ");
    expected.insert(expected.end(), more.begin(), more.end());
  }
  EXPECT_TRUE(SameChars(expected, chars));
}

TEST_F(ClipboardAgentTest, TextEndsAtTheFirstZero) {
  ASSERT_TRUE(Clipboard::SetText(std::u16string(u"ab\0cd", 5)));
  E encoding;
  EXPECT_TRUE(SameChars({'a', 'b'}, Import(encoding)));
}

TEST_F(ClipboardAgentTest, EmptyImports) {
  struct Case {
    const char* name;
    ClipboardContents contents;
    bool write;
  };
  ClipboardContents hostOnly;
  hostOnly.hostData.emplace(std::vector<uint8_t>{1, 2, 3});
  ClipboardContents both = hostOnly;
  both.text.emplace(u"text the host put beside its own data");
  ClipboardContents emptyText;
  emptyText.text.emplace();
  const Case cases[] = {
      {"no clipboard yet", {}, false},
      {"empty clipboard", {}, true},
      {"host data only", hostOnly, true},
      {"host data with text", both, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder_ / "clipboard");
    if (c.write) {
      ASSERT_TRUE(Clipboard::Write(c.contents));
    }
    E encoding;
    EXPECT_TRUE(Import(encoding).empty());
    EXPECT_EQ(E::kWindowsLatin, encoding);
  }
  ASSERT_TRUE(Clipboard::Write(emptyText));
  E encoding;
  EXPECT_TRUE(Import(encoding).empty());
  EXPECT_EQ(E::kUtf16LE, encoding);
}

TEST_F(ClipboardAgentTest, DamagedClipboardIsEmpty) {
  std::ofstream(folder_ / "clipboard", std::ios::binary) << "PHCB\x01T\xFF\xFF\xFF\x7F";
  E encoding;
  EXPECT_TRUE(Import(encoding).empty());
  EXPECT_EQ(E::kWindowsLatin, encoding);
}

}  // namespace
}  // namespace kesto
