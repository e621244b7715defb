// Host stream agents: status codes, reading from where the host stream stood, length limits, writing,
// and failures of the host stream.
#include "kesto/streams/VyPMStreamStreamAgent.h"

#include <gtest/gtest.h>

#include <fstream>

#include "host/db/FileStream.h"
#include "host/db/MemoryStream.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyTextStream.h"
#include "tests/kesto/streams/StreamTestSupport.h"

namespace kesto {
namespace {

using namespace testing_streams;
using E = StreamEncoding;

TEST(PMStreamAgent, StatusCodes) {
  Bytes bytes = BytesOf("abc");
  {
    VyPMStreamStreamAgent agent(nullptr, VyPMStreamStreamAgent::kReadMode);
    EXPECT_EQ(kParamErr, agent.GetStatus());
    EXPECT_EQ(-1, agent.GetByte());
  }
  MemoryReadStream host(bytes);
  VyPMStreamStreamAgent agent(&host, VyPMStreamStreamAgent::kReadMode);
  EXPECT_EQ(kNoFileError, agent.GetStatus());
  Bytes got(3);
  EXPECT_EQ(3u, agent.Read(got.data(), got.size()));
  EXPECT_EQ(kEndOfFileErr, agent.GetStatus());
  EXPECT_EQ(kNoFileError, agent.GetError()) << "the end is not a failure";
  host.SetState(IPMStream::State::kFailure);
  EXPECT_EQ(kIOErr, agent.GetStatus());
  EXPECT_EQ(kIOErr, agent.GetError());
}

TEST(PMStreamAgent, PositionsCountFromWhereTheStreamStood) {
  Bytes bytes = BytesOf("hdr:body");
  MemoryReadStream host(bytes);
  ASSERT_EQ(4, host.Seek(4, IPMStream::SeekFrom::kStart));
  VyPMStreamStreamAgent agent(&host, VyPMStreamStreamAgent::kReadMode, E::kUtf8);
  VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
  EXPECT_TRUE(SameChars(CharsOf(U"body"), ReadAll(stream)));
  EXPECT_EQ(4, agent.Size());
  ASSERT_TRUE(stream.Seek(1));
  EXPECT_EQ('o', stream.Read());
}

TEST(PMStreamAgent, ReadingStopsAtTheLimit) {
  Bytes bytes(2000, 'z');
  MemoryReadStream host(bytes);
  VyPMStreamStreamAgent agent(&host, VyPMStreamStreamAgent::kReadMode, E::kUtf8, 700);
  VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
  EXPECT_EQ(700u, ReadAllInBlocks(stream, 64).size());
  EXPECT_EQ(700, agent.Size());
}

TEST(PMStreamAgent, WritingThroughTheBuffer) {
  MemoryWriteStream host;
  {
    VyPMStreamStreamAgent agent(&host, VyPMStreamStreamAgent::kWriteMode, E::kUtf16BE);
    VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
    stream.WriteByteOrderMark();
    for (int i = 0; i < 600; ++i)
      stream.PutChar('a');
    EXPECT_EQ(0, agent.Close());
    EXPECT_FALSE(stream.IsBad());
    // A reading agent reads nothing from a writing one, and the other way round.
    EXPECT_EQ(-1, agent.GetByte());
  }
  ASSERT_EQ(1202u, host.Bytes().size());
  EXPECT_EQ(0xFE, host.Bytes()[0]);
  EXPECT_EQ('a', host.Bytes()[1201]);
  Bytes bytes = BytesOf("abc");
  MemoryReadStream reading(bytes);
  VyPMStreamStreamAgent agent(&reading, VyPMStreamStreamAgent::kReadMode);
  EXPECT_EQ(-1, agent.PutByte('x'));
}

// A host stream that takes only so many bytes, like a full disk.
class ShortWriteStream final : public IPMStream {
 public:
  explicit ShortWriteStream(size_t room) : room_(room) {}
  bool IsReading() const override { return false; }
  State GetState() const override { return state_; }
  void SetState(State state) override { state_ = state; }
  size_t XferBytes(uint8_t* bytes, size_t count) override {
    size_t n = std::min(count, room_);
    room_ -= n;
    written_ += n;
    if (n < count) state_ = State::kFailure;
    return n;
  }
  int64_t Seek(int64_t offset, SeekFrom from) override { return -1; }
  int64_t Tell() const override { return static_cast<int64_t>(written_); }

 private:
  size_t room_;
  size_t written_ = 0;
  State state_ = State::kGood;
};

TEST(PMStreamAgent, ShortWriteFails) {
  for (size_t count : {100, 2000}) {
    SCOPED_TRACE(count);
    ShortWriteStream host(1000);
    VyPMStreamStreamAgent agent(&host, VyPMStreamStreamAgent::kWriteMode, E::kUtf8);
    VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
    for (size_t i = 0; i < count; ++i)
      stream.PutChar('a');
    EXPECT_EQ(count > 1000, stream.IsBad());
    EXPECT_EQ(count > 1000 ? -1 : 0, agent.Close());
    EXPECT_EQ(count > 1000 ? kIOErr : kNoFileError, agent.GetError());
  }
}

TEST(PMStreamAgent, NameOfTheStreamsFile) {
  ScratchFolder folder;
  auto path = folder / "named.kst";
  std::ofstream(path) << "x";
  int error = 0;
  auto file = FileStream::Open(path, FileStream::Mode::kRead, error);
  ASSERT_TRUE(file);
  VyPMStreamStreamAgent agent(file.get(), VyPMStreamStreamAgent::kReadMode);
  WideString name;
  agent.GetName(name);
  EXPECT_EQ(u"named.kst", name);
  VyFile vyFile;
  agent.GetFile(vyFile);
  EXPECT_EQ(path, vyFile.GetPath());
  file.reset();

  Bytes bytes;
  MemoryReadStream memory(bytes);
  VyPMStreamStreamAgent memoryAgent(&memory, VyPMStreamStreamAgent::kReadMode);
  memoryAgent.GetName(name);
  EXPECT_TRUE(name.empty());
}

}  // namespace
}  // namespace kesto
