// VyFile: the path of a file that the engine reads or writes, as the stream agents and the facade pass it.
#pragma once

#include <filesystem>

#include "host/core/WideString.h"

namespace kesto {

class VyFile {
 public:
  VyFile() = default;
  explicit VyFile(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& GetPath() const { return path_; }
  bool IsEmpty() const { return path_.empty(); }
  void Clear() { path_.clear(); }
  // The whole path, as shown to the user.
  WideString GetPathName() const { return WideFromUtf8(path_.string()); }
  // The last component of the path.
  WideString GetFileName() const { return WideFromUtf8(path_.filename().string()); }

  bool operator==(const VyFile&) const = default;

 private:
  std::filesystem::path path_;
};

}  // namespace kesto
