// String stream agents: appending to 8-bit, 16-bit and host strings, cutting to what was written, and the
// encodings each accepts.
#include "kesto/streams/VyStringStreamAgent.h"

#include <gtest/gtest.h>

#include "kesto/streams/VyTextStream.h"

namespace kesto {
namespace {

using E = StreamEncoding;

TEST(StringAgent, EightBitStringAppendsAndIsCutOnClose) {
  std::string text = "abc";
  VyCharStringStreamAgent agent(&text);
  VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
  EXPECT_EQ(E::kWindowsLatin, stream.GetEncoding());
  stream.PutText(u"d\xE9\r");
  EXPECT_EQ(7, agent.Size());
  EXPECT_EQ(0, agent.Close());
  EXPECT_EQ("abcd\xE9\r\n", text);
}

TEST(StringAgent, DestructionCutsTheString) {
  std::string text;
  {
    VyCharStringStreamAgent agent(&text);
    VyTextStream stream(&agent, E::kUtf8, VyTextStream::kWindowsLineEnds);
    stream.PutChar(0x20AC);
  }
  EXPECT_EQ("\xE2\x82\xAC", text);
}

TEST(StringAgent, LongTextGrowsTheString) {
  std::string text;
  std::u16string input;
  for (int i = 0; i < 100000; ++i)
    input += static_cast<char16_t>('a' + i % 26);
  {
    VyCharStringStreamAgent agent(&text);
    VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
    stream.PutText(input);
    EXPECT_FALSE(stream.IsBad());
  }
  ASSERT_EQ(input.size(), text.size());
  for (size_t i = 0; i < text.size(); i += 9973)
    EXPECT_EQ(static_cast<char>(input[i]), text[i]);
}

TEST(StringAgent, WideStringsHoldUtf16) {
  std::u16string wide = u"x";
  WideString host = u"y";
  {
    VyWStringStreamAgent wideAgent(&wide);
    MyWideString adapter(host);
    VyWideStringStreamAgent hostAgent(&adapter);
    for (VyStreamAgent* agent :
         {static_cast<VyStreamAgent*>(&wideAgent), static_cast<VyStreamAgent*>(&hostAgent)}) {
      VyTextStream stream(agent, VyTextStream::kWindowsLineEnds);
      EXPECT_EQ(kNativeUtf16, stream.GetEncoding());
      stream.PutText(u"\xE9\U0001F600\r");
    }
  }
  EXPECT_EQ(u"x\xE9\U0001F600\r\n", wide);
  EXPECT_EQ(u"y\xE9\U0001F600\r\n", host);
  EXPECT_EQ(u'\0', wide.c_str()[wide.size()]);
}

TEST(StringAgent, OddByteCountKeepsAZeroHighByte) {
  std::u16string wide;
  {
    VyWStringStreamAgent agent(&wide);
    EXPECT_EQ('A', agent.PutByte('A'));
  }
  EXPECT_EQ(u"A", wide);
}

TEST(StringAgent, AcceptedEncodings) {
  std::string narrow;
  std::u16string wide;
  VyCharStringStreamAgent narrowAgent(&narrow);
  VyWStringStreamAgent wideAgent(&wide);
  for (int code = 0; code <= 8; ++code) {
    SCOPED_TRACE(code);
    E encoding = StreamEncodingFromCode(code);
    EXPECT_EQ(code < 5, narrowAgent.AcceptsEncoding(encoding));
    EXPECT_EQ(encoding == kNativeUtf16, wideAgent.AcceptsEncoding(encoding));
  }
}

TEST(StringAgent, NoSeekingInAString) {
  std::string text;
  VyCharStringStreamAgent agent(&text);
  agent.PutByte('a');
  EXPECT_EQ(-1, agent.Seek(0, VyStreamAgent::SeekOrigin::kStart, VyStreamAgent::Area::kWrite));
  EXPECT_EQ(0, agent.Close());
  EXPECT_EQ("a", text);
}

}  // namespace
}  // namespace kesto
