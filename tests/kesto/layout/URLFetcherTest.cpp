// Fetching pictures from the tests' own HTTP(S) server into a downloads folder in the scratch folder.
#include "kesto/layout/URLFetcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>

#include "tests/support/TestHttpServer.h"

namespace kesto {
namespace {

using testing_support::TestHttpServer;
namespace fs = std::filesystem;

constexpr int64_t kServerTime = 1700000000;  // the test server's Last-Modified

class URLFetcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = fs::temp_directory_path() / ("fetch-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
    options_.downloadsFolder = scratch_ / "Downloads";
    options_.isPicture = [](const std::string& head) { return head.rfind("\x89PNG", 0) == 0; };
  }
  void TearDown() override { fs::remove_all(scratch_); }

  // Every file under the scratch folder, relative to it.
  std::set<std::string> Files() const {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(scratch_))
      if (e.is_regular_file()) files.insert(e.path().lexically_relative(scratch_).string());
    return files;
  }
  // How often the server was asked for `path`.
  int Requests(URLFetcher& fetcher, const std::string& path) {
    const DownloadCacheEntry* entry = nullptr;
    std::string message;
    FetchOptions plain;
    plain.noCopy = true;
    std::string url = server_.URL("/count?" + std::to_string(++countQueries_));
    if (fetcher.FetchURL(entry, url, message, plain) != kFetchDone) {
      ADD_FAILURE() << message;
      return -1;
    }
    std::ifstream in(entry->localFile);
    for (std::string p; in >> p;) {
      int n = 0;
      in >> n;
      if (p == path) return n;
    }
    return 0;
  }

  TestHttpServer server_;
  fs::path scratch_;
  FetchOptions options_;
  int countQueries_ = 0;
};

TEST_F(URLFetcherTest, AnswersAndWhatTheyLeaveInTheFolder) {
  ASSERT_TRUE(server_.Running());
  struct Row {
    const char* path;
    int32_t result;
    const char* message;  // a part of the message
    const char* kept;     // the file left in the scratch folder, or null
  } rows[] = {
      {"/pic/a.png", kFetchDone, "", "Downloads/a.png"},
      {"/redirect/5/302/pic/r5.png", kFetchDone, "", "Downloads/r5.png"},
      {"/redirect/6/301/pic/r6.png", kFetchTransportError, "Number of redirects hit maximum amount", nullptr},
      {"/status/404", kFetchStatusError, "HTTP/1.1 404 Not Found", nullptr},
      {"/status/500", kFetchStatusError, "HTTP/1.1 500", nullptr},
      {"/to/file%3A%2F%2F%2Fetc%2Fpasswd", kFetchTransportError, "no http or https URL", nullptr},
      {"/liar", kFetchTransportError, "", nullptr},
      {"/endless", kFetchTransportError, "larger than the download limit", nullptr},
      {"/stall", kFetchTransportError, "", nullptr},
      {"/text/a.txt", kFetchStatusError, "no picture", nullptr},
  };
  options_.sizeLimit = 1 << 20;
  options_.stallTimeout = 1;
  URLFetcher fetcher;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    std::set<std::string> before = Files();
    const DownloadCacheEntry* entry = nullptr;
    std::string message;
    EXPECT_EQ(fetcher.FetchURL(entry, server_.URL(row.path), message, options_), row.result);
    EXPECT_NE(message.find(row.message), std::string::npos) << message;
    std::set<std::string> added;
    for (const std::string& f : Files())
      if (!before.count(f)) added.insert(f);
    EXPECT_EQ(added, row.kept ? std::set<std::string>{row.kept} : std::set<std::string>{});
    if (!row.kept) continue;
    struct stat st {};
    ASSERT_EQ(::stat((scratch_ / row.kept).c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, kServerTime);
    EXPECT_EQ(entry->serverTime, TicksFromUnixTime(kServerTime));
  }
}

// A URL is fetched once while the fetcher lives; a new fetcher asks whether the kept file is still current
// and keeps it when the server says it is.
TEST_F(URLFetcherTest, OncePerURLThenConditional) {
  ASSERT_TRUE(server_.Running());
  std::string url = server_.URL("/pic/b.png");
  const DownloadCacheEntry* entry = nullptr;
  std::string message;
  {
    URLFetcher fetcher;
    for (int i = 0; i < 3; ++i)
      ASSERT_EQ(fetcher.FetchURL(entry, url, message, options_), kFetchDone);
    EXPECT_EQ(Requests(fetcher, "/pic/b.png"), 1);
  }
  URLFetcher again;
  ASSERT_EQ(again.FetchURL(entry, url, message, options_), kFetchDone);
  EXPECT_EQ(entry->httpStatus, 304);
  EXPECT_EQ(entry->localFile, options_.downloadsFolder / "b.png");
  EXPECT_EQ(entry->serverTime, TicksFromUnixTime(kServerTime));
  EXPECT_EQ(Requests(again, "/pic/b.png"), 2);
}

// A link planted in the folder is replaced, never written through.
TEST_F(URLFetcherTest, PlantedLinksAreNotFollowed) {
  ASSERT_TRUE(server_.Running());
  fs::create_directories(options_.downloadsFolder);
  std::ofstream(scratch_ / "victim") << "keep";
  fs::create_symlink(scratch_ / "victim", options_.downloadsFolder / "c.png");
  fs::create_directory_symlink(scratch_, options_.downloadsFolder / "127.0.0.1");
  URLFetcher fetcher;
  const DownloadCacheEntry* entry = nullptr;
  std::string message;
  EXPECT_EQ(fetcher.FetchURL(entry, server_.URL("/pic/c.png"), message, options_), kFetchDone);
  options_.depth = 1;
  EXPECT_EQ(fetcher.FetchURL(entry, server_.URL("/pic/d.png"), message, options_), kFetchFileError);
  std::ifstream victim(scratch_ / "victim");
  std::string text;
  victim >> text;
  EXPECT_EQ(text, "keep");
  EXPECT_FALSE(fs::is_symlink(options_.downloadsFolder / "c.png"));
  EXPECT_FALSE(fs::exists(scratch_ / "d.png"));
}

TEST_F(URLFetcherTest, CancelLeavesNothing) {
  ASSERT_TRUE(server_.Running());
  options_.progress = [](uint64_t now, uint64_t) { return now < 100000; };
  URLFetcher fetcher;
  const DownloadCacheEntry* entry = nullptr;
  std::string message;
  EXPECT_EQ(fetcher.FetchURL(entry, server_.URL("/endless"), message, options_), kFetchCancelled);
  EXPECT_EQ(fetcher.Cache().Size(), 0u);
  EXPECT_TRUE(Files().empty());
}

// Twenty-four pictures from a server that waits 100 ms before each answer: together they cost a few waits,
// and they end where one after another would have put them.
TEST_F(URLFetcherTest, PrefetchRunsTransfersTogether) {
  TestHttpServer slow(100);
  ASSERT_TRUE(slow.Running());
  std::vector<std::string> urls;
  for (int i = 0; i < 24; ++i)
    urls.push_back(slow.URL("/pic/p" + std::to_string(i) + ".png?v=" + std::to_string(i % 3)));
  urls.push_back(urls.front());
  URLFetcher fetcher;
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(fetcher.Prefetch(urls, options_));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  std::set<std::string> together = Files();
  EXPECT_EQ(together.size(), 24u);
  fs::remove_all(options_.downloadsFolder);
  URLFetcher sequential;
  for (const std::string& url : urls) {
    const DownloadCacheEntry* entry = nullptr;
    std::string message;
    ASSERT_EQ(sequential.FetchURL(entry, url, message, options_), kFetchDone);
  }
  EXPECT_EQ(Files(), together);
}

TEST_F(URLFetcherTest, HttpsTrustsOnlyWhatItIsTold) {
  fs::path cert, key;
  if (!testing_support::MakeTestCertificate(scratch_, cert, key)) GTEST_SKIP() << "openssl is missing";
  TestHttpServer secure(0, cert, key);
  ASSERT_TRUE(secure.Running());
  URLFetcher fetcher;
  const DownloadCacheEntry* entry = nullptr;
  std::string message;
  EXPECT_EQ(fetcher.FetchURL(entry, secure.URL("/pic/s.png"), message, options_), kFetchTransportError);
  URLFetcher trusting;
  options_.caFile = cert.string();
  EXPECT_EQ(trusting.FetchURL(entry, secure.URL("/pic/s.png"), message, options_), kFetchDone) << message;
}

}  // namespace
}  // namespace kesto
