// Named pipes fed by a writer thread.
#include "tests/support/FifoWriter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>

namespace testing_support {

namespace {

void WriteInPieces(const std::filesystem::path& path, const std::string& bytes, size_t piece) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return;
  for (size_t done = 0; done < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + done, std::min(piece, bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // the reader left
    done += static_cast<size_t>(n);
  }
  ::close(fd);
}

}  // namespace

FifoWriter::FifoWriter(std::filesystem::path path, std::string bytes, size_t piece) : path_(std::move(path)) {
  // A reader that leaves early makes the writes fail instead of ending the test program.
  std::signal(SIGPIPE, SIG_IGN);
  if (::mkfifo(path_.c_str(), 0600) != 0) {
    ADD_FAILURE() << "mkfifo " << path_ << " failed";
    return;
  }
  thread_ = std::thread([this, bytes = std::move(bytes), piece] {
    WriteInPieces(path_, bytes, std::max<size_t>(piece, 1));
    done_ = true;
  });
}

FifoWriter::~FifoWriter() {
  if (!thread_.joinable()) return;
  // Opening the other end releases a writer waiting for a reader; closing it makes the writes fail.
  while (!done_) {
    int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  thread_.join();
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace testing_support
