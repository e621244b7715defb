// Replacing files safely on POSIX systems (Linux's unnamed temporary files where available).
#include "host/db/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <functional>
#include <random>
#include <system_error>
#include <thread>

#include "host/db/TemporaryFileCleanup.h"

namespace {

// As many as the system follows in a path.
constexpr int kMaxLinks = 40;
constexpr int kNameAttempts = 100;

// The file a path names once the links at its end are followed; relative links count from their folder.
// `exists` is false when the final target is not there yet (it will be created).
int ResolveLinks(std::filesystem::path path, std::filesystem::path& target, struct stat& status,
                 bool& exists) {
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    if (::lstat(path.c_str(), &status) != 0) {
      if (errno != ENOENT) return errno;
      exists = false;
      target = std::move(path);
      return 0;
    }
    if (!S_ISLNK(status.st_mode)) {
      exists = true;
      target = std::move(path);
      return 0;
    }
    std::string link(static_cast<size_t>(status.st_size > 0 ? status.st_size : PATH_MAX) + 1, '\0');
    ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
    if (length < 0) return errno;
    link.resize(static_cast<size_t>(length));
    std::filesystem::path next(link);
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return ELOOP;
}

// The system's reason in lower case, as it reads inside a message ("no space left on device").
std::string SystemReason(int error) {
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

const char* WhyNotAFile(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
  if (S_ISFIFO(mode)) return "it is a FIFO (named pipe), not a file";
  if (S_ISSOCK(mode)) return "it is a socket, not a file";
  return "it is not a regular file";
}

// A file without any write permission counts as locked even for a user (root) whom the system would let
// write it; otherwise the system decides for the effective user.
int LockError(const std::filesystem::path& target, const struct stat& status) {
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && (errno == EACCES || errno == EPERM))
    return errno;
  return 0;
}

std::string RandomName() {
  constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  uint8_t bytes[12];
  if (::getrandom(bytes, sizeof(bytes), GRND_NONBLOCK) != static_cast<ssize_t>(sizeof(bytes))) {
    std::random_device device;
    for (uint8_t& b : bytes)
      b = static_cast<uint8_t>(device());
  }
  std::string name = ".pagehost-";
  for (uint8_t b : bytes)
    name += kLetters[b % (sizeof(kLetters) - 1)];
  return name + ".tmp";
}

// What closing a replaced file costs (freeing its blocks) is not the save's to wait for when the file is
// large; a small one is let go at once, cheaper than starting a thread.
void LetGoOfReplaced(int fd) {
  constexpr off_t kLargeFile = off_t{8} << 20;
  struct stat status = {};
  if (::fstat(fd, &status) != 0 || status.st_size < kLargeFile) {
    ::close(fd);
    return;
  }
  try {
    std::thread([fd] { ::close(fd); }).detach();
  } catch (const std::system_error&) {
    ::close(fd);
  }
}

// Tries fresh random names until `create` makes one (it answers -1 with errno set on failure). The name is
// registered for removal on a signal before the signals can arrive.
bool CreateRandomlyNamed(int folder, const std::function<int(const char*)>& create, std::string& name,
                         std::unique_ptr<TemporaryFileCleanup>& cleanup, int& result, int& error) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string candidate = RandomName();
    TemporaryFileCleanup::SignalsHeld held;
    result = create(candidate.c_str());
    if (result >= 0) {
      name = std::move(candidate);
      cleanup = std::make_unique<TemporaryFileCleanup>(folder, name);
      return true;
    }
    if (errno != EEXIST) {
      error = errno;
      return false;
    }
  }
  error = EEXIST;
  return false;
}

}  // namespace

SafeFileWriter::SafeFileWriter(std::filesystem::path shown, std::filesystem::path target)
    : shown_(std::move(shown)), target_(std::move(target)) {}

SafeFileWriter::~SafeFileWriter() {
  Discard();
  if (folder_ >= 0) ::close(folder_);
}

FileResult SafeFileWriter::Fail(int error) const {
  return Refuse(Why(error));
}

FileResult SafeFileWriter::Refuse(const std::string& why) const {
  return {kWriteFailedError, "cannot write " + shown_.string() + ": " + why};
}

// Errors met while reaching the folder or making a file in it are told about the folder, which is what the
// user has to change.
std::string SafeFileWriter::Why(int error) const {
  std::string folder = target_.parent_path().empty() ? std::string("the current folder")
                                                     : "the folder " + target_.parent_path().string();
  switch (error) {
    case ENOENT:
      return folder + " does not exist";
    case ENOTDIR:
      return "a part of " + target_.parent_path().string() + " is not a folder";
    case EACCES:
    case EPERM:
      return folder + " cannot be written (" + SystemReason(error) + ")";
    case EROFS:
      return folder + " is on a read-only file system";
    default:
      return SystemReason(error);
  }
}

FileResult SafeFileWriter::Begin(const std::filesystem::path& path, std::unique_ptr<SafeFileWriter>& writer,
                                 Temporary temporary) {
  writer.reset();
  std::filesystem::path target;
  struct stat status = {};
  bool exists = false;
  int error = ResolveLinks(path, target, status, exists);
  // A path that cannot be followed is told about as the user gave it.
  std::unique_ptr<SafeFileWriter> made(new SafeFileWriter(path, error != 0 ? path : target));
  if (error != 0) return made->Fail(error);
  if (exists && !S_ISREG(status.st_mode)) return made->Refuse(WhyNotAFile(status.st_mode));
  if (target.filename().empty()) return made->Fail(EISDIR);
  if (exists && (error = LockError(target, status)) != 0)
    return made->Refuse("the file is locked (" + SystemReason(error) + ")");
  // Replacing one name of a file with several would leave the others on the old content.
  if (exists && status.st_nlink > 1) {
    return made->Refuse("the file has " + std::to_string(status.st_nlink) +
                        " hard links, which replacing it would split apart");
  }
  if (FileResult r = made->OpenTemporary(temporary); !r.ok()) return r;
  if (exists) made->KeepOwnerAndMode(status);
  writer = std::move(made);
  return {};
}

FileResult SafeFileWriter::OpenTemporary(Temporary temporary) {
  std::filesystem::path folder = target_.parent_path();
  folder_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) return Fail(errno);
  int error = 0;
  if (temporary == Temporary::kUnnamedIfPossible && OpenUnnamed(error)) return {};
  // Folders on file systems without unnamed files answer one of these; anything else is a real failure.
  if (error != 0 && error != EOPNOTSUPP && error != EISDIR && error != EINVAL && error != ENOENT)
    return Fail(error);
  if (!OpenNamed(error)) return Fail(error);
  return {};
}

// The unnamed file is linked in through /proc at the end, so both must be there.
bool SafeFileWriter::OpenUnnamed(int& error) {
#ifdef O_TMPFILE
  if (::access("/proc/self/fd", X_OK) != 0) return false;
  int fd = ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = errno;
    return false;
  }
  stream_ = FileStream::Adopt(fd, FileStream::Mode::kWrite, shown_);
  stream_->SetWriteBehind(true);
  unnamed_ = true;
  return true;
#else
  return false;
#endif
}

bool SafeFileWriter::OpenNamed(int& error) {
  int fd = -1;
  auto create = [&](const char* name) {
    return ::openat(folder_, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  };
  if (!CreateRandomlyNamed(folder_, create, tempName_, cleanup_, fd, error)) return false;
  stream_ = FileStream::Adopt(fd, FileStream::Mode::kWrite, shown_);
  stream_->SetWriteBehind(true);
  return true;
}

bool SafeFileWriter::LinkUnnamed(int& error) {
  std::string self = "/proc/self/fd/" + std::to_string(stream_->GetDescriptor());
  int result = 0;
  auto link = [&](const char* name) {
    return ::linkat(AT_FDCWD, self.c_str(), folder_, name, AT_SYMLINK_FOLLOW);
  };
  return CreateRandomlyNamed(folder_, link, tempName_, cleanup_, result, error);
}

// Before any content is written, so that a private file's content is never readable by others on the way.
// Failures are not errors: a user may not give a file away, and then it becomes theirs.
void SafeFileWriter::KeepOwnerAndMode(const struct stat& old) {
  int fd = stream_->GetDescriptor();
  struct stat now = {};
  if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  }
  (void)::fchmod(fd, old.st_mode & 07777);
}

// The replaced file is held open across the rename, so that the rename only takes its name away: freeing
// its blocks (slow where the file system tells the disk of every freed block) happens when it is let go,
// in the background for a large file.
int SafeFileWriter::PutInPlace() {
  if (!stream_) return EBADF;
  if (!stream_->Sync()) return stream_->GetLastError() != 0 ? stream_->GetLastError() : EIO;
  int error = 0;
  if (unnamed_ && !LinkUnnamed(error)) return error;
  int replaced =
      ::openat(folder_, target_.filename().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (::renameat(folder_, tempName_.c_str(), folder_, target_.filename().c_str()) != 0) {
    error = errno;
    if (replaced >= 0) ::close(replaced);
    return error;
  }
  if (replaced >= 0) LetGoOfReplaced(replaced);
  return 0;
}

FileResult SafeFileWriter::Commit() {
  if (int error = PutInPlace(); error != 0) {
    Discard();
    return Fail(error);
  }
  cleanup_.reset();
  tempName_.clear();
  stream_.reset();
  // Some file systems cannot sync a folder; the rename is then as durable as they make it.
  if (::fsync(folder_) != 0 && errno != EINVAL && errno != EROFS) return Fail(errno);
  return {};
}

FileResult SafeFileWriter::Replace(const std::filesystem::path& path, std::string_view bytes,
                                   Temporary temporary) {
  std::unique_ptr<SafeFileWriter> writer;
  if (FileResult r = Begin(path, writer, temporary); !r.ok()) return r;
  writer->Stream().XferBytes(reinterpret_cast<uint8_t*>(const_cast<char*>(bytes.data())), bytes.size());
  return writer->Commit();
}

void SafeFileWriter::Discard() {
  if (!tempName_.empty()) ::unlinkat(folder_, tempName_.c_str(), 0);
  tempName_.clear();
  cleanup_.reset();
  stream_.reset();
}
