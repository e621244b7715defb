// Reading picture files through POSIX calls: a stat, then a bounded read of the first bytes.
#include "host/image/PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "host/image/PictureHeaders.h"

namespace {

// Headers of PNG, JPEG, GIF and WebP come first; this many bytes hold them in every file seen in practice,
// and a reader that finds them cut short gets the whole file.
constexpr int64_t kHeadBytes = 1 << 20;

class File {
 public:
  explicit File(const std::filesystem::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }

 private:
  int fd_;
};

ErrorCode StampOf(int fd, FileStamp& stamp) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return kPictureFileError;
  if (!S_ISREG(st.st_mode)) return kPictureFileError;
  stamp = {st.st_size, int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec};
  return kSuccess;
}

bool ReadHead(int fd, int64_t count, std::vector<uint8_t>& bytes) {
  bytes.resize(static_cast<size_t>(count));
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;  // the file shrank since its stat
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  return true;
}

bool NeedsWholeFile(const std::vector<uint8_t>& head) {
  PictureFormat format = SniffPictureFormat(head.data(), head.size());
  return format == PictureFormat::kTiff;
}

}  // namespace

ErrorCode StampFile(const std::filesystem::path& path, FileStamp& stamp) {
  File file(path);
  if (file.Get() < 0) return errno == ENOENT || errno == ENOTDIR ? kFileNotFoundError : kPictureFileError;
  return StampOf(file.Get(), stamp);
}

ErrorCode ReadPictureFile(const std::filesystem::path& path, int32_t page, PictureInfo& info,
                          FileStamp& stamp) {
  File file(path);
  if (file.Get() < 0) return errno == ENOENT || errno == ENOTDIR ? kFileNotFoundError : kPictureFileError;
  if (ErrorCode err = StampOf(file.Get(), stamp); err != kSuccess) return err;
  std::vector<uint8_t> bytes;
  if (!ReadHead(file.Get(), std::min(stamp.size, kHeadBytes), bytes)) return kPictureFileError;
  if (SniffPictureFormat(bytes.data(), bytes.size()) == PictureFormat::kPdf)
    return ReadPdfFile(path, page, info);
  bool whole = bytes.size() == static_cast<size_t>(stamp.size);
  ErrorCode err = kPictureDamagedError;
  if (whole || !NeedsWholeFile(bytes)) err = ReadPictureHeader(bytes.data(), bytes.size(), page, info);
  if (err != kPictureDamagedError || whole) return err;
  if (stamp.size > kMaxPictureFileBytes) return kPictureFileError;
  if (!ReadHead(file.Get(), stamp.size, bytes)) return kPictureFileError;
  return ReadPictureHeader(bytes.data(), bytes.size(), page, info);
}

const char* PictureFaultText(ErrorCode code) {
  switch (static_cast<int32_t>(code)) {
    case kSuccess:
      return "is a picture";
    case kFileNotFoundError:
      return "does not exist";
    case kPictureFormatError:
      return "is no picture the host can place (PNG, JPEG, GIF, TIFF, WebP or PDF)";
    case kPictureDamagedError:
      return "is a damaged or incomplete picture";
    case kPictureTooLargeError:
      return "declares a picture larger than the host places";
    case kPicturePageError:
      return "has no such page";
    case kPictureLockedError:
      return "is a PDF protected by a password";
    case kOutOfMemoryError:
      return "could not be read: out of memory";
    default:
      return "cannot be read (a folder, unreadable, or too long)";
  }
}
