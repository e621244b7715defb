// File stream agents on real files: the open modes and their refusals, the limit of open files, full
// disks, replacing and appending, reading and seeking through the buffer, and pipes.
#include "kesto/streams/VyFileStreamAgent.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <memory>
#include <vector>

#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyTextStream.h"
#include "tests/kesto/streams/StreamTestSupport.h"
#include "tests/support/FifoWriter.h"

namespace kesto {
namespace {

using namespace testing_streams;
using E = StreamEncoding;

void WriteFile(const std::filesystem::path& path, std::string_view contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

constexpr size_t kBuffer = VyFileStreamAgent::kBufferSize;

class FileAgentTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
};

TEST_F(FileAgentTest, OpenRefusals) {
  WriteFile(folder_ / "plain.txt", "x");
  WriteFile(folder_ / "locked.txt", "keep");
  std::filesystem::permissions(folder_ / "locked.txt", std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::group_read |
                                                           std::filesystem::perms::others_read);
  struct Case {
    const char* name;
    std::filesystem::path path;
    int mode;
    int16_t expected;
  };
  const Case cases[] = {
      {"missing file read", folder_ / "missing.txt", VyFileAgentBase::kReadMode, kFileNotFoundErr},
      {"missing file write", folder_ / "missing.txt", VyFileAgentBase::kWriteMode, kFileNotFoundErr},
      {"missing folder", folder_ / "nowhere" / "a.txt", VyFileAgentBase::kReadMode, kFileNotFoundErr},
      {"folder read", folder_.Path(), VyFileAgentBase::kReadMode, kBadFileNameErr},
      {"folder write", folder_.Path(), VyFileAgentBase::kWriteMode, kBadFileNameErr},
      {"folder append", folder_.Path(), VyFileAgentBase::kAppendMode, kBadFileNameErr},
      {"file as folder", folder_ / "plain.txt" / "a.txt", VyFileAgentBase::kReadMode, kDirectoryNotFoundErr},
      {"name too long", folder_ / std::string(300, 'n'), VyFileAgentBase::kReadMode, kBadFileNameErr},
      {"read-only file write", folder_ / "locked.txt", VyFileAgentBase::kWriteMode, kPermissionErr},
      {"read-only file append", folder_ / "locked.txt", VyFileAgentBase::kAppendMode, kPermissionErr},
      {"read-only file read", folder_ / "locked.txt", VyFileAgentBase::kReadMode, kNoFileError},
      {"unknown mode", folder_ / "plain.txt", 3, kParamErr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VyFileStreamAgent agent{VyFile(c.path)};
    EXPECT_EQ(c.expected, agent.Open(c.mode));
    EXPECT_EQ(c.expected, agent.GetError());
    EXPECT_EQ(c.expected == kNoFileError, agent.IsOpen());
  }
  // The refused write left the read-only file as it was.
  EXPECT_EQ("keep", ReadFile(folder_ / "locked.txt"));
  EXPECT_EQ(0, VyFileAgentBase::OpenFileCount());
}

TEST_F(FileAgentTest, AtMostFourFilesOpen) {
  std::vector<std::unique_ptr<VyFileStreamAgent>> agents;
  for (int i = 0; i < 5; ++i) {
    auto path = folder_ / std::to_string(i);
    WriteFile(path, "x");
    agents.push_back(std::make_unique<VyFileStreamAgent>(VyFile(path)));
  }
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(kNoFileError, agents[i]->Open(VyFileAgentBase::kReadMode));
  EXPECT_EQ(kTooManyFilesOpenErr, agents[4]->Open(VyFileAgentBase::kReadMode));
  EXPECT_EQ("Can't open any more files.", FileErrorMessage(agents[4]->GetError()));
  EXPECT_EQ(kFileBusyErr, agents[0]->Open(VyFileAgentBase::kReadMode));
  EXPECT_EQ(0, agents[1]->Close());
  EXPECT_EQ(kNoFileError, agents[4]->Open(VyFileAgentBase::kReadMode));
  agents.clear();
  EXPECT_EQ(0, VyFileAgentBase::OpenFileCount());
}

TEST_F(FileAgentTest, FullDiskStopsWithDiskFull) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  for (size_t count : {size_t{10}, kBuffer, 3 * kBuffer}) {
    SCOPED_TRACE(count);
    VyFileStreamAgent agent{VyFile("/dev/full")};
    ASSERT_EQ(kNoFileError, agent.Open(VyFileAgentBase::kWriteMode));
    VyTextStream stream(&agent, E::kUtf8, VyTextStream::kWindowsLineEnds);
    stream.WriteByteOrderMark();
    for (size_t i = 0; i < count; ++i)
      stream.PutChar('a');
    // Bytes wait in the buffer until it fills; the failure shows at the latest when the file closes.
    EXPECT_EQ(count >= kBuffer, stream.IsBad());
    EXPECT_EQ(-1, agent.Close());
    EXPECT_EQ(kDiskFullErr, agent.GetError());
    EXPECT_EQ("Disk is full.", FileErrorMessage(agent.GetError()));
  }
}

TEST_F(FileAgentTest, WritingReplacesALongerFileEntirely) {
  auto path = folder_ / "old.txt";
  WriteFile(path, std::string(5000, 'X'));
  VyFileStreamAgent agent{VyFile(path)};
  ASSERT_EQ(kNoFileError, agent.Open(VyFileAgentBase::kWriteMode));
  VyTextStream stream(&agent, E::kUtf8, VyTextStream::kWindowsLineEnds);
  stream.WriteByteOrderMark();
  stream.PutText(u"new\r");
  EXPECT_EQ(0, agent.Close());
  EXPECT_EQ("\xEF\xBB\xBFnew\r\n", ReadFile(path));
}

TEST_F(FileAgentTest, AppendingKeepsTheContents) {
  auto path = folder_ / "log.txt";
  WriteFile(path, "abc");
  VyFileStreamAgent agent{VyFile(path)};
  ASSERT_EQ(kNoFileError, agent.Open(VyFileAgentBase::kAppendMode));
  EXPECT_EQ(3, agent.Tell(VyStreamAgent::Area::kWrite));
  VyTextStream stream(&agent, E::kWindowsLatin, VyTextStream::kWindowsLineEnds);
  std::u16string more(1000, u'\xE9');
  stream.PutText(more);
  EXPECT_EQ(0, agent.Close());
  EXPECT_EQ("abc" + std::string(1000, '\xE9'), ReadFile(path));
}

TEST_F(FileAgentTest, ReadingThroughManyBuffers) {
  // Lines of 14 bytes, so that characters of each length straddle the ends of buffers.
  const size_t lines = 3 * kBuffer / 14;
  std::string text;
  for (size_t i = 0; i < lines; ++i)
    text +=
        "Gr\xC3\xBC\xC3\x9F"
        "e \xF0\x9F\x98\x80\r\n";
  auto path = folder_ / "in.txt";
  WriteFile(path, "\xEF\xBB\xBF" + text);
  VyFileStreamAgent agent{VyFile(path)};
  ASSERT_EQ(kNoFileError, agent.Open(VyFileAgentBase::kReadMode));
  EXPECT_EQ(static_cast<int64_t>(text.size() + 3), agent.Size());
  VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
  Chars expected;
  for (size_t i = 0; i < lines; ++i) {
    Chars line = CharsOf(U"Grüße \U0001F600\r");
    expected.insert(expected.end(), line.begin(), line.end());
  }
  EXPECT_TRUE(SameChars(expected, ReadAllInBlocks(stream, 100)));
  EXPECT_EQ(0, stream.GetReplacedCount());
  EXPECT_FALSE(stream.IsBad());
  EXPECT_EQ(0, agent.GetError());
}

TEST_F(FileAgentTest, SeekingInsideAndOutsideTheBuffer) {
  const auto size = static_cast<int64_t>(2 * kBuffer + 1000);
  const auto buffer = static_cast<int64_t>(kBuffer);
  std::string text;
  for (int64_t i = 0; i < size; ++i)
    text += static_cast<char>('a' + i % 26);
  auto path = folder_ / "seek.txt";
  WriteFile(path, text);
  VyFileStreamAgent agent{VyFile(path)};
  ASSERT_EQ(kNoFileError, agent.Open(VyFileAgentBase::kReadMode));
  struct Step {
    int64_t offset;
    VyStreamAgent::SeekOrigin origin;
    int64_t expected;
  };
  using O = VyStreamAgent::SeekOrigin;
  const Step steps[] = {{10, O::kStart, 10},         {5, O::kCurrent, 16},
                        {-3, O::kCurrent, 14},       {size - 500, O::kStart, size - 500},
                        {-1, O::kEnd, size - 1},     {0, O::kEnd, size},
                        {-size - 1, O::kEnd, -1},    {buffer - 1, O::kStart, buffer - 1},
                        {2, O::kCurrent, buffer + 2}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.expected);
    int64_t position = agent.Seek(step.offset, step.origin, VyStreamAgent::Area::kRead);
    EXPECT_EQ(step.expected, position);
    if (position < 0) continue;
    EXPECT_EQ(position < size ? text[static_cast<size_t>(position)] : -1, agent.GetByte());
  }
}

TEST_F(FileAgentTest, WriteThenReadBackInWriteMode) {
  auto path = folder_ / "rw.txt";
  WriteFile(path, "");
  VyFileStreamAgent agent{VyFile(path)};
  ASSERT_EQ(kNoFileError, agent.Open(VyFileAgentBase::kWriteMode));
  const size_t size = 2 * kBuffer + 276;
  const size_t z = kBuffer + 188;
  std::string text(size, 'q');
  text[z] = 'Z';
  EXPECT_EQ(text.size(), agent.Write(text.data(), text.size()));
  EXPECT_EQ(static_cast<int64_t>(size), agent.Size());
  EXPECT_EQ(static_cast<int64_t>(z), agent.Seek(static_cast<int64_t>(z), VyStreamAgent::SeekOrigin::kStart,
                                                VyStreamAgent::Area::kRead));
  EXPECT_EQ('Z', agent.GetByte());
  EXPECT_EQ('Z', agent.PutBack(-1));
  EXPECT_EQ('q', agent.PutByte('q'));
  EXPECT_EQ(0, agent.Close());
  EXPECT_EQ(std::string(size, 'q'), ReadFile(path));
}

TEST_F(FileAgentTest, NameFileAndEncoding) {
  auto path = folder_ / "named.kst";
  VyFileStreamAgent agent{VyFile(path)};
  WideString name;
  agent.GetName(name);
  EXPECT_EQ(WideFromUtf8(path.string()), name);
  VyFile file;
  agent.GetFile(file);
  EXPECT_EQ(path, file.GetPath());
  EXPECT_EQ(E::kUtf8, agent.GetEncoding());
  // Closed: nothing moves.
  EXPECT_EQ(-1, agent.GetByte());
  EXPECT_EQ(-1, agent.PutByte('a'));
  EXPECT_EQ(0, agent.Close());
}

// Each character is read, stepped back over and read again, so that every step back is tried wherever the
// pieces of a pipe end.
Chars ReadSteppingBack(VyTextStream& stream) {
  Chars out;
  for (int32_t c; (c = stream.Read()) >= 0;) {
    EXPECT_TRUE(stream.PushBack());
    out.push_back(stream.Read());
  }
  return out;
}

TEST_F(FileAgentTest, PipeReadsLikeMemoryWhateverItsPieces) {
  struct Case {
    const char* name;
    std::string bytes;
    StreamEncoding encoding;
  };
  std::string utf8, utf16, latin, utf32;
  for (int i = 0; i < 300; ++i) {
    utf8 +=
        "Gr\xC3\xBC\xC3\x9F"
        "e \xF0\x9F\x98\x80\r\n";
    utf16 += std::string("<\0\x3D\xD8\x00\xDE\r\0\n\0", 8);
    latin += "\xC3\x41\xE9\xC3\xA9\x81\n";
    utf32 += std::string("\0\x01\xF6\x00\0\0\0\r", 8);
  }
  const Case cases[] = {
      {"UTF-8 after a mark", "\xEF\xBB\xBF" + utf8, E::kUtf8},
      {"UTF-16 found without a mark", utf16, E::kUtf8},
      {"Windows Latin with UTF-8 inside", latin, E::kWindowsLatin},
      {"UTF-32 after a mark", std::string("\0\0\xFE\xFF", 4) + utf32, E::kUtf8},
  };
  for (const Case& c : cases) {
    VyMemoryStreamAgent memory(c.bytes.data(), c.bytes.size(), c.encoding);
    VyTextStream reference(&memory, c.encoding, VyTextStream::kWindowsLineEnds);
    Chars expected = ReadSteppingBack(reference);
    for (size_t piece : {1, 3, 700}) {
      SCOPED_TRACE(std::string(c.name) + " in pieces of " + std::to_string(piece));
      testing_support::FifoWriter writer(folder_ / "pipe", c.bytes, piece);
      VyFileStreamAgent agent{VyFile(writer.Path())};
      ASSERT_EQ(kNoFileError, agent.Open(VyFileAgentBase::kReadMode));
      VyTextStream stream(&agent, c.encoding, VyTextStream::kWindowsLineEnds);
      EXPECT_TRUE(SameChars(expected, ReadSteppingBack(stream)));
      EXPECT_EQ(reference.GetEncoding(), stream.GetEncoding());
      EXPECT_EQ(0, agent.GetError());
    }
  }
}

TEST_F(FileAgentTest, PipeSeeksOnlyWithinWhatItKept) {
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += static_cast<char>('a' + i % 26);
  testing_support::FifoWriter writer(folder_ / "pipe", text, 100);
  VyFileStreamAgent agent{VyFile(writer.Path())};
  ASSERT_EQ(kNoFileError, agent.Open(VyFileAgentBase::kReadMode));
  struct Step {
    int64_t keepFrom;  // given to KeepFrom first, unless -2
    int64_t readTo;    // bytes taken up to this position, then
    int64_t seekTo;    // a seek from the start here, answering
    int64_t expected;
  };
  const int64_t kLastKept = 5000 - VyFileStreamAgent::kStepBackBytes;
  const Step steps[] = {
      {1000, 3000, 1000, 1000}, {-2, 1001, 999, -1},  {-2, 1001, 4000, -1},
      {-2, 1001, 2999, 2999},   {-1, 5000, 1000, -1}, {-2, 5000, kLastKept, kLastKept},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.seekTo);
    if (step.keepFrom != -2) agent.KeepFrom(step.keepFrom);
    while (agent.Tell(VyStreamAgent::Area::kRead) < step.readTo)
      ASSERT_GE(agent.GetByte(), 0);
    int64_t before = agent.Tell(VyStreamAgent::Area::kRead);
    EXPECT_EQ(step.expected,
              agent.Seek(step.seekTo, VyStreamAgent::SeekOrigin::kStart, VyStreamAgent::Area::kRead));
    int64_t at = step.expected >= 0 ? step.expected : before;
    EXPECT_EQ(at < 5000 ? text[static_cast<size_t>(at)] : -1, agent.PeekByte());
  }
}

}  // namespace
}  // namespace kesto
