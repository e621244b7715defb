// Starting and stopping the test server.
#include "tests/support/TestHttpServer.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace testing_support {
namespace {

// Runs `args` with its standard output to `out` (unchanged when -1) and, with `quiet`, no diagnostics.
pid_t Spawn(std::vector<std::string> args, int out, bool quiet = false) {
  std::vector<char*> argv;
  for (std::string& a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (out >= 0) posix_spawn_file_actions_adddup2(&actions, out, 1);
  if (quiet) posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

}  // namespace

TestHttpServer::TestHttpServer(int delayMs, const std::filesystem::path& cert,
                               const std::filesystem::path& key, const std::filesystem::path& root) {
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) return;
  // Debian's own interpreter when there is one: wrappers in front of it cost seconds per start.
  const char* python = ::access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
  std::vector<std::string> args = {python, PAGEHOST_TEST_SUPPORT "/http_test_server.py", "--delay",
                                   std::to_string(delayMs)};
  if (!root.empty()) args.insert(args.end(), {"--root", root.string()});
  if (!cert.empty()) {
    args.insert(args.end(), {"--cert", cert.string(), "--key", key.string()});
    tls_ = true;
  }
  pid_ = Spawn(args, pipe_fds[1]);
  ::close(pipe_fds[1]);
  FILE* out = ::fdopen(pipe_fds[0], "r");
  if (out && pid_ > 0 && std::fscanf(out, "%d", &port_) != 1) port_ = 0;
  if (out) std::fclose(out);
}

TestHttpServer::~TestHttpServer() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
}

std::string TestHttpServer::URL(const std::string& path) const {
  return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + path;
}

bool MakeTestCertificate(const std::filesystem::path& folder, std::filesystem::path& cert,
                         std::filesystem::path& key) {
  cert = folder / "server.crt";
  key = folder / "server.key";
  pid_t pid = Spawn(
      {"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1",
       "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key.string(), "-out", cert.string()},
      -1);
  int status = 0;
  return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace testing_support
