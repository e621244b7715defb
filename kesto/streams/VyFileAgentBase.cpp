// Files through POSIX descriptors, and the table of the files open through this layer.
#include "kesto/streams/VyFileAgentBase.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <mutex>

#include "kesto/streams/FileSystemErrors.h"

namespace kesto {

namespace {

std::mutex openFilesMutex;
std::array<bool, VyFileAgentBase::kMaxOpenFiles> openFiles{};

// Answers the slot taken (from 1), or 0 when all are in use.
int16_t TakeSlot() {
  std::lock_guard lock(openFilesMutex);
  for (size_t i = 0; i < openFiles.size(); ++i) {
    if (!openFiles[i]) {
      openFiles[i] = true;
      return static_cast<int16_t>(i + 1);
    }
  }
  return 0;
}

void ReleaseSlot(int16_t refNum) {
  std::lock_guard lock(openFilesMutex);
  openFiles[static_cast<size_t>(refNum - 1)] = false;
}

bool IsWriteMode(int mode) {
  return mode == VyFileAgentBase::kWriteMode || mode == VyFileAgentBase::kAppendMode;
}

}  // namespace

int VyFileAgentBase::OpenFileCount() {
  std::lock_guard lock(openFilesMutex);
  int count = 0;
  for (bool open : openFiles)
    count += open ? 1 : 0;
  return count;
}

VyFileAgentBase::~VyFileAgentBase() {
  CloseFile();
}

int16_t VyFileAgentBase::OpenFile(const std::filesystem::path& path, int mode) {
  // The file already open here stays as it was, its error included.
  if (IsFileOpen()) return kFileBusyErr;
  lastError_ = 0;
  if (mode != kReadMode && !IsWriteMode(mode)) return lastError_ = kParamErr;
  int16_t refNum = TakeSlot();
  if (refNum == 0) return lastError_ = kTooManyFilesOpenErr;

  FileAccess access = IsWriteMode(mode) ? FileAccess::kWrite : FileAccess::kRead;
  int flags = (IsWriteMode(mode) ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY;
  int fd;
  do {
    fd = ::open(path.c_str(), flags);
  } while (fd < 0 && errno == EINTR);
  int16_t error = fd < 0 ? FileErrorFromErrno(errno, access) : kNoFileError;

  struct stat status {};
  if (error == kNoFileError && ::fstat(fd, &status) != 0) error = FileErrorFromErrno(errno, access);
  if (error == kNoFileError && S_ISDIR(status.st_mode)) error = kBadFileNameErr;
  // A file no one may write is read-only to us too, even when the system would let us write it.
  if (error == kNoFileError && IsWriteMode(mode) && S_ISREG(status.st_mode) &&
      (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    error = kPermissionErr;
  // Cut only after every check passed, so that a refused open leaves the file as it was.
  if (error == kNoFileError && mode == kWriteMode && S_ISREG(status.st_mode) && ::ftruncate(fd, 0) != 0)
    error = FileErrorFromErrno(errno, access);

  if (error != kNoFileError) {
    if (fd >= 0) ::close(fd);
    ReleaseSlot(refNum);
    return lastError_ = error;
  }
  refNum_ = refNum;
  fd_ = fd;
  mode_ = mode;
  seekable_ = ::lseek(fd, 0, SEEK_CUR) >= 0;
  return kNoFileError;
}

int16_t VyFileAgentBase::CloseFile() {
  if (!IsFileOpen()) return kNoFileError;
  int16_t error = kNoFileError;
  // Some file systems report a failed write only when the file closes; a retry after EINTR is not safe.
  if (::close(fd_) != 0 && errno != EINTR) error = FileErrorFromErrno(errno, FileAccess::kWrite);
  ReleaseSlot(refNum_);
  refNum_ = 0;
  fd_ = -1;
  mode_ = 0;
  if (error != kNoFileError) KeepError(error);
  return error;
}

int64_t VyFileAgentBase::ReadAt(int64_t offset, uint8_t* bytes, size_t count) {
  if (!IsFileOpen()) {
    KeepError(kBadFileRefErr);
    return -1;
  }
  ssize_t n;
  do {
    n = seekable_ ? ::pread(fd_, bytes, count, offset) : ::read(fd_, bytes, count);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    KeepError(FileErrorFromErrno(errno, FileAccess::kRead));
    return -1;
  }
  return n;
}

bool VyFileAgentBase::WriteAt(int64_t offset, const uint8_t* bytes, size_t count) {
  if (!IsFileOpen()) {
    KeepError(kBadFileRefErr);
    return false;
  }
  size_t done = 0;
  while (done < count) {
    ssize_t n = seekable_ ? ::pwrite(fd_, bytes + done, count - done, offset + static_cast<int64_t>(done))
                          : ::write(fd_, bytes + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      KeepError(n < 0 ? FileErrorFromErrno(errno, FileAccess::kWrite) : kWriteErr);
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

int64_t VyFileAgentBase::FileLength() {
  struct stat status {};
  if (!IsFileOpen() || ::fstat(fd_, &status) != 0) return -1;
  return S_ISREG(status.st_mode) ? status.st_size : 0;
}

}  // namespace kesto
