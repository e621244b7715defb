// Where downloads go: safe names, hashes, folders from the URL; nothing a URL says leads outside the folder.
#include "kesto/layout/DownloadPath.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "host/core/WideString.h"
#include "kesto/layout/DownloadsFolder.h"
#include "kesto/layout/SafeFileName.h"

namespace kesto {
namespace {

TEST(DownloadPathTest, SafeFileNames) {
  struct Row {
    std::u16string name, safe;
    bool changed;
  } rows[] = {
      {u"a.png", u"a.png", false},
      {u"  a.png", u"a.png", true},
      {u"a:b", u"a#b", true},
      {u"a\u0001\"*<>?\\|b", u"a########b", true},
      {u"con.png", u"co#.png", true},
      {u"LPT9", u"LP#9", true},
      {u"COM0", u"COM0", false},
      {u"console.png", u"console.png", false},
      {u"a.png. . ", u"a.png", true},
      {u"..", u"#", true},
      {u"", u"#", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8FromWide(row.name));
    SafeName safe = SafeFileName(row.name);
    EXPECT_EQ(Utf8FromWide(safe.name), Utf8FromWide(row.safe));
    EXPECT_EQ(safe.changed, row.changed);
  }
  // Long names are cut by their UTF-8 bytes, so that the name and a hash fit the 255 bytes of a file name.
  SafeName longName = SafeFileName(std::u16string(200, u'\u00E9'));
  EXPECT_TRUE(longName.changed);
  EXPECT_LE(Utf8FromWide(WithHash(longName.name, 0xFFFFFFFFu)).size(), 255u);
}

TEST(DownloadPathTest, URLsMapIntoTheFolder) {
  struct Row {
    const char* url;
    int32_t depth;
    bool nameOnly;
    const char* path;  // relative to the folder; null: only kept inside it
    int32_t result;
  } rows[] = {
      {"https://H/img/a.png?x=1", 1, false, "H/a.TBKTH4.png", 0},
      {"https://H/img/a.png", 1, false, "H/a.png", 0},
      {"https://H/img/a.png?x=1", 1, true, "H/a.png", 0},
      {"https://H/img/a.png", 0, false, "a.png", 0},
      {"https://H/img/sub/a.png", kEverySegment, false, "H/img/sub/a.png", 0},
      {"http://H/img/con.png", 0, false, "co#.1JM4D0X.png", 0},
      {"http://H/a:b", 0, false, "a#b.1ES0K17", 0},
      // What would lead elsewhere stays inside: dot segments, encoded separators and dots, backslashes.
      {"http://H/../../etc/passwd", kEverySegment, false, "H/etc/passwd", 0},
      {"http://H/x/%2e%2e/%2e%2e/y", kEverySegment, false, "H/x/#/#/y", 0},
      {"http://H/a%2F..%2F..%2Fb", 0, false, nullptr, 0},
      {"http://H/a%5C..%5Cb", 0, false, nullptr, 0},
      {"http://H/%00x", 0, false, nullptr, 0},
      {"http://H/", 0, false, nullptr, 0},
      {"http://H/%C0%AE%C0%AE/x", kEverySegment, false, nullptr, 0},
      {"file:///etc/passwd", 0, false, "", kNotRemoteURI},
      {"ftp://H/a.png", 0, false, "", kNotRemoteURI},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.url);
    DownloadPath place;
    ASSERT_EQ(DownloadPathFor(place, row.url, row.nameOnly, "/downloads", row.depth), row.result);
    if (row.result != kDownloadPathDone) continue;
    std::string relative = place.Full().lexically_relative("/downloads").string();
    if (row.path) {
      EXPECT_EQ(relative, row.path);
    }
    for (const auto& part : std::filesystem::path(relative))
      EXPECT_NE(part.string().substr(0, 2), "..");
    EXPECT_EQ(place.Full().lexically_normal().string().rfind("/downloads/", 0), 0u);
  }
  DownloadPath place;
  EXPECT_EQ(DownloadPathFor(place, "http://H/a.png", false, "", 0), kNoDownloadsFolder);
  EXPECT_EQ(DownloadPathFor(place, "http://H/a.png", false, "relative", 0), kInvalidDownloadPath);
}

// The user's choice, then the folder beside a saved document, then the user's downloads folder.
TEST(DownloadPathTest, DownloadsFolderOfAnImport) {
  auto scratch = std::filesystem::temp_directory_path() / ("dlf-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch / "config");
  std::ofstream(scratch / "config" / "user-dirs.dirs")
      << "# made by a test\nXDG_DOWNLOAD_DIR=\"$HOME/Fetched\"\n";
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", scratch.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
  EXPECT_EQ(DownloadsFolderFor("/chosen", "/docs/a.pgd", u"Pictures"), "/chosen");
  EXPECT_EQ(DownloadsFolderFor("", "/docs/a.pgd", u"../up"), "/docs/..#up");
  EXPECT_EQ(DownloadsFolderFor("", "", u"Pictures"), scratch / "Fetched");
  std::ofstream(scratch / "config" / "user-dirs.dirs") << "XDG_DOWNLOAD_DIR=\"$HOME/\"\n";
  EXPECT_EQ(DownloadsFolderFor("", "", u"Pictures"), scratch / "Downloads");
  std::filesystem::remove_all(scratch);
  ::setenv("HOME", home.c_str(), 1);
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace kesto
