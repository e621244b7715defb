// FifoWriter: a named pipe and a thread that writes given bytes into it a few at a time, so that a reader
// gets input it cannot rewind, arriving in parts as from another program.
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <string>
#include <thread>

namespace testing_support {

class FifoWriter {
 public:
  // Makes the pipe `path` (which must not exist) and writes `bytes` to it, `piece` bytes per write, once a
  // reader opens it.
  FifoWriter(std::filesystem::path path, std::string bytes, size_t piece);
  // Waits for the writer; a reader that never opened the pipe, or left before the end, does not block it.
  ~FifoWriter();
  FifoWriter(const FifoWriter&) = delete;
  FifoWriter& operator=(const FifoWriter&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

}  // namespace testing_support
