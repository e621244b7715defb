// Encoding: every encoding's bytes for a character, line ends, byte-order marks, characters that cannot be
// written, and failures of the byte sink.
#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyStringStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "tests/kesto/streams/StreamTestSupport.h"

namespace kesto {
namespace {

using namespace testing_streams;
using E = StreamEncoding;

constexpr int32_t kAsIs = VyTextStream::kLineEndsAsIs;
constexpr int32_t kWindows = VyTextStream::kWindowsLineEnds;

Bytes Encode(E encoding, int32_t lineEnds, const Chars& chars) {
  std::string out;
  VyCharStringStreamAgent agent(&out);
  VyTextStream stream(&agent, encoding, lineEnds);
  for (int32_t c : chars)
    stream.PutChar(c);
  EXPECT_EQ(0, agent.Close());
  EXPECT_FALSE(stream.IsBad());
  return BytesOf(out);
}

struct EncodeCase {
  const char* name;
  E encoding;
  int32_t lineEnds;
  Chars chars;
  Bytes expected;
};

const EncodeCase kEncodeCases[] = {
    // Characters.
    {"utf16le astral", E::kUtf16LE, kWindows, {0x1F600}, {0x3D, 0xD8, 0x00, 0xDE}},
    {"utf16be astral", E::kUtf16BE, kWindows, {0x1F600}, {0xD8, 0x3D, 0xDE, 0x00}},
    {"utf16le bmp", E::kUtf16LE, kWindows, {'A', 0x20AC}, {0x41, 0x00, 0xAC, 0x20}},
    {"utf8 each length",
     E::kUtf8,
     kWindows,
     {'A', 0xE9, 0x20AC, 0x1F600, 0x10FFFF},
     {0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80, 0xF4, 0x8F, 0xBF, 0xBF}},
    {"utf8 length boundaries",
     E::kUtf8,
     kWindows,
     {0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10000},
     {0x7F, 0xC2, 0x80, 0xDF, 0xBF, 0xE0, 0xA0, 0x80, 0xEF, 0xBF, 0xBF, 0xF0, 0x90, 0x80, 0x80}},
    {"utf32le", E::kUtf32LE, kWindows, {0x1F600}, {0x00, 0xF6, 0x01, 0x00}},
    {"utf32be", E::kUtf32BE, kWindows, {0x1F600}, {0x00, 0x01, 0xF6, 0x00}},
    {"1252 euro", E::kWindowsLatin, kWindows, {0x20AC}, {0x80}},
    {"mac roman euro", E::kMacRoman, kWindows, {0x20AC}, {0xDB}},
    {"1252 cannot", E::kWindowsLatin, kWindows, {0x0101, 0x1F600, 0x81}, {'?', '?', '?'}},
    {"mac roman cannot", E::kMacRoman, kWindows, {0x0101, 0xA4, 0x81}, {'?', '?', '?'}},
    {"1252 latin-1 half", E::kWindowsLatin, kWindows, {0xA0, 0xE9, 0xFF}, {0xA0, 0xE9, 0xFF}},
    {"mac roman letters", E::kMacRoman, kWindows, {0xE9, 0xC4, 0x201C, 0xF8FF}, {0x8E, 0x80, 0xD2, 0xF0}},
    {"ascii cannot", E::kAscii, kWindows, {'a', 0xE9, 0x20AC}, {'a', '?', '?'}},
    {"unspecified like ascii", E::kUnspecified, kWindows, {'a', 0xE9}, {'a', '?'}},

    // Nothing is written for what is not a character.
    {"not characters", E::kUtf8, kWindows, {-1, 0xD800, 'a', 0xDFFF, 0x110000, 'b'}, {'a', 'b'}},
    {"utf16 lone surrogate", E::kUtf16LE, kWindows, {0xDC00}, {}},
    {"utf32 lone surrogate", E::kUtf32BE, kWindows, {0xD800}, {}},

    // Line ends.
    {"cr mac roman", E::kMacRoman, kWindows, {'\r'}, {0x0D}},
    {"cr ascii", E::kAscii, kWindows, {'\r'}, {0x0D}},
    {"cr unspecified", E::kUnspecified, kWindows, {'\r'}, {0x0D}},
    {"cr 1252", E::kWindowsLatin, kWindows, {'\r'}, {0x0D, 0x0A}},
    {"cr utf8", E::kUtf8, kWindows, {'\r'}, {0x0D, 0x0A}},
    {"cr utf16be", E::kUtf16BE, kWindows, {'\r'}, {0x00, 0x0D, 0x00, 0x0A}},
    {"cr utf16le", E::kUtf16LE, kWindows, {'\r'}, {0x0D, 0x00, 0x0A, 0x00}},
    {"cr utf32le", E::kUtf32LE, kWindows, {'\r'}, {0x0D, 0, 0, 0, 0x0A, 0, 0, 0}},
    {"cr utf32be", E::kUtf32BE, kWindows, {'\r'}, {0, 0, 0, 0x0D, 0, 0, 0, 0x0A}},
    {"cr as is", E::kUtf8, kAsIs, {'\r', '\n'}, {0x0D, 0x0A}},
    {"lf written as is", E::kUtf8, kWindows, {'\n'}, {0x0A}},
};

class EncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, CharacterByCharacter) {
  const EncodeCase& c = GetParam();
  EXPECT_TRUE(SameBytes(c.expected, Encode(c.encoding, c.lineEnds, c.chars)));
}

// PutText takes UTF-16 and its own fast paths; it must write what PutChar writes.
TEST_P(EncodeTest, AsUtf16Text) {
  const EncodeCase& c = GetParam();
  std::u16string text;
  for (int32_t ch : c.chars) {
    if (ch < 0 || ch > 0x10FFFF) continue;
    if (ch >= 0x10000) {
      text += static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
    } else {
      text += static_cast<char16_t>(ch);
    }
  }
  std::string out;
  VyCharStringStreamAgent agent(&out);
  VyTextStream stream(&agent, c.encoding, c.lineEnds);
  stream.PutText(text);
  EXPECT_EQ(0, agent.Close());
  EXPECT_TRUE(SameBytes(c.expected, BytesOf(out)));
}

INSTANTIATE_TEST_SUITE_P(Characters, EncodeTest, ::testing::ValuesIn(kEncodeCases),
                         [](const ::testing::TestParamInfo<EncodeCase>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

TEST(EncodeMark, ByteOrderMarkPerEncoding) {
  struct Case {
    E encoding;
    Bytes mark;
  };
  const Case cases[] = {
      {E::kUnspecified, {}},
      {E::kAscii, {}},
      {E::kWindowsLatin, {}},
      {E::kMacRoman, {}},
      {E::kUtf8, {0xEF, 0xBB, 0xBF}},
      {E::kUtf16LE, {0xFF, 0xFE}},
      {E::kUtf16BE, {0xFE, 0xFF}},
      {E::kUtf32LE, {0xFF, 0xFE, 0x00, 0x00}},
      {E::kUtf32BE, {0x00, 0x00, 0xFE, 0xFF}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.encoding));
    std::string out;
    VyCharStringStreamAgent agent(&out);
    VyTextStream stream(&agent, c.encoding, kWindows);
    stream.WriteByteOrderMark();
    EXPECT_EQ(0, agent.Close());
    EXPECT_TRUE(SameBytes(c.mark, BytesOf(out)));
  }
}

// Whatever is written with a mark reads back the same through detection, in every Unicode encoding.
TEST(EncodeRoundTrip, UnicodeEncodingsReadBackWhatWasWritten) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> plane(0, 0x10FFFF);
  Chars chars;
  for (int i = 0; i < 5000; ++i) {
    int32_t c = i % 3 == 0 ? 'a' + i % 26 : plane(random);
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xE000;
    if (c == '\r' || c == '\n' || c == 0xFEFF) c = 'x';
    chars.push_back(c);
  }
  for (E encoding : {E::kUtf8, E::kUtf16LE, E::kUtf16BE, E::kUtf32LE, E::kUtf32BE}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    std::string out;
    VyCharStringStreamAgent agent(&out);
    VyTextStream writer(&agent, encoding, kWindows);
    writer.WriteByteOrderMark();
    for (int32_t c : chars)
      writer.PutChar(c);
    EXPECT_EQ(0, agent.Close());
    VyMemoryStreamAgent source(out.data(), out.size(), E::kWindowsLatin);
    VyTextStream reader(&source, kWindows);
    EXPECT_TRUE(SameChars(chars, ReadAllInBlocks(reader, 100)));
    EXPECT_EQ(encoding, reader.GetEncoding());
    EXPECT_EQ(0, reader.GetReplacedCount());
  }
}

// Every character of a code page reads back as itself when nothing after it can continue a UTF-8
// sequence.
TEST(EncodeRoundTrip, CodePagesReadBackWhatWasWritten) {
  for (E encoding : {E::kWindowsLatin, E::kMacRoman}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    Chars chars;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
      Bytes one = {static_cast<uint8_t>(byte)};
      VyMemoryStreamAgent agent(one.data(), one.size(), encoding);
      VyTextStream stream(&agent, encoding, kWindows);
      int32_t c = stream.Read();
      if (c == 0xFFFD) continue;
      chars.push_back(c);
      chars.push_back(' ');
    }
    Bytes bytes = Encode(encoding, kWindows, chars);
    VyMemoryStreamAgent agent(bytes.data(), bytes.size(), encoding);
    VyTextStream stream(&agent, encoding, kWindows);
    EXPECT_TRUE(SameChars(chars, ReadAll(stream)));
  }
}

TEST(EncodeFailure, FullSinkSetsTheWriteFailedFlagAndStops) {
  uint8_t block[3] = {};
  VyMemoryStreamAgent agent(VyMemoryStreamAgent::Destination{block, sizeof(block)}, E::kUtf8);
  VyTextStream stream(&agent, kWindows);
  stream.PutChar('a');
  stream.PutChar(0xE9);
  EXPECT_FALSE(stream.IsBad());
  stream.PutChar('b');
  EXPECT_TRUE(stream.IsBad());
  EXPECT_EQ(3u, agent.BytesWritten());
  stream.PutText(u"more");
  EXPECT_EQ(3u, agent.BytesWritten());
  EXPECT_EQ('a', block[0]);
  EXPECT_EQ(0xC3, block[1]);
  EXPECT_EQ(0xA9, block[2]);
}

TEST(EncodeFailure, FailedCharacterHalfWrittenStopsEverything) {
  uint8_t block[5] = {};
  VyMemoryStreamAgent agent(VyMemoryStreamAgent::Destination{block, sizeof(block)}, E::kUtf16LE);
  VyTextStream stream(&agent, kWindows);
  stream.PutText(u"ab\r");  // needs 8 bytes
  EXPECT_TRUE(stream.IsBad());
  EXPECT_EQ(5u, agent.BytesWritten());
}

TEST(EncodeFailure, StringAgentWithoutDestinationFailsEveryWrite) {
  VyCharStringStreamAgent agent(nullptr);
  VyTextStream stream(&agent, kWindows);
  stream.PutChar('a');
  EXPECT_TRUE(stream.IsBad());
}

TEST(EncodeFast, LongTextThroughFastPathsMatchesCharacterWrites) {
  std::u16string text;
  for (int i = 0; i < 3000; ++i)
    text += i % 97 == 0 ? u"\r\xE9\U0001F600" : u"abc ";
  for (E encoding : {E::kUtf8, E::kWindowsLatin, E::kUtf16LE, E::kUtf16BE, E::kUtf32LE}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    std::string bulk;
    {
      VyCharStringStreamAgent agent(&bulk);
      VyTextStream stream(&agent, encoding, kWindows);
      stream.PutText(text);
    }
    std::string single;
    {
      VyCharStringStreamAgent agent(&single);
      VyTextStream stream(&agent, encoding, kWindows);
      for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        stream.PutChar(static_cast<int32_t>(c));
      }
    }
    EXPECT_EQ(single, bulk);
  }
}

}  // namespace
}  // namespace kesto
