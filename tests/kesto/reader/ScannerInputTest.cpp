// The scanner's input layers: refills, push back, held characters, snapshots, switches of encoding.
#include "kesto/reader/ScannerInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "tests/kesto/reader/ScannerTestSupport.h"

namespace kesto {
namespace {

// Characters "0".."9" repeated, so that every position can be checked.
std::string Digits(size_t count) {
  std::string text(count, '0');
  for (size_t i = 0; i < count; ++i)
    text[i] = static_cast<char>('0' + i % 10);
  return text;
}

int32_t DigitAt(int64_t position) {
  return '0' + static_cast<int32_t>(position % 10);
}

// A memory agent that cannot move its read position.
class UnseekableAgent : public VyMemoryStreamAgent {
 public:
  using VyMemoryStreamAgent::VyMemoryStreamAgent;
  int64_t Seek(int64_t, SeekOrigin, Area) override { return -1; }
};

class ScannerInputTest : public ::testing::Test {
 protected:
  explicit ScannerInputTest(size_t size = 10000)
      : text_(Digits(size)), agent_(text_.data(), text_.size(), StreamEncoding::kAscii), stream_(&agent_, 1) {
    input_.Attach(&stream_);
  }
  // Reads `count` characters and checks them against their positions.
  void ReadChecked(int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
      int64_t position = input_.GetConsumed();
      ASSERT_EQ(DigitAt(position), input_.Next()) << "at " << position;
    }
  }

  std::string text_;
  VyMemoryStreamAgent agent_;
  VyTextStream stream_;
  ScannerInput input_;
};

TEST_F(ScannerInputTest, PushBackReachesAcrossARefill) {
  ReadChecked(ScannerInput::kCapacity + 2);
  for (int i = 0; i < ScannerInput::kLookBehind + 5; ++i)
    input_.PushBack();
  // The two characters of the new fill and the look-behind before them; no further.
  EXPECT_EQ(ScannerInput::kCapacity - ScannerInput::kLookBehind, input_.GetConsumed());
  ReadChecked(10000 - input_.GetConsumed());
  EXPECT_EQ(ScannerInput::kEnd, input_.Next());
  EXPECT_EQ(10000, input_.GetConsumed());
}

TEST_F(ScannerInputTest, UpperLayersAreReadFirst) {
  ReadChecked(3);
  const int32_t translation[] = {'t', 'r'};
  const int32_t macro[] = {'m'};
  ASSERT_TRUE(input_.StartLayer(ScannerInput::Layer::kTranslation, translation, 2));
  ASSERT_TRUE(input_.StartLayer(ScannerInput::Layer::kMacro, macro, 1));
  int32_t available;
  input_.Run(available);
  EXPECT_EQ(0, available);
  input_.PushBack();  // nothing before the start of the macro layer
  EXPECT_EQ('m', input_.Next());
  EXPECT_EQ('t', input_.Next());
  input_.PushBack();
  EXPECT_EQ('t', input_.Next());
  EXPECT_EQ('r', input_.Next());
  EXPECT_EQ(DigitAt(3), input_.Next());
  input_.PushBack();
  EXPECT_FALSE(input_.IsLayerActive(ScannerInput::Layer::kTranslation));
  ReadChecked(10);
  std::vector<int32_t> tooLong(ScannerInput::kMacroCapacity + 1, 'x');
  EXPECT_FALSE(
      input_.StartLayer(ScannerInput::Layer::kMacro, tooLong.data(), static_cast<int32_t>(tooLong.size())));
}

TEST_F(ScannerInputTest, HeldCharactersComeBackAtTheNextRefill) {
  ReadChecked(1);
  input_.HoldBack(5);
  EXPECT_EQ(ScannerInput::kCapacity - 6, input_.GetAvailable());
  EXPECT_EQ(1, input_.GetConsumed());
  ReadChecked(10000 - 1);
  EXPECT_EQ(ScannerInput::kEnd, input_.Next());
}

TEST_F(ScannerInputTest, SnapshotRestoresAcrossRefills) {
  ReadChecked(100);
  const int32_t macro[] = {'a', 'b'};
  ASSERT_TRUE(input_.StartLayer(ScannerInput::Layer::kMacro, macro, 2));
  EXPECT_EQ('a', input_.Next());
  ASSERT_TRUE(input_.TakeSnapshot());
  EXPECT_EQ('b', input_.Next());
  ReadChecked(6000);
  ASSERT_TRUE(input_.RestoreSnapshot());
  EXPECT_FALSE(input_.HasSnapshot());
  EXPECT_EQ('b', input_.Next());
  ReadChecked(10000 - 100);
  EXPECT_EQ(ScannerInput::kEnd, input_.Next());
}

TEST_F(ScannerInputTest, RestoreWithoutASnapshotFails) {
  EXPECT_FALSE(input_.RestoreSnapshot());
}

TEST(ScannerInputUnseekableTest, SnapshotNeedsTheSourceOnlyAfterARefill) {
  std::string text = Digits(10000);
  UnseekableAgent agent(text.data(), text.size(), StreamEncoding::kAscii);
  VyTextStream stream(&agent, 1);
  ScannerInput input;
  input.Attach(&stream);
  input.Next();
  ASSERT_TRUE(input.TakeSnapshot());
  for (int i = 0; i < 100; ++i)
    input.Next();
  EXPECT_TRUE(input.RestoreSnapshot());
  EXPECT_EQ(DigitAt(1), input.Next());
  ASSERT_TRUE(input.TakeSnapshot());
  for (int i = 0; i < 5000; ++i)
    input.Next();
  EXPECT_FALSE(input.RestoreSnapshot());
  // The encoding cannot be switched on a source that cannot go back to its start.
  EXPECT_FALSE(input.Redecode(StreamEncoding::kMacRoman));
}

// In a single-byte encoding the byte position is the byte of the character read last, whatever refills,
// restored snapshots and switches of encoding did to the source in between.
TEST(ScannerInputPositionTest, TheBytePositionIsTheCharacterReadLast) {
  testing_reader::MemorySource memory(Digits(10000), StreamEncoding::kWindowsLatin);
  ScannerInput input;
  input.Attach(memory.Stream());
  auto expectPosition = [&](const char* after) {
    SCOPED_TRACE(after);
    EXPECT_EQ(input.GetConsumedBytePosition(), input.GetConsumed() - 1);
  };
  auto read = [&](int64_t count) {
    for (int64_t i = 0; i < count; ++i)
      input.Next();
  };
  read(10);
  expectPosition("a few characters");
  read(ScannerInput::kCapacity);
  expectPosition("a refill");
  ASSERT_TRUE(input.TakeSnapshot());
  read(6000);
  expectPosition("two more refills");
  ASSERT_TRUE(input.RestoreSnapshot());
  expectPosition("a restored snapshot");
  input.PushBack();
  expectPosition("a push back");
  ASSERT_TRUE(input.Redecode(StreamEncoding::kMacRoman));
  expectPosition("a switch of encoding");
  read(100);
  expectPosition("reading on in the new encoding");
}

// Byte 0x8E at every tenth position reads as U+017D in Windows Latin and U+00E9 in Mac Roman.
TEST(ScannerInputRedecodeTest, SwitchesFromTheNextCharacterOn) {
  struct Case {
    const char* name;
    int64_t read;     // characters read before the first switch
    int pushBacks;    // characters pushed back before it
    int64_t between;  // characters read before switching back, or -1
  };
  const Case cases[] = {
      {"near the start", 5, 0, -1},
      {"right after a refill", ScannerInput::kCapacity + 3, 0, -1},
      {"back across a refill", ScannerInput::kCapacity + 2, ScannerInput::kLookBehind, -1},
      {"twice in a row", 100, 0, 30},
      {"twice across refills", 100, 0, ScannerInput::kCapacity + 500},
      {"at the end", 10000, 0, -1},
  };
  std::string bytes = Digits(10000);
  for (size_t i = 9; i < bytes.size(); i += 10)
    bytes[i] = '\x8E';
  for (bool pipe : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (pipe ? " through a pipe" : ""));
      testing_reader::MemorySource memory(bytes, StreamEncoding::kWindowsLatin);
      std::unique_ptr<testing_reader::PipeSource> pipeSource;
      if (pipe)
        pipeSource = std::make_unique<testing_reader::PipeSource>(bytes, StreamEncoding::kWindowsLatin);
      ScannerInput input;
      input.Attach(pipe ? pipeSource->Stream() : memory.Stream());
      int64_t macRomanFrom = INT64_MAX;
      int64_t latinFrom = INT64_MAX;
      auto readChecked = [&](int64_t count) {
        for (int64_t i = 0; i < count; ++i) {
          int64_t at = input.GetConsumed();
          int32_t expected = DigitAt(at);
          if (at % 10 == 9) expected = at >= macRomanFrom && at < latinFrom ? 0xE9 : 0x17D;
          ASSERT_EQ(expected, input.Next()) << "at " << at;
        }
      };
      readChecked(c.read);
      for (int i = 0; i < c.pushBacks; ++i)
        input.PushBack();
      macRomanFrom = input.GetConsumed();
      ASSERT_TRUE(input.Redecode(StreamEncoding::kMacRoman));
      if (c.between >= 0) {
        readChecked(c.between);
        latinFrom = input.GetConsumed();
        ASSERT_TRUE(input.Redecode(StreamEncoding::kWindowsLatin));
      }
      readChecked(10000 - input.GetConsumed());
      EXPECT_EQ(ScannerInput::kEnd, input.Next());
    }
  }
}

}  // namespace
}  // namespace kesto
