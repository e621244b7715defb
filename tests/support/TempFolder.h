// TempFolder: a fresh folder of its own under the system's temporary folder for a test's files, removed
// with everything in it; and whole-file reads and writes for checking them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "pagehost-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }
  // The names of the entries in the folder, sorted.
  std::vector<std::string> List() const;

 private:
  std::filesystem::path path_;
};

// The bytes of a file; empty when it cannot be read.
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace testing_support
