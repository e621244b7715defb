// Checking an input file.
#include "app/InputCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/Output.h"

namespace pagehost {
namespace {

std::string CannotRead(const std::string& path, int error) {
  return "cannot read " + path + ": " + SystemReason(error);
}

}  // namespace

std::string WhyUnreadable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return CannotRead(path, errno);
  if (S_ISDIR(info.st_mode)) return CannotRead(path, EISDIR);
  if (!S_ISREG(info.st_mode)) return {};
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return CannotRead(path, errno);
  ::close(fd);
  return {};
}

}  // namespace pagehost
