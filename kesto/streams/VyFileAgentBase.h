// VyFileAgentBase: the open file behind a file stream agent, and the one place where the stream layer
// talks to the operating system about files. At most four files are open at once through this layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace kesto {

class VyFileAgentBase {
 public:
  // How a file is opened. The file must exist: the layer never creates one.
  enum OpenMode : int {
    kReadMode = 1,    // reading only
    kWriteMode = 2,   // reading and writing, the file cut to length 0
    kAppendMode = 34  // reading and writing, the contents kept and the position at the end
  };
  static constexpr int kMaxOpenFiles = 4;

  VyFileAgentBase(const VyFileAgentBase&) = delete;
  VyFileAgentBase& operator=(const VyFileAgentBase&) = delete;

  // Files open through this layer in the whole process.
  static int OpenFileCount();

 protected:
  VyFileAgentBase() = default;
  // Closes the file if it is open.
  ~VyFileAgentBase();

  // Opens an existing file. Answers 0, or the file-system code (also kept as the last error): kParamErr
  // for an unknown mode, kFileBusyErr (not kept) when a file is already open here, kTooManyFilesOpenErr for a
  // fifth file, kBadFileNameErr for a folder, kPermissionErr for writing a file that no one may write
  // (checked from its permission bits, which the super-user's open would ignore), the errno code otherwise.
  int16_t OpenFile(const std::filesystem::path& path, int mode);
  // Closes the file; answers 0 or the code of a failed close (kept as the last error unless one is kept).
  int16_t CloseFile();
  bool IsFileOpen() const { return refNum_ != 0; }
  int GetOpenMode() const { return mode_; }
  // Whether the file can be read at any offset; a pipe, a terminal or a socket is read only in order.
  bool IsSeekable() const { return seekable_; }

  // Reads at most `count` bytes at `offset`. Answers how many, 0 at the end of the file, or -1 on a
  // failure (kept as the last error).
  int64_t ReadAt(int64_t offset, uint8_t* bytes, size_t count);
  // Writes all `count` bytes at `offset`; answers false on a failure (kept as the last error).
  bool WriteAt(int64_t offset, const uint8_t* bytes, size_t count);
  // Length of the open file; 0 for files that have none (devices, pipes), -1 on a failure.
  int64_t FileLength();

  int16_t lastError_ = 0;

 private:
  void KeepError(int16_t code) {
    if (lastError_ == 0) lastError_ = code;
  }

  int16_t refNum_ = 0;  // slot in the process's table of open files, from 1; 0 when closed
  int fd_ = -1;
  int mode_ = 0;
  bool seekable_ = false;
};

}  // namespace kesto
