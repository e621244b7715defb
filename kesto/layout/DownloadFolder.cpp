// Writing downloads inside their folder and nowhere else.
#include "kesto/layout/DownloadFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <system_error>
#include <utility>

namespace kesto {
namespace {

constexpr size_t kHeadSize = 64;

// "vydf", random letters and ".part": a name nobody can predict; a clash with an existing name is tried
// again.
std::string TemporaryName() {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = "vydf";
  for (int i = 0; i < 12; ++i)
    name += kLetters[random() % 36];
  return name + ".part";
}

void SetTime(int fd, int64_t time) {
  struct timespec times[2] = {{static_cast<time_t>(time), 0}, {static_cast<time_t>(time), 0}};
  futimens(fd, times);
}

}  // namespace

TemporaryDownload::TemporaryDownload(TemporaryDownload&& other) noexcept {
  *this = std::move(other);
}

TemporaryDownload& TemporaryDownload::operator=(TemporaryDownload&& other) noexcept {
  if (this != &other) {
    Discard();
    folder_ = other.folder_;
    fd_ = std::exchange(other.fd_, -1);
    name_ = std::move(other.name_);
    path_ = std::move(other.path_);
    size_ = other.size_;
    head_ = std::move(other.head_);
  }
  return *this;
}

TemporaryDownload::~TemporaryDownload() {
  Discard();
}

bool TemporaryDownload::Write(const char* data, size_t size) {
  if (head_.size() < kHeadSize) head_.append(data, std::min(size, kHeadSize - head_.size()));
  for (size_t done = 0; done < size;) {
    ssize_t n = ::write(fd_, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  size_ += size;
  return true;
}

void TemporaryDownload::Discard() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
}

bool TemporaryDownload::Name() {
  if (!name_.empty()) return true;
  std::string self = "/proc/self/fd/" + std::to_string(fd_);
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::string name = TemporaryName();
    if (::linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      name_ = name;
      path_ = path_ / name_;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

std::unique_ptr<DownloadFolder> DownloadFolder::Open(const std::filesystem::path& folder,
                                                     std::string& problem) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    problem = "Couldn't access the downloads folder";
    return nullptr;
  }
  return std::unique_ptr<DownloadFolder>(new DownloadFolder(fd, folder, false));
}

std::unique_ptr<DownloadFolder> DownloadFolder::Temporary(std::string& problem) {
  std::error_code error;
  std::filesystem::path base = std::filesystem::temp_directory_path(error);
  std::string pattern = (error ? std::filesystem::path("/tmp") : base) / "kesto-downloads-XXXXXX";
  if (!::mkdtemp(pattern.data())) {
    problem = "Couldn't create a folder for temporary downloads";
    return nullptr;
  }
  int fd = ::open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    problem = "Couldn't create a folder for temporary downloads";
    return nullptr;
  }
  return std::unique_ptr<DownloadFolder>(new DownloadFolder(fd, pattern, true));
}

DownloadFolder::~DownloadFolder() {
  ::close(fd_);
  std::error_code error;
  if (owned_) std::filesystem::remove_all(path_, error);
}

TemporaryDownload DownloadFolder::CreateTemporary() {
  TemporaryDownload download;
  // A file without a name first, where the file system allows: a download cut short (even by a signal that
  // ends the process) then leaves nothing behind.
  download.fd_ = ::openat(fd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
  for (int attempt = 0; attempt < 8 && download.fd_ < 0; ++attempt) {
    download.name_ = TemporaryName();
    download.fd_ =
        ::openat(fd_, download.name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  }
  download.folder_ = fd_;
  download.path_ = download.name_.empty() ? path_ : path_ / download.name_;
  return download;
}

int DownloadFolder::OpenFolders(const std::vector<std::string>& folders, bool make) const {
  int fd = ::dup(fd_);
  for (const std::string& name : folders) {
    if (fd < 0) return -1;
    if (make) ::mkdirat(fd, name.c_str(), 0755);
    int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    ::close(fd);
    fd = next;
  }
  return fd;
}

std::optional<int64_t> DownloadFolder::FileTime(const std::vector<std::string>& folders,
                                                const std::string& file) const {
  int fd = OpenFolders(folders, false);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  bool plain = ::fstatat(fd, file.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  if (!plain) return std::nullopt;
  return static_cast<int64_t>(st.st_mtim.tv_sec);
}

bool DownloadFolder::Keep(TemporaryDownload& download, const std::vector<std::string>& folders,
                          const std::string& file, int64_t time, std::filesystem::path& kept,
                          std::string& problem) {
  if (download.fd_ < 0 || ::fsync(download.fd_) != 0 || !download.Name()) {
    problem = "Downloaded file doesn't exist";
    return false;
  }
  SetTime(download.fd_, time);
  int fd = OpenFolders(folders, true);
  // A rename replaces whatever had the name, a planted link included, and never writes through it.
  if (fd < 0 || ::renameat(fd_, download.name_.c_str(), fd, file.c_str()) != 0) {
    if (fd >= 0) ::close(fd);
    problem = "Couldn't save the content in the downloads folder";
    return false;
  }
  ::close(fd);
  ::close(download.fd_);
  download.fd_ = -1;
  kept = path_;
  for (const std::string& name : folders)
    kept /= name;
  kept /= file;
  return true;
}

std::filesystem::path DownloadFolder::KeepHere(TemporaryDownload& download, int64_t time) {
  SetTime(download.fd_, time);
  if (!download.Name()) return {};
  ::close(download.fd_);
  download.fd_ = -1;
  return download.path_;
}

}  // namespace kesto
