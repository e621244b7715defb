// TestHttpServer: the fetch tests' own HTTP or HTTPS server on 127.0.0.1 (tests/support/http_test_server.py),
// started for a test and stopped with it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace testing_support {

class TestHttpServer {
 public:
  // `delayMs` before every answer; with `cert` and `key`, HTTPS; /file/NAME serves the files of `root`.
  explicit TestHttpServer(int delayMs = 0, const std::filesystem::path& cert = {},
                          const std::filesystem::path& key = {}, const std::filesystem::path& root = {});
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  bool Running() const { return port_ > 0; }
  // "http://127.0.0.1:PORT" + path.
  std::string URL(const std::string& path) const;

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  bool tls_ = false;
};

// A self-signed certificate for 127.0.0.1 made with openssl in `folder`; false when openssl is missing.
bool MakeTestCertificate(const std::filesystem::path& folder, std::filesystem::path& cert,
                         std::filesystem::path& key);

}  // namespace testing_support
