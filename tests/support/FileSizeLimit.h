// FileSizeLimit: while it lives, this process cannot write files larger than a given size (writes beyond it
// fail with EFBIG rather than raising SIGXFSZ), so that tests can make a save fail midway, even as root.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace testing_support {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &before_);
    rlimit limited = before_;
    limited.rlim_cur = bytes;
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &before_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit before_ = {};
  void (*previous_)(int) = SIG_DFL;
};

}  // namespace testing_support
