// The errno table and the texts of the file-system codes.
#include "kesto/streams/FileSystemErrors.h"

#include <cerrno>
#include <iterator>

namespace kesto {

namespace {

struct ErrnoRow {
  int error;
  int16_t onRead;
  int16_t onWrite;
};

// Each errno value stands where its nearest equivalent among the host platform's file errors stands.
constexpr ErrnoRow kErrnoTable[] = {
    {ENOENT, kFileNotFoundErr, kFileNotFoundErr},
    {EMFILE, kTooManyFilesOpenErr, kTooManyFilesOpenErr},
    {ENFILE, kTooManyFilesOpenErr, kTooManyFilesOpenErr},
    {EACCES, kOpenForWritingErr, kPermissionErr},
    {EPERM, kOpenForWritingErr, kPermissionErr},
    {ETXTBSY, kPermissionErr, kPermissionErr},
    {EBUSY, kPermissionErr, kPermissionErr},
    {EBADF, kBadFileRefErr, kBadFileRefErr},
    {ENOMEM, kOutOfMemoryErr, kOutOfMemoryErr},
    {ENODEV, kNoSuchVolumeErr, kNoSuchVolumeErr},
    {ENXIO, kNoSuchVolumeErr, kNoSuchVolumeErr},
    {EROFS, kWriteProtectedErr, kWriteProtectedErr},
    {ENOMEDIUM, kVolumeOffLineErr, kVolumeOffLineErr},
    {ESTALE, kVolumeOffLineErr, kVolumeOffLineErr},
    {ENOLCK, kFileLockedErr, kFileLockedErr},
    {EDEADLK, kFileLockedErr, kFileLockedErr},
    {ENOSPC, kDiskFullErr, kDiskFullErr},
    {EDQUOT, kDiskFullErr, kDiskFullErr},
    {EFBIG, kDiskFullErr, kDiskFullErr},
    {EEXIST, kDuplicateFileNameErr, kDuplicateFileNameErr},
    {EISDIR, kBadFileNameErr, kBadFileNameErr},
    {ENAMETOOLONG, kBadFileNameErr, kBadFileNameErr},
    {EILSEQ, kBadFileNameErr, kBadFileNameErr},
    {ENOTDIR, kDirectoryNotFoundErr, kDirectoryNotFoundErr},
    {ELOOP, kDirectoryNotFoundErr, kDirectoryNotFoundErr},
};

struct MessageRow {
  int16_t code;
  std::string_view text;
};

// In the order of their rows.
constexpr MessageRow kMessages[] = {
    {kDirectoryFullErr, "Directory is full."},
    {kDiskFullErr, "Disk is full."},
    {kNoSuchVolumeErr, "Can't find required volume of folder."},
    {kIOErr, "I/O error trying to read or write to disk."},
    {kBadFileNameErr, "Bad file name."},
    {kEndOfFileErr, "Unexpected end-of-file encountered."},
    {kTooManyFilesOpenErr, "Can't open any more files."},
    {kFileNotFoundErr, "File not found."},
    {kDirectoryNotFoundErr, "Directory not found."},
    {kWriteProtectedErr, "Disk is write protected."},
    {kFileLockedErr, "File is locked."},
    {kFileBusyErr, "File is already open."},
    {kDuplicateFileNameErr, "Duplicate file name."},
    {kOpenForWritingErr, "File is already opened for writing."},
    {kVolumeOffLineErr, "Volume is not on-line."},
    {kPermissionErr, "File is locked."},
    {kWriteErr, "Can't write to disk."},
};

}  // namespace

int16_t FileErrorFromErrno(int error, FileAccess access) {
  if (error == 0) return kNoFileError;
  for (const ErrnoRow& row : kErrnoTable)
    if (row.error == error) return access == FileAccess::kRead ? row.onRead : row.onWrite;
  return kIOErr;
}

std::string_view FileErrorMessage(int16_t code) {
  for (const MessageRow& row : kMessages)
    if (row.code == code) return row.text;
  return "Unknown Error";
}

int FileErrorRow(int32_t code) {
  for (size_t i = 0; i < std::size(kMessages); ++i)
    if (kMessages[i].code == code) return static_cast<int>(i) + 1;
  return 0;
}

int16_t FileErrorAtRow(int row) {
  return row >= 1 && row <= static_cast<int>(std::size(kMessages)) ? kMessages[row - 1].code : 0;
}

}  // namespace kesto
