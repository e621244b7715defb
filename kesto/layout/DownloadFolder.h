// DownloadFolder: the folder downloads are written into, reached only through its open descriptor, so that
// nothing a URL names can write outside it: folders inside it are opened one at a time without following
// symbolic links, files are created new (never opened through a link someone planted), and a download
// appears under its name only once it is complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kesto {

class DownloadFolder;

// A download being written: a new file in the folder, without a name until it is kept (or, where the file
// system cannot do that, named "vydf…"). It is removed when it goes, unless kept.
class TemporaryDownload {
 public:
  TemporaryDownload() = default;
  TemporaryDownload(const TemporaryDownload&) = delete;
  TemporaryDownload& operator=(const TemporaryDownload&) = delete;
  TemporaryDownload(TemporaryDownload&& other) noexcept;
  TemporaryDownload& operator=(TemporaryDownload&& other) noexcept;
  ~TemporaryDownload();

  bool IsOpen() const { return fd_ >= 0; }
  bool Write(const char* data, size_t size);
  uint64_t Size() const { return size_; }
  // The first bytes written, for telling what kind of file it is.
  const std::string& Head() const { return head_; }
  // Removes the file now.
  void Discard();

 private:
  friend class DownloadFolder;
  // Gives a file without a name a temporary one; false when it cannot.
  bool Name();
  int folder_ = -1;  // the folder's descriptor, owned by the DownloadFolder
  int fd_ = -1;
  std::string name_;
  std::filesystem::path path_;  // the folder's path while the file has no name
  uint64_t size_ = 0;
  std::string head_;
};

class DownloadFolder {
 public:
  // `folder`, made when missing; null with `problem` when it cannot be opened as a folder.
  static std::unique_ptr<DownloadFolder> Open(const std::filesystem::path& folder, std::string& problem);
  // A new private folder in the system's temporary folder, removed with what it holds when this goes.
  static std::unique_ptr<DownloadFolder> Temporary(std::string& problem);
  ~DownloadFolder();
  DownloadFolder(const DownloadFolder&) = delete;
  DownloadFolder& operator=(const DownloadFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // A new temporary download in this folder; not open when it cannot be made.
  TemporaryDownload CreateTemporary();
  // The modification time (seconds since 1970) of the plain file `file` in `folders` inside this folder;
  // nothing when there is none, or when a part of the way is a link or not of the kind it should be.
  std::optional<int64_t> FileTime(const std::vector<std::string>& folders, const std::string& file) const;
  // Gives `download` the name `file` in `folders` (made when missing), replacing what had that name, with
  // `time` (seconds since 1970) as its modification time. False with `problem` when it cannot.
  bool Keep(TemporaryDownload& download, const std::vector<std::string>& folders, const std::string& file,
            int64_t time, std::filesystem::path& kept, std::string& problem);
  // Gives a finished download its modification time, keeping it where it is as a temporary file; its path.
  std::filesystem::path KeepHere(TemporaryDownload& download, int64_t time);

 private:
  DownloadFolder(int fd, std::filesystem::path path, bool owned)
      : fd_(fd), path_(std::move(path)), owned_(owned) {}
  // The descriptor of `folders` inside this folder (made when `make`); -1 when a part is missing or no
  // plain folder.
  int OpenFolders(const std::vector<std::string>& folders, bool make) const;

  int fd_;
  std::filesystem::path path_;
  bool owned_;
};

}  // namespace kesto
