// The errno table and the texts of the file-system codes.
#include "kesto/streams/FileSystemErrors.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace kesto {
namespace {

TEST(FileSystemErrors, ErrnoToCode) {
  struct Case {
    int error;
    int16_t onRead;
    int16_t onWrite;
  };
  const Case cases[] = {
      {0, 0, 0},
      {ENOENT, -43, -43},
      {ENOSPC, -34, -34},
      {EDQUOT, -34, -34},
      {EMFILE, -42, -42},
      {ENFILE, -42, -42},
      {EISDIR, -37, -37},
      {ENAMETOOLONG, -37, -37},
      {ENOTDIR, -120, -120},
      {EROFS, -44, -44},
      {EACCES, -49, -54},
      {EPERM, -49, -54},
      {ETXTBSY, -54, -54},
      {EEXIST, -48, -48},
      {EBADF, -51, -51},
      {ENOMEM, -108, -108},
      {ENODEV, -35, -35},
      {ENOMEDIUM, -53, -53},
      {ENOLCK, -45, -45},
      {EIO, -36, -36},
      {EXDEV, -36, -36},
      {12345, -36, -36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    EXPECT_EQ(c.onRead, FileErrorFromErrno(c.error, FileAccess::kRead));
    EXPECT_EQ(c.onWrite, FileErrorFromErrno(c.error, FileAccess::kWrite));
  }
}

TEST(FileSystemErrors, Messages) {
  EXPECT_EQ("Disk is full.", FileErrorMessage(kDiskFullErr));
  EXPECT_EQ("File is locked.", FileErrorMessage(kPermissionErr));
  EXPECT_EQ("File is locked.", FileErrorMessage(kFileLockedErr));
  EXPECT_EQ("File not found.", FileErrorMessage(kFileNotFoundErr));
  EXPECT_EQ("Bad file name.", FileErrorMessage(kBadFileNameErr));
  EXPECT_EQ("Can't open any more files.", FileErrorMessage(kTooManyFilesOpenErr));
  EXPECT_EQ("Unknown Error", FileErrorMessage(kParamErr));
  EXPECT_EQ("Unknown Error", FileErrorMessage(kOutOfMemoryErr));
}

}  // namespace
}  // namespace kesto
