// The PDF reader for placing: poppler's pdfinfo, run as a program of its own, answers the page count and
// the chosen page's size; nothing is drawn. poppler stays out of the host's process: its classes share
// names with the host's (Page, FileStream), which the dynamic linker would mix up, and a hostile PDF that
// upsets it ends only that program.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/image/PictureHeaders.h"

extern char** environ;

namespace {

// More than pdfinfo ever prints for one page; a limit on what a confused program can make the host hold.
constexpr size_t kMaxOutput = 1 << 16;
constexpr int kTimeoutMs = 20000;

struct Run {
  int status = -1;  // the exit status; -1 when the program could not run or was stopped
  std::string output;
};

void ReadUntilEnd(int fd, pid_t child, Run& run) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
  char buffer[4096];
  while (true) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) == 0) {
      ::kill(child, SIGKILL);
      return;
    }
    ssize_t n = ::read(fd, buffer, sizeof(buffer));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    if (run.output.size() < kMaxOutput) run.output.append(buffer, static_cast<size_t>(n));
  }
}

// Runs pdfinfo on `path` for page `page`, its standard output and error in `output`.
Run PdfInfo(const std::filesystem::path& path, int32_t page) {
  Run run;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
  std::string number = std::to_string(page);
  std::string file = path.string();
  char* argv[] = {const_cast<char*>("pdfinfo"),
                  const_cast<char*>("-f"),
                  number.data(),
                  const_cast<char*>("-l"),
                  number.data(),
                  file.data(),
                  nullptr};
  pid_t child = 0;
  int spawned = ::posix_spawnp(&child, "pdfinfo", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (spawned == 0) ReadUntilEnd(pipeFds[0], child, run);
  ::close(pipeFds[0]);
  int status = 0;
  if (spawned == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
    run.status = WEXITSTATUS(status);
  return run;
}

// The number after `label` at the start of a line ("Pages:  3"); NaN when there is none.
double NumberAfter(const std::string& output, const std::string& label, size_t* end = nullptr) {
  size_t at = output.find("\n" + label);
  if (output.starts_with(label))
    at = 0;
  else if (at != std::string::npos)
    ++at;
  if (at == std::string::npos) return NAN;
  const char* start = output.c_str() + at + label.size();
  char* stop = nullptr;
  double v = std::strtod(start, &stop);
  if (stop == start) return NAN;
  if (end) *end = static_cast<size_t>(stop - output.c_str());
  return v;
}

ErrorCode Parse(const Run& run, int32_t page, PictureInfo& info) {
  if (run.status == 99) return kPicturePageError;
  if (run.output.find("password") != std::string::npos) return kPictureLockedError;
  if (run.status != 0) return kPictureDamagedError;
  std::string pageLabel =
      "Page " + std::string(4 - std::min<size_t>(4, std::to_string(page).size()), ' ') + std::to_string(page);
  size_t end = 0;
  double count = NumberAfter(run.output, "Pages:");
  double width = NumberAfter(run.output, pageLabel + " size:", &end);
  double height = end ? NumberAfter(run.output.substr(end), " x") : NAN;
  double rotation = NumberAfter(run.output, pageLabel + " rot:");
  if (!(count >= 1 && count <= kMaxPdfPages) || !std::isfinite(width) || !std::isfinite(height))
    return kPictureDamagedError;
  if (std::fmod(std::fabs(rotation), 180) == 90) std::swap(width, height);
  if (width > kMaxPicturePoints || height > kMaxPicturePoints) return kPictureTooLargeError;
  info = PictureInfo{.format = PictureFormat::kPdf,
                     .width = static_cast<int32_t>(std::ceil(std::fabs(width))),
                     .height = static_cast<int32_t>(std::ceil(std::fabs(height))),
                     .widthPoints = std::fabs(width),
                     .heightPoints = std::fabs(height),
                     .page = page,
                     .pageCount = static_cast<int32_t>(count)};
  return FinishPictureInfo(info);
}

}  // namespace

ErrorCode ReadPdfFile(const std::filesystem::path& path, int32_t page, PictureInfo& info) {
  if (page < 1) return kPicturePageError;
  Run run = PdfInfo(path, page);
  if (run.status < 0) return kPictureFileError;
  return Parse(run, page, info);
}

ErrorCode ReadPdfHeader(const uint8_t* data, size_t size, int32_t page, PictureInfo& info) {
  if (SniffPictureFormat(data, size) != PictureFormat::kPdf) return kPictureFormatError;
  std::error_code error;
  std::string name = (std::filesystem::temp_directory_path(error) / "pagehost-pdf-XXXXXX").string();
  int fd = ::mkstemp(name.data());
  if (fd < 0) return kPictureFileError;
  bool written = true;
  for (size_t done = 0; written && done < size;) {
    ssize_t n = ::write(fd, data + done, size - done);
    written = n > 0 || (n < 0 && errno == EINTR);
    if (n > 0) done += static_cast<size_t>(n);
  }
  ::close(fd);
  ErrorCode err = written ? ReadPdfFile(name, page, info) : kPictureFileError;
  ::unlink(name.c_str());
  return err;
}
