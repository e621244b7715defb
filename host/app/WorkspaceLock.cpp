// The lock file beside the workspace.
#include "host/app/WorkspaceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

WorkspaceLock::WorkspaceLock(const std::filesystem::path& file) {
  if (file.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  std::filesystem::path lock = file;
  lock += ".lock";
  // Not followed through a link nor blocked on a FIFO that someone put in its place; only a plain file
  // is locked.
  int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) return;
  struct stat status = {};
  int locked = -1;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    do {
      locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
  }
  if (locked != 0) {
    ::close(fd);
    return;
  }
  fd_ = fd;
}

WorkspaceLock::~WorkspaceLock() {
  if (fd_ >= 0) ::close(fd_);
}
