// The translation-table stream: valid UTF-8 reads as such; the first invalid sequence switches to the
// fallback code page for good; other encodings replace as usual.
#include "kesto/streams/XlationTextStream.h"

#include <gtest/gtest.h>

#include "tests/kesto/streams/StreamTestSupport.h"

namespace kesto {
namespace {

using namespace testing_streams;
using E = StreamEncoding;

TEST(XlationTextStream, FallsBackAtTheFirstInvalidSequence) {
  struct Case {
    const char* name;
    Bytes bytes;
    E encoding;
    E fallback;
    Chars expected;
    E finalEncoding;
    int32_t replaced;
  };
  const Case cases[] = {
      {"valid utf8", BytesOf("caf\xC3\xA9"), E::kUtf8, E::kWindowsLatin, CharsOf(U"café"), E::kUtf8, 0},
      {"1252 file read as utf8", BytesOf("caf\xE9 na\xEFve \x80"), E::kUtf8, E::kWindowsLatin,
       CharsOf(U"café naïve €"), E::kWindowsLatin, 0},
      {"mac roman file read as utf8", BytesOf("caf\x8E \xD2q\xD3"), E::kUtf8, E::kMacRoman,
       CharsOf(U"café “q”"), E::kMacRoman, 0},
      {"utf8 before the first bad byte", BytesOf("\xC3\xA9\xE9\xC3\xA9"), E::kUtf8, E::kWindowsLatin,
       CharsOf(U"ééé"), E::kWindowsLatin, 0},
      {"unassigned after falling back",
       BytesOf("\x81"),
       E::kUtf8,
       E::kWindowsLatin,
       {0xFFFD},
       E::kWindowsLatin,
       1},
      {"no code page to fall back to", BytesOf("a\xE9"), E::kUtf8, E::kAscii, {'a', 0xFFFD}, E::kAscii, 1},
      {"utf8 mark then a 1252 byte", BytesOf("\xEF\xBB\xBF\xE9t\xE9"), E::kWindowsLatin, E::kWindowsLatin,
       CharsOf(U"été"), E::kWindowsLatin, 0},
      {"utf16 replaces as usual",
       {0x00, 0xDC, 0x41, 0x00},
       E::kUtf16LE,
       E::kWindowsLatin,
       {0xFFFD, 'A'},
       E::kUtf16LE,
       1},
      {"8-bit text never falls back",
       BytesOf("\x81\xE9"),
       E::kWindowsLatin,
       E::kMacRoman,
       {0xFFFD, 0xE9},
       E::kWindowsLatin,
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VyMemoryStreamAgent agent(c.bytes.data(), c.bytes.size(), c.encoding);
    XlationTextStream stream(&agent, c.fallback, VyTextStream::kWindowsLineEnds);
    EXPECT_TRUE(SameChars(c.expected, ReadAllInBlocks(stream, 3)));
    EXPECT_EQ(c.finalEncoding, stream.GetEncoding());
    EXPECT_EQ(c.replaced, stream.GetReplacedCount());
    EXPECT_EQ(c.fallback, stream.GetFallbackEncoding());
  }
}

TEST(XlationTextStream, TruncatedUtf16IsReplaced) {
  Bytes bytes = {'a', 0, 0x3D, 0xD8};
  VyMemoryStreamAgent agent(bytes.data(), bytes.size(), E::kUtf16LE);
  XlationTextStream stream(&agent, E::kUtf16LE, E::kWindowsLatin, VyTextStream::kWindowsLineEnds);
  EXPECT_TRUE(SameChars({'a', 0xFFFD}, ReadAll(stream)));
  EXPECT_EQ(1, stream.GetReplacedCount());
}

}  // namespace
}  // namespace kesto
