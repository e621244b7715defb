// Running a program with pipes for its standard streams.
#include "tests/support/RunProgram.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace testing_support {
namespace {

// Replaces the pipe at `fd` by the file `path` when one is named.
bool Redirect(int fd, const std::string& path, int flags) {
  if (path.empty()) return true;
  int file = open(path.c_str(), flags | O_CLOEXEC, 0644);
  return file >= 0 && dup2(file, fd) == fd;
}

bool Limit(const RunOptions& options) {
  if (options.addressSpace != 0) {
    rlimit limit{options.addressSpace, options.addressSpace};
    if (setrlimit(RLIMIT_AS, &limit) != 0) return false;
  }
  if (options.user == 0) return true;
  return setgroups(0, nullptr) == 0 && setgid(options.user) == 0 && setuid(options.user) == 0;
}

[[noreturn]] void ExecChild(const std::vector<std::string>& argv, const RunOptions& options, int in, int out,
                            int err) {
  dup2(in, 0);
  dup2(out, 1);
  dup2(err, 2);
  if (!Redirect(0, options.stdinFile, O_RDONLY) ||
      !Redirect(1, options.stdoutFile, O_WRONLY | O_CREAT | O_TRUNC) || !Limit(options)) {
    _exit(126);
  }
  for (const auto& [name, value] : options.env) {
    if (value.empty()) {
      unsetenv(name.c_str());
    } else {
      setenv(name.c_str(), value.c_str(), 1);
    }
  }
  std::vector<char*> args;
  for (const auto& a : argv)
    args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

// Writes the input and reads both outputs at once, so that neither side blocks on a full pipe.
void Pump(int in, int out, int err, const std::string& input, ProgramResult& result) {
  size_t written = 0;
  if (input.empty()) close(in), in = -1;
  char buffer[65536];
  while (out >= 0 || err >= 0) {
    pollfd fds[3] = {{out, POLLIN, 0}, {err, POLLIN, 0}, {in, POLLOUT, 0}};
    if (poll(fds, 3, -1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].revents == 0) continue;
      ssize_t n = read(fds[i].fd, buffer, sizeof(buffer));
      if (n > 0) {
        (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
      } else {
        close(fds[i].fd);
        (i == 0 ? out : err) = -1;
      }
    }
    if (in >= 0 && fds[2].revents != 0) {
      ssize_t n = (fds[2].revents & POLLOUT) ? write(in, input.data() + written, input.size() - written) : -1;
      if (n > 0) written += static_cast<size_t>(n);
      if (n <= 0 || written == input.size()) close(in), in = -1;
    }
  }
  if (in >= 0) close(in);
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& argv, const RunOptions& options) {
  ProgramResult result;
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return result;
  signal(SIGPIPE, SIG_IGN);
  pid_t pid = fork();
  if (pid == 0) ExecChild(argv, options, in[0], out[1], err[1]);
  close(in[0]);
  close(out[1]);
  close(err[1]);
  Pump(in[1], out[0], err[0], options.stdinFile.empty() ? options.input : std::string(), result);
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return result;
}

}  // namespace testing_support
