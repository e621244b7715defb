// Decoding: byte-order marks, UTF-16 detection, UTF-8 inside 8-bit text, strict UTF-8, line ends,
// replacement counting, push back, seeking and changes of encoding.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "host/db/MemoryStream.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyPMStreamStreamAgent.h"
#include "kesto/streams/VyStringStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "tests/kesto/streams/StreamTestSupport.h"

namespace kesto {
namespace {

using namespace testing_streams;
using E = StreamEncoding;

constexpr int32_t kAsIs = VyTextStream::kLineEndsAsIs;
constexpr int32_t kWindows = VyTextStream::kWindowsLineEnds;
constexpr int32_t R = 0xFFFD;

struct DecodeCase {
  const char* name;
  Bytes bytes;
  E encoding;
  int32_t lineEnds;
  Chars expected;
  int32_t replaced;
  E finalEncoding;
  bool fixed;
};

const DecodeCase kDecodeCases[] = {
    // Byte-order marks and UTF-16 detection.
    {"utf8 mark", {0xEF, 0xBB, 0xBF, 0x41}, E::kWindowsLatin, kAsIs, {'A'}, 0, E::kUtf8, true},
    {"utf16le without mark", {0x3C, 0x00, 0x42, 0x00}, E::kUtf8, kAsIs, {'<', 'B'}, 0, E::kUtf16LE, true},
    {"utf16be without mark", {0x00, 0x3C, 0x00, 0x42}, E::kUtf8, kAsIs, {'<', 'B'}, 0, E::kUtf16BE, true},
    {"utf16be mark", {0xFE, 0xFF, 0x00, 0x41}, E::kUtf8, kAsIs, {'A'}, 0, E::kUtf16BE, true},
    {"utf16le mark", {0xFF, 0xFE, 0x41, 0x00}, E::kUtf8, kAsIs, {'A'}, 0, E::kUtf16LE, true},
    {"utf32le mark", {0xFF, 0xFE, 0, 0, 0x41, 0, 0, 0}, E::kUtf8, kAsIs, {'A'}, 0, E::kUtf32LE, true},
    {"utf32be mark", {0, 0, 0xFE, 0xFF, 0, 0, 0, 0x41}, E::kUtf8, kAsIs, {'A'}, 0, E::kUtf32BE, true},
    {"mark alone", {0xEF, 0xBB, 0xBF}, E::kWindowsLatin, kAsIs, {}, 0, E::kUtf8, true},
    {"second mark is a character",
     {0xEF, 0xBB, 0xBF, 0xEF, 0xBB, 0xBF},
     E::kUtf8,
     kAsIs,
     {0xFEFF},
     0,
     E::kUtf8,
     true},
    {"utf16le mark then half a unit", {0xFF, 0xFE, 0x41}, E::kUtf8, kAsIs, {R}, 1, E::kUtf16LE, true},
    {"no detection of zero bytes in given utf16",
     {0x00, 0x41},
     E::kUtf16LE,
     kAsIs,
     {0x4100},
     0,
     E::kUtf16LE,
     false},
    {"two zero bytes stay 8-bit",
     {0x00, 0x00, 0x41},
     E::kWindowsLatin,
     kAsIs,
     {0, 0, 'A'},
     0,
     E::kWindowsLatin,
     false},
    {"empty", {}, E::kUtf8, kAsIs, {}, 0, E::kUtf8, false},
    {"one byte", {0x41}, E::kUtf8, kAsIs, {'A'}, 0, E::kUtf8, false},

    // 8-bit text, with UTF-8 inside it.
    {"1252 utf8 inside", {0xC3, 0xA9}, E::kWindowsLatin, kAsIs, {0xE9}, 0, E::kWindowsLatin, false},
    {"1252 lead without continuation",
     {0xC3, 0x41},
     E::kWindowsLatin,
     kAsIs,
     {0xC3, 'A'},
     0,
     E::kWindowsLatin,
     false},
    {"1252 unassigned",
     {0x81, 0x8D, 0x8F, 0x90, 0x9D},
     E::kWindowsLatin,
     kAsIs,
     {R, R, R, R, R},
     5,
     E::kWindowsLatin,
     false},
    {"1252 high half",
     {0x80, 0x9F, 0xA0, 0xBF},
     E::kWindowsLatin,
     kAsIs,
     {0x20AC, 0x0178, 0xA0, 0xBF},
     0,
     E::kWindowsLatin,
     false},
    {"1252 four-byte utf8 inside",
     {0xF0, 0x9F, 0x98, 0x80},
     E::kWindowsLatin,
     kAsIs,
     {0x1F600},
     0,
     E::kWindowsLatin,
     false},
    {"1252 overlong stays 8-bit",
     {0xC0, 0x80},
     E::kWindowsLatin,
     kAsIs,
     {0xC0, 0x20AC},
     0,
     E::kWindowsLatin,
     false},
    {"1252 truncated utf8 at end",
     {0xE2, 0x82},
     E::kWindowsLatin,
     kAsIs,
     {0xE2, 0x201A},
     0,
     E::kWindowsLatin,
     false},
    {"mac roman excluded leads", {0xD2, 0x80}, E::kMacRoman, kAsIs, {0x201C, 0xC4}, 0, E::kMacRoman, false},
    {"mac roman every excluded lead",
     {0xC7, 0x80, 0xD4, 0x80, 0xD5, 0x80, 0xDC, 0x80},
     E::kMacRoman,
     kAsIs,
     {0xAB, 0xC4, 0x2018, 0xC4, 0x2019, 0xC4, 0x2039, 0xC4},
     0,
     E::kMacRoman,
     false},
    {"mac roman other leads try utf8", {0xC3, 0xA9}, E::kMacRoman, kAsIs, {0xE9}, 0, E::kMacRoman, false},
    {"mac roman table",
     {0x8E, 0xDB, 0xF0},
     E::kMacRoman,
     kAsIs,
     {0xE9, 0x20AC, 0xF8FF},
     0,
     E::kMacRoman,
     false},
    {"ascii high bytes are latin-1",
     {0xE9, 0x41, 0x85},
     E::kAscii,
     kAsIs,
     {0xE9, 'A', 0x85},
     0,
     E::kAscii,
     false},
    {"unspecified like ascii",
     {0xC3, 0xA9, 0xE9},
     E::kUnspecified,
     kAsIs,
     {0xE9, 0xE9},
     0,
     E::kUnspecified,
     false},

    // Strict UTF-8.
    {"utf8 all lengths",
     {0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80},
     E::kUtf8,
     kAsIs,
     {'A', 0xE9, 0x20AC, 0x1F600},
     0,
     E::kUtf8,
     false},
    {"utf8 overlong two bytes", {0xC0, 0x80}, E::kUtf8, kAsIs, {R, R}, 2, E::kUtf8, false},
    {"utf8 overlong three bytes", {0xE0, 0x80, 0xAF}, E::kUtf8, kAsIs, {R, R, R}, 3, E::kUtf8, false},
    {"utf8 surrogate", {0xED, 0xA0, 0x80}, E::kUtf8, kAsIs, {R, R, R}, 3, E::kUtf8, false},
    {"utf8 last before surrogates", {0xED, 0x9F, 0xBF}, E::kUtf8, kAsIs, {0xD7FF}, 0, E::kUtf8, false},
    {"utf8 above the last character",
     {0xF4, 0x90, 0x80, 0x80},
     E::kUtf8,
     kAsIs,
     {R, R, R, R},
     4,
     E::kUtf8,
     false},
    {"utf8 last character", {0xF4, 0x8F, 0xBF, 0xBF}, E::kUtf8, kAsIs, {0x10FFFF}, 0, E::kUtf8, false},
    {"utf8 bad lead", {0xF5, 0x41}, E::kUtf8, kAsIs, {R, 'A'}, 1, E::kUtf8, false},
    {"utf8 lone continuation", {0x80, 0xBF}, E::kUtf8, kAsIs, {R, R}, 2, E::kUtf8, false},
    {"utf8 sequence broken by ascii", {0xE2, 0x82, 0x41}, E::kUtf8, kAsIs, {R, R, 'A'}, 2, E::kUtf8, false},
    {"utf8 truncated at end", {0x41, 0xF0, 0x9F, 0x98}, E::kUtf8, kAsIs, {'A', R, R, R}, 3, E::kUtf8, false},

    // UTF-16 and UTF-32.
    {"utf16le pair", {0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}, E::kUtf8, kAsIs, {0x1F600}, 0, E::kUtf16LE, true},
    {"utf16be pair", {0xD8, 0x3D, 0xDE, 0x00}, E::kUtf16BE, kAsIs, {0x1F600}, 0, E::kUtf16BE, false},
    {"utf16 lone low surrogate",
     {0x00, 0xDC, 0x41, 0x00},
     E::kUtf16LE,
     kAsIs,
     {R, 'A'},
     1,
     E::kUtf16LE,
     false},
    {"utf16 high surrogate before ascii",
     {0x3D, 0xD8, 0x41, 0x00},
     E::kUtf16LE,
     kAsIs,
     {R, 'A'},
     1,
     E::kUtf16LE,
     false},
    {"utf16 two high surrogates",
     {0x3D, 0xD8, 0x3D, 0xD8, 0x00, 0xDE},
     E::kUtf16LE,
     kAsIs,
     {R, 0x1F600},
     1,
     E::kUtf16LE,
     false},
    {"utf16 high surrogate at end",
     {0x41, 0x00, 0x3D, 0xD8},
     E::kUtf16LE,
     kAsIs,
     {'A', R},
     1,
     E::kUtf16LE,
     false},
    {"utf16 pair cut inside low unit", {0x3D, 0xD8, 0x00}, E::kUtf16LE, kAsIs, {R}, 1, E::kUtf16LE, false},
    {"utf16 odd byte at end", {0x41, 0x00, 0x42}, E::kUtf16LE, kAsIs, {'A', R}, 1, E::kUtf16LE, false},
    {"utf32be values",
     {0, 0x01, 0xF6, 0x00, 0, 0, 0, 0x41},
     E::kUtf32BE,
     kAsIs,
     {0x1F600, 'A'},
     0,
     E::kUtf32BE,
     false},
    {"utf32le above the last character",
     {0, 0, 0x11, 0, 0x41, 0, 0, 0},
     E::kUtf32LE,
     kAsIs,
     {R, 'A'},
     1,
     E::kUtf32LE,
     false},
    {"utf32le surrogate", {0x00, 0xD8, 0, 0}, E::kUtf32LE, kAsIs, {R}, 1, E::kUtf32LE, false},
    {"utf32le huge", {0xFF, 0xFF, 0xFF, 0xFF}, E::kUtf32LE, kAsIs, {R}, 1, E::kUtf32LE, false},
    {"utf32 truncated", {0x41, 0, 0, 0, 0x42, 0}, E::kUtf32LE, kAsIs, {'A', R}, 1, E::kUtf32LE, false},

    // Line ends.
    {"crlf", {'A', '\r', '\n', 'B'}, E::kUtf8, kWindows, {'A', '\r', 'B'}, 0, E::kUtf8, false},
    {"lone lf", {'A', '\n', 'B'}, E::kUtf8, kWindows, {'A', '\r', 'B'}, 0, E::kUtf8, false},
    {"lone cr", {'A', '\r', 'B'}, E::kUtf8, kWindows, {'A', '\r', 'B'}, 0, E::kUtf8, false},
    {"cr cr lf", {'\r', '\r', '\n'}, E::kUtf8, kWindows, {'\r', '\r'}, 0, E::kUtf8, false},
    {"lf cr", {'\n', '\r'}, E::kUtf8, kWindows, {'\r', '\r'}, 0, E::kUtf8, false},
    {"crlf at end", {'\r', '\n'}, E::kWindowsLatin, kWindows, {'\r'}, 0, E::kWindowsLatin, false},
    {"line ends as is",
     {'A', '\r', '\n', '\n'},
     E::kUtf8,
     kAsIs,
     {'A', '\r', '\n', '\n'},
     0,
     E::kUtf8,
     false},
    {"utf16le crlf",
     {'A', 0, '\r', 0, '\n', 0, '\n', 0},
     E::kUtf16LE,
     kWindows,
     {'A', '\r', '\r'},
     0,
     E::kUtf16LE,
     false},
    {"utf16be crlf", {0, '\r', 0, '\n'}, E::kUtf16BE, kWindows, {'\r'}, 0, E::kUtf16BE, false},
    {"utf16 cr before other unit",
     {'\r', 0, '\n', 1},
     E::kUtf16LE,
     kWindows,
     {'\r', 0x010A},
     0,
     E::kUtf16LE,
     false},
    {"utf32be crlf", {0, 0, 0, '\r', 0, 0, 0, '\n'}, E::kUtf32BE, kWindows, {'\r'}, 0, E::kUtf32BE, false},
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, OneCharacterAtATime) {
  const DecodeCase& c = GetParam();
  VyMemoryStreamAgent agent(c.bytes.data(), c.bytes.size(), c.encoding);
  VyTextStream stream(&agent, c.lineEnds);
  EXPECT_TRUE(SameChars(c.expected, ReadAll(stream)));
  EXPECT_EQ(c.replaced, stream.GetReplacedCount());
  EXPECT_EQ(c.finalEncoding, stream.GetEncoding());
  EXPECT_EQ(c.fixed, stream.IsEncodingFixed());
  EXPECT_TRUE(stream.AtEndOfInput());
  EXPECT_FALSE(stream.IsBad());
  EXPECT_EQ(VyTextStream::kEndOfText, stream.Read());
}

TEST_P(DecodeTest, InBlocks) {
  const DecodeCase& c = GetParam();
  for (size_t block : {1, 2, 3, 64}) {
    SCOPED_TRACE(block);
    VyMemoryStreamAgent agent(c.bytes.data(), c.bytes.size(), c.encoding);
    VyTextStream stream(&agent, c.encoding, c.lineEnds);
    EXPECT_TRUE(SameChars(c.expected, ReadAllInBlocks(stream, block)));
    EXPECT_EQ(c.replaced, stream.GetReplacedCount());
  }
}

// Every character stepped back over reads again the same, and from the same bytes.
TEST_P(DecodeTest, PushBackRereadsEachCharacter) {
  const DecodeCase& c = GetParam();
  VyMemoryStreamAgent agent(c.bytes.data(), c.bytes.size(), c.encoding);
  VyTextStream stream(&agent, c.lineEnds);
  Chars reread;
  for (int32_t ch; (ch = stream.Read()) >= 0;) {
    int64_t after = stream.Tell();
    ASSERT_TRUE(stream.PushBack());
    EXPECT_FALSE(stream.PushBack()) << "only one step back is kept";
    EXPECT_EQ(ch, stream.Read());
    EXPECT_EQ(after, stream.Tell());
    reread.push_back(ch);
  }
  EXPECT_TRUE(SameChars(c.expected, reread));
}

INSTANTIATE_TEST_SUITE_P(Bytes, DecodeTest, ::testing::ValuesIn(kDecodeCases),
                         [](const ::testing::TestParamInfo<DecodeCase>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

// A host stream agent reads through a 512-byte buffer: sequences and line ends that straddle its end must
// decode as they do in one block of memory.
TEST(DecodeAcrossBuffers, SequencesStraddlingTheBufferEnd) {
  struct Piece {
    const char* name;
    Bytes bytes;
    E encoding;
  };
  const Piece pieces[] = {
      {"utf8 four bytes", {0xF0, 0x9F, 0x98, 0x80}, E::kUtf8},
      {"utf8 broken", {0xE2, 0x82, 0x41}, E::kUtf8},
      {"1252 utf8 inside", {0xE2, 0x82, 0xAC}, E::kWindowsLatin},
      {"1252 broken utf8", {0xE2, 0x82, 0x41}, E::kWindowsLatin},
      {"crlf", {'\r', '\n'}, E::kUtf8},
      {"utf16le pair", {0x3D, 0xD8, 0x00, 0xDE}, E::kUtf16LE},
      {"utf16le crlf", {'\r', 0, '\n', 0}, E::kUtf16LE},
      {"utf32be crlf", {0, 0, 0, '\r', 0, 0, 0, '\n'}, E::kUtf32BE},
  };
  for (const Piece& piece : pieces) {
    for (size_t at = 500; at <= 516; ++at) {
      SCOPED_TRACE(::testing::Message() << piece.name << " at " << at);
      auto unit = static_cast<size_t>(BytesPerUnit(piece.encoding));
      if (at % unit != 0) continue;
      Bytes x = piece.encoding == E::kUtf16LE   ? Bytes{'x', 0}
                : piece.encoding == E::kUtf32BE ? Bytes{0, 0, 0, 'x'}
                                                : Bytes{'x'};
      Bytes bytes;
      while (bytes.size() < at)
        bytes.insert(bytes.end(), x.begin(), x.end());
      bytes.insert(bytes.end(), piece.bytes.begin(), piece.bytes.end());
      VyMemoryStreamAgent whole(bytes.data(), bytes.size(), piece.encoding);
      VyTextStream expected(&whole, piece.encoding, kWindows);
      MemoryReadStream host(bytes);
      VyPMStreamStreamAgent buffered(&host, VyPMStreamStreamAgent::kReadMode, piece.encoding);
      VyTextStream actual(&buffered, piece.encoding, kWindows);
      Chars wanted = ReadAll(expected);
      Chars got;
      for (int32_t ch; (ch = actual.Read()) >= 0;) {
        got.push_back(ch);
        // Stepping back across the buffer's start must land where it would in memory.
        ASSERT_TRUE(actual.PushBack());
        ASSERT_EQ(ch, actual.Read());
      }
      EXPECT_TRUE(SameChars(wanted, got));
      // Each replacement was read twice.
      EXPECT_EQ(2 * expected.GetReplacedCount(), actual.GetReplacedCount());
    }
  }
}

TEST(DecodeLongText, BlocksAndSingleReadsAgree) {
  // Mixed text: ASCII (also long stretches, with line ends anywhere in them), two- to four-byte UTF-8, line
  // ends and a broken sequence, many times over.
  Bytes unit = BytesOf(
      "Grüße, naïve café \xE2\x82\xAC 1\r\n\xF0\x9F\x98\x80 x\n\xC3(\r"
      "a long stretch of plain text\rwith line\nends\r\nin it\xE9"
      "and on");
  Bytes bytes;
  for (int i = 0; i < 200; ++i)
    bytes.insert(bytes.end(), unit.begin(), unit.end());
  for (E encoding : {E::kUtf8, E::kWindowsLatin, E::kMacRoman}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    VyMemoryStreamAgent a(bytes.data(), bytes.size(), encoding);
    VyMemoryStreamAgent b(bytes.data(), bytes.size(), encoding);
    VyTextStream single(&a, kWindows);
    VyTextStream blocks(&b, kWindows);
    EXPECT_TRUE(SameChars(ReadAll(single), ReadAllInBlocks(blocks, 37)));
    EXPECT_EQ(single.GetReplacedCount(), blocks.GetReplacedCount());
  }
}

TEST(TextStreamSeek, TellSeekAndRereading) {
  Bytes bytes = BytesOf("ab\xC3\xA9z");
  VyMemoryStreamAgent agent(bytes.data(), bytes.size(), E::kUtf8);
  VyTextStream stream(&agent, kAsIs);
  EXPECT_EQ('a', stream.Read());
  EXPECT_EQ('b', stream.Read());
  EXPECT_EQ(0xE9, stream.Read());
  EXPECT_EQ(4, stream.Tell());
  EXPECT_EQ('z', stream.Read());
  EXPECT_EQ(VyTextStream::kEndOfText, stream.Read());
  EXPECT_TRUE(stream.AtEndOfInput());

  // A good seek starts reading afresh, even after the end was reached.
  ASSERT_TRUE(stream.Seek(2));
  EXPECT_FALSE(stream.AtEndOfInput());
  EXPECT_EQ(0xE9, stream.Read());

  // A seek outside the storage fails and stops reading until a good seek.
  EXPECT_FALSE(stream.Seek(99));
  EXPECT_EQ(VyTextStream::kFailed, stream.GetState() & VyTextStream::kFailed);
  EXPECT_EQ(VyTextStream::kEndOfText, stream.Read());
  ASSERT_TRUE(stream.Seek(0));
  EXPECT_EQ('a', stream.Read());
}

TEST(TextStreamSeek, NothingToPushBackAtTheStartOrAfterTheEnd) {
  Bytes bytes = BytesOf("a");
  VyMemoryStreamAgent agent(bytes.data(), bytes.size(), E::kUtf8);
  VyTextStream stream(&agent, kAsIs);
  EXPECT_FALSE(stream.PushBack());
  EXPECT_EQ('a', stream.Read());
  EXPECT_EQ(VyTextStream::kEndOfText, stream.Read());
  EXPECT_FALSE(stream.PushBack());
}

// What the header tag does: decode the header in the first encoding, go back to the start, decode as many
// characters again, then go on in the new encoding from the byte after the tag.
TEST(TextStreamSeek, RedecodingInAnotherEncoding) {
  Bytes bytes = BytesOf("<e9>\r\xC3\xA9\xE2\x82");
  VyMemoryStreamAgent agent(bytes.data(), bytes.size(), E::kWindowsLatin);
  VyTextStream stream(&agent, kWindows);
  for (int i = 0; i < 4; ++i)
    stream.Read();
  ASSERT_TRUE(stream.Seek(0));
  for (int i = 0; i < 4; ++i)
    stream.Read();
  ASSERT_TRUE(stream.SetEncoding(E::kUtf8, false));
  EXPECT_TRUE(SameChars({'\r', 0xE9, R, R}, ReadAll(stream)));
  EXPECT_EQ(2, stream.GetReplacedCount());
}

TEST(TextStreamEncoding, SetEncodingRefusals) {
  struct Case {
    const char* name;
    Bytes start;  // read one character first, so that detection has run
    E given;
    E wanted;
    bool detect;
    bool accepted;
  };
  const Case cases[] = {
      {"free utf8 to utf16", {'a'}, E::kUtf8, E::kUtf16LE, false, true},
      {"free utf16 to 1252", {'a', 0}, E::kUtf16LE, E::kWindowsLatin, false, true},
      {"utf8 mark to 1252", {0xEF, 0xBB, 0xBF, 'a'}, E::kWindowsLatin, E::kWindowsLatin, false, true},
      {"utf8 mark to utf16", {0xEF, 0xBB, 0xBF, 'a'}, E::kWindowsLatin, E::kUtf16LE, false, false},
      {"utf8 mark to utf32 with detection", {0xEF, 0xBB, 0xBF, 'a'}, E::kUtf8, E::kUtf32BE, true, false},
      {"detected utf16 to utf8", {'a', 0}, E::kUtf8, E::kUtf8, false, false},
      {"detected utf16 to itself", {'a', 0}, E::kUtf8, E::kUtf16LE, true, false},
      {"utf16 mark to mac roman", {0xFE, 0xFF, 0, 'a'}, E::kUtf8, E::kMacRoman, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VyMemoryStreamAgent agent(c.start.data(), c.start.size(), c.given);
    VyTextStream stream(&agent, kAsIs);
    ASSERT_EQ('a', stream.Read());
    E before = stream.GetEncoding();
    EXPECT_EQ(c.accepted, stream.SetEncoding(c.wanted, c.detect));
    EXPECT_EQ(c.accepted ? c.wanted : before, stream.GetEncoding());
  }
}

TEST(TextStreamEncoding, SetEncodingRestartsCountAndDetection) {
  Bytes bytes = {0x81, 0xFE, 0xFF, 0x00, 0x41};
  VyMemoryStreamAgent agent(bytes.data(), bytes.size(), E::kWindowsLatin);
  VyTextStream stream(&agent, kAsIs);
  EXPECT_EQ(R, stream.Read());
  EXPECT_EQ(1, stream.GetReplacedCount());
  ASSERT_TRUE(stream.SetEncoding(E::kUtf8, true));
  EXPECT_EQ(0, stream.GetReplacedCount());
  EXPECT_FALSE(stream.IsEncodingFixed());
  // Detection runs again at the next read and finds the mark there.
  EXPECT_EQ('A', stream.Read());
  EXPECT_EQ(E::kUtf16BE, stream.GetEncoding());
  EXPECT_TRUE(stream.IsEncodingFixed());
}

TEST(TextStreamEncoding, AgentMayRefuseAnEncoding) {
  std::string text;
  VyCharStringStreamAgent agent(&text);
  VyTextStream stream(&agent, kAsIs);
  EXPECT_EQ(E::kWindowsLatin, stream.GetEncoding());
  EXPECT_TRUE(stream.SetEncoding(E::kUtf8, false));
  EXPECT_FALSE(stream.SetEncoding(E::kUtf16LE, false));
  EXPECT_EQ(E::kUtf8, stream.GetEncoding());
}

TEST(TextStreamState, NullAgentIsBad) {
  VyTextStream stream(nullptr, kWindows);
  EXPECT_TRUE(stream.IsBad());
  EXPECT_EQ(VyTextStream::kEndOfText, stream.Read());
  int32_t chars[4];
  EXPECT_EQ(0u, stream.Read(chars, 4));
  EXPECT_FALSE(stream.PushBack());
  EXPECT_FALSE(stream.Seek(0));
  EXPECT_EQ(-1, stream.Tell());
  EXPECT_FALSE(stream.SetEncoding(E::kUtf8, false));
  stream.PutChar('a');
  stream.PutText(u"abc");
  stream.WriteByteOrderMark();
  EXPECT_TRUE(stream.IsBad());
}

// A host stream that fails after handing out some bytes, like a disk with a bad sector.
class FailingReadStream final : public IPMStream {
 public:
  explicit FailingReadStream(size_t goodBytes) : goodBytes_(goodBytes) {}
  bool IsReading() const override { return true; }
  State GetState() const override { return state_; }
  void SetState(State state) override { state_ = state; }
  size_t XferBytes(uint8_t* bytes, size_t count) override {
    size_t n = std::min(count, goodBytes_ - position_);
    std::fill(bytes, bytes + n, 'a');
    position_ += n;
    if (n < count) state_ = State::kFailure;
    return n;
  }
  int64_t Seek(int64_t offset, SeekFrom from) override { return -1; }
  int64_t Tell() const override { return static_cast<int64_t>(position_); }

 private:
  size_t goodBytes_;
  size_t position_ = 0;
  State state_ = State::kGood;
};

TEST(TextStreamState, FailingStorageMakesTheStreamBad) {
  FailingReadStream host(700);
  VyPMStreamStreamAgent agent(&host, VyPMStreamStreamAgent::kReadMode, E::kUtf8);
  VyTextStream stream(&agent, kWindows);
  EXPECT_EQ(700u, ReadAllInBlocks(stream, 100).size());
  EXPECT_TRUE(stream.IsBad());
  EXPECT_EQ(-36, agent.GetError());
}

TEST(TextStreamState, ReplacedCountGrowsOverTheWholeInput) {
  Bytes bytes;
  for (int i = 0; i < 1000; ++i)
    bytes.insert(bytes.end(), {'x', 0x81});
  VyMemoryStreamAgent agent(bytes.data(), bytes.size(), E::kWindowsLatin);
  VyTextStream stream(&agent, kWindows);
  EXPECT_EQ(2000u, ReadAllInBlocks(stream, 333).size());
  EXPECT_EQ(1000, stream.GetReplacedCount());
}

}  // namespace
}  // namespace kesto
