// The file-backed clipboard: where it lives, what it keeps, and that damaged or missing files read empty.
#include "host/ui/Clipboard.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>

namespace {

// Sets environment variables for one test and puts the old values back afterwards.
class Environment {
 public:
  void Set(const char* name, std::optional<std::string> value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ~Environment() {
    for (auto& [name, value] : saved_) {
      if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
      else
        ::unsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = "pagehost-clipboard-";
    name += std::to_string(::getpid());
    name += '-';
    name += ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    environment_.Set("PAGEHOST_CLIPBOARD", (folder_ / "clipboard").string());
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
  Environment environment_;
};

TEST_F(ClipboardTest, Location) {
  struct Case {
    std::optional<std::string> clipboard, runtime, home;
    std::string expected;
  };
  const Case cases[] = {
      {"/tmp/a/clip", "/run/user/1", "/home/u", "/tmp/a/clip"},
      {"", "/run/user/1", "/home/u", "/run/user/1/pagehost/clipboard"},
      {std::nullopt, "/run/user/1", "/home/u", "/run/user/1/pagehost/clipboard"},
      {std::nullopt, std::nullopt, "/home/u", "/home/u/.cache/pagehost/clipboard"},
      {std::nullopt, "", "/home/u", "/home/u/.cache/pagehost/clipboard"},
      {std::nullopt, std::nullopt, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    environment_.Set("PAGEHOST_CLIPBOARD", c.clipboard);
    environment_.Set("XDG_RUNTIME_DIR", c.runtime);
    environment_.Set("HOME", c.home);
    EXPECT_EQ(std::filesystem::path(c.expected), Clipboard::Location());
  }
}

TEST_F(ClipboardTest, ContentsRoundTrip) {
  ClipboardContents text;
  text.text.emplace(u"caf\xE9 \U0001F600\r\n");
  ClipboardContents host;
  host.hostData.emplace(std::vector<uint8_t>{0, 1, 2, 255});
  ClipboardContents both = host;
  both.text.emplace(u"x");
  ClipboardContents emptyText;
  emptyText.text.emplace();
  ClipboardContents emptyHost;
  emptyHost.hostData.emplace();
  for (const ClipboardContents& contents : {ClipboardContents{}, text, host, both, emptyText, emptyHost}) {
    ASSERT_TRUE(Clipboard::Write(contents));
    ClipboardContents read;
    ASSERT_TRUE(Clipboard::Read(read));
    EXPECT_EQ(contents.text, read.text);
    EXPECT_EQ(contents.hostData, read.hostData);
  }
  // Nothing is left beside the clipboard from replacing it.
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder_), {}));
}

TEST_F(ClipboardTest, TextAndHostDataReplaceEachOther) {
  ASSERT_TRUE(Clipboard::SetText(u"tagged text"));
  EXPECT_TRUE(Clipboard::HasText());
  EXPECT_FALSE(Clipboard::HoldsHostData());
  const uint8_t data[] = {9, 9};
  ASSERT_TRUE(Clipboard::SetHostData(data));
  EXPECT_FALSE(Clipboard::HasText());
  EXPECT_TRUE(Clipboard::HoldsHostData());
  ASSERT_TRUE(Clipboard::SetText(u"again"));
  EXPECT_FALSE(Clipboard::HoldsHostData());
  ASSERT_TRUE(Clipboard::Clear());
  EXPECT_FALSE(Clipboard::HasText());
}

TEST_F(ClipboardTest, DamagedFilesReadEmpty) {
  const std::string damaged[] = {
      "",
      "PHC",
      "XXXX\x01",
      std::string("PHCB\x02", 5),
      std::string("PHCB\x01T\x03\x00\x00\x00", 10) + "abc",           // odd text length
      std::string("PHCB\x01T\x08\x00\x00\x00", 10) + "ab",            // runs past the end
      std::string("PHCB\x01Q\x00\x00\x00\x00", 10),                   // unknown record
      std::string("PHCB\x01T\x00\x00\x00\x00T\x00\x00\x00\x00", 15),  // text twice
      std::string("PHCB\x01T\x00\x00", 8),                            // cut record header
  };
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE(bytes.size());
    std::ofstream(folder_ / "clipboard", std::ios::binary) << bytes;
    ClipboardContents read;
    read.text.emplace(u"stale");
    EXPECT_TRUE(Clipboard::Read(read));
    EXPECT_TRUE(read.IsEmpty());
  }
}

TEST_F(ClipboardTest, MissingAndUnreadableClipboards) {
  ClipboardContents read;
  EXPECT_TRUE(Clipboard::Read(read));
  EXPECT_TRUE(read.IsEmpty());
  EXPECT_FALSE(Clipboard::HasText());

  // A folder where the clipboard should be cannot be read, nor replaced.
  std::filesystem::create_directories(folder_ / "clipboard");
  EXPECT_FALSE(Clipboard::Read(read));
  EXPECT_FALSE(Clipboard::SetText(u"x"));
}

TEST_F(ClipboardTest, WritingCreatesTheFolder) {
  environment_.Set("PAGEHOST_CLIPBOARD", (folder_ / "a" / "b" / "clipboard").string());
  ASSERT_TRUE(Clipboard::SetText(u"deep"));
  ClipboardContents read;
  ASSERT_TRUE(Clipboard::Read(read));
  EXPECT_EQ(WideString(u"deep"), read.text);
}

}  // namespace
