// Replacing files safely: links planted or given, outputs that are no files, locked files, permissions,
// long names, messages that name the user's file, and saves cut short by a signal. Each case runs with the
// unnamed temporary file and with the named one used where the system has no unnamed ones.
#include "host/db/SafeFileWriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

using namespace testing_support;
using Temporary = SafeFileWriter::Temporary;

namespace {

const std::vector<uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<uint8_t> kNew = {'n', 'e', 'w', '!'};

class SafeFileWriterTest : public ::testing::TestWithParam<Temporary> {
 protected:
  FileResult Save(const std::filesystem::path& path, const std::vector<uint8_t>& bytes = kNew) {
    std::unique_ptr<SafeFileWriter> writer;
    if (FileResult r = SafeFileWriter::Begin(path, writer, GetParam()); !r.ok()) return r;
    writer->Stream().XferBytes(const_cast<uint8_t*>(bytes.data()), bytes.size());
    return writer->Commit();
  }
  static mode_t ModeOf(const std::filesystem::path& path) {
    struct stat status = {};
    ::lstat(path.c_str(), &status);
    return status.st_mode;
  }
  TempFolder dir_{"safe-writer"};
};

TEST_P(SafeFileWriterTest, LinksArePlantedInVainAndGivenLinksAreSavedThrough) {
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> links;  // (link, what it points to)
    std::string output;
    std::string written;  // the file that must hold the new content
  } rows[] = {
      {"a link planted at the old temporary name",
       {{"out.doc.saving-" + std::to_string(::getpid()), "victim"}},
       "out.doc",
       "out.doc"},
      {"a link as the output", {{"out.doc", "real.doc"}}, "out.doc", "real.doc"},
      {"a chain of links", {{"out.doc", "middle"}, {"middle", "real.doc"}}, "out.doc", "real.doc"},
      {"a link to a file not there yet", {{"out.doc", "fresh.doc"}}, "out.doc", "fresh.doc"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TempFolder dir("safe-links");
    WriteBytes(dir / "victim", kOld);
    if (row.written != "out.doc" && row.written != "fresh.doc") WriteBytes(dir / row.written, kOld);
    for (const auto& [link, to] : row.links)
      std::filesystem::create_symlink(to, dir / link);
    ASSERT_TRUE(Save(dir / row.output).ok());
    EXPECT_EQ(ReadBytes(dir / row.written), kNew);
    EXPECT_EQ(ReadBytes(dir / "victim"), kOld);
    for (const auto& [link, to] : row.links)
      EXPECT_TRUE(S_ISLNK(ModeOf(dir / link))) << link;
    EXPECT_TRUE(S_ISREG(ModeOf(dir / row.written)));
  }
}

TEST_P(SafeFileWriterTest, OutputsThatAreNoFilesAreRefusedAndLeftAlone) {
  const struct {
    const char* what;
    std::function<int(const std::filesystem::path&)> make;  // answers 0, or errno
    const char* reason;
  } rows[] = {
      {"a folder", [](const auto& p) { return ::mkdir(p.c_str(), 0755) == 0 ? 0 : errno; }, "folder"},
      {"a FIFO", [](const auto& p) { return ::mkfifo(p.c_str(), 0644) == 0 ? 0 : errno; }, "FIFO"},
      {"a device node",
       [](const auto& p) { return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0 ? 0 : errno; },
       "device"},
      // Replaced, the other name would keep the old content.
      {"a file with another name",
       [](const auto& p) {
         WriteBytes(p, kOld);
         return ::link(p.c_str(), (p.parent_path() / "other").c_str()) == 0 ? 0 : errno;
       },
       "the file has 2 hard links"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TempFolder dir("safe-nodes");
    if (int error = row.make(dir / "node"); error != 0) {
      ASSERT_TRUE(error == EPERM || error == EACCES) << std::strerror(error);
      std::cout << "[ SKIPPED  ] " << row.what << ": cannot be made without privileges\n";
      continue;
    }
    std::filesystem::create_symlink("node", dir / "link");
    mode_t before = ModeOf(dir / "node");
    for (const char* output : {"node", "link"}) {
      FileResult r = Save(dir / output);
      EXPECT_EQ(r.error, kWriteFailedError) << output;
      EXPECT_NE(r.message.find((dir / output).string()), std::string::npos) << r.message;
      EXPECT_NE(r.message.find(row.reason), std::string::npos) << r.message;
    }
    EXPECT_EQ(ModeOf(dir / "node"), before);
    std::vector<std::string> left = dir.List();
    std::erase(left, "other");
    EXPECT_EQ(left, (std::vector<std::string>{"link", "node"}));
  }
}

TEST_P(SafeFileWriterTest, ReplacedFilesKeepTheirPermissionsAndLockedOnesAreRefused) {
  const mode_t kModes[] = {0600, 0640, 0604, 0755};
  for (mode_t mode : kModes) {
    SCOPED_TRACE(mode);
    auto path = dir_ / ("doc-" + std::to_string(mode));
    WriteBytes(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_TRUE(Save(path).ok());
    EXPECT_EQ(ModeOf(path) & 07777, mode);
    EXPECT_EQ(ReadBytes(path), kNew);
  }
  auto locked = dir_ / "locked.doc";
  WriteBytes(locked, kOld);
  ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
  FileResult r = Save(locked);
  EXPECT_EQ(r.error, kWriteFailedError);
  EXPECT_NE(r.message.find("locked.doc: the file is locked"), std::string::npos) << r.message;
  EXPECT_EQ(ReadBytes(locked), kOld);
  // A new file gets the permissions the user's umask leaves.
  mode_t mask = ::umask(022);
  ::umask(mask);
  ASSERT_TRUE(Save(dir_ / "new.doc").ok());
  EXPECT_EQ(ModeOf(dir_ / "new.doc") & 0777, 0666 & ~mask);
}

TEST_P(SafeFileWriterTest, NamesUpToTheSystemsLimitSave) {
  for (size_t length : {size_t{241}, size_t{250}, size_t{255}}) {
    SCOPED_TRACE(length);
    auto path = dir_ / std::string(length, 'n');
    WriteBytes(path, kOld);
    ASSERT_TRUE(Save(path).ok());
    EXPECT_EQ(ReadBytes(path), kNew);
  }
  FileResult tooLong = Save(dir_ / std::string(256, 'n'));
  EXPECT_EQ(tooLong.error, kWriteFailedError);
  EXPECT_NE(tooLong.message.find(": file name too long"), std::string::npos) << tooLong.message;
}

// Every failure names the user's file with the system's reason, leaves the earlier file as it was and
// leaves no temporary file behind.
TEST_P(SafeFileWriterTest, FailuresNameTheUsersFileAndLeaveNothingBehind) {
  auto path = dir_ / "doc.pgd";
  WriteBytes(path, kOld);
  // What is wrong with the folder is said in plain words.
  EXPECT_EQ(Save(dir_ / "missing" / "doc.pgd").message,
            "cannot write " + (dir_ / "missing" / "doc.pgd").string() + ": the folder " +
                (dir_ / "missing").string() + " does not exist");
  EXPECT_EQ(Save(path / "x.pgd").message, "cannot write " + (path / "x.pgd").string() + ": a part of " +
                                              path.string() + " is not a folder");
  // A file size limit makes the writing itself fail.
  FileResult tooLarge;
  {
    FileSizeLimit limit(4096);
    tooLarge = Save(path, std::vector<uint8_t>(1 << 20, 'x'));
  }
  EXPECT_EQ(tooLarge.message, "cannot write " + path.string() + ": file too large");
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"doc.pgd"});
  // Not committed: nothing changes.
  {
    std::unique_ptr<SafeFileWriter> writer;
    ASSERT_TRUE(SafeFileWriter::Begin(path, writer, GetParam()).ok());
    writer->Stream().XferBytes(const_cast<uint8_t*>(kNew.data()), kNew.size());
  }
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"doc.pgd"});
}

// A child process writes a large file through the writer and is ended by SIGTERM while the new content is
// still on its way; nothing but the earlier file remains.
TEST_P(SafeFileWriterTest, ASaveEndedBySigtermLeavesNoTemporaryFile) {
  auto path = dir_ / "doc.pgd";
  WriteBytes(path, kOld);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::unique_ptr<SafeFileWriter> writer;
    if (!SafeFileWriter::Begin(path, writer, GetParam()).ok()) ::_exit(2);
    std::vector<uint8_t> piece(1 << 20, 'x');
    writer->Stream().XferBytes(piece.data(), piece.size());
    (void)::write(ready[1], "r", 1);
    for (int i = 0; i < 1024; ++i)
      writer->Stream().XferBytes(piece.data(), piece.size());
    ::_exit(3);  // never reached before the signal
  }
  ::close(ready[1]);
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ::close(ready[0]);
  if (GetParam() == Temporary::kNamed) {
    EXPECT_EQ(dir_.List().size(), 2u) << "the temporary file is named";
  }
  ::kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"doc.pgd"});
  EXPECT_EQ(ReadBytes(path), kOld);
}

INSTANTIATE_TEST_SUITE_P(Temporaries, SafeFileWriterTest,
                         ::testing::Values(Temporary::kUnnamedIfPossible, Temporary::kNamed),
                         [](const auto& info) {
                           return info.param == Temporary::kNamed ? std::string("Named") : "Unnamed";
                         });

}  // namespace
