// The scanner's input layers: refills, push back, held characters, snapshots.
#include "kesto/reader/ScannerInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"

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

}  // namespace
}  // namespace kesto
