// Translation table files: the folders searched for them, and what their lines add to a table (header,
// comments, tabs, escapes, encodings and limits); and tables loaded by <&tt…> tags.
#include "kesto/reader/TranslationFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TranslationTable.h"
#include "kesto/streams/FileSystemErrors.h"
#include "tests/kesto/reader/ExtensionTestSupport.h"
#include "tests/support/TempFolder.h"

namespace kesto {
namespace {

using testing_reader::ExpectRows;

// Sets environment variables for the life of the object and puts the old values back.
class Environment {
 public:
  void Set(const char* name, const std::optional<std::string>& value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ~Environment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second)
        ::setenv(it->first.c_str(), it->second->c_str(), 1);
      else
        ::unsetenv(it->first.c_str());
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// What the table makes of `text`: "source=target" for the longest source at its start, "-" for none.
std::string Probe(const TranslationTable& table, std::u32string_view text) {
  const int32_t* target = nullptr;
  int32_t count = 0;
  int32_t length = table.Match(reinterpret_cast<const int32_t*>(text.data()),
                               static_cast<int32_t>(text.size()), target, count);
  if (length == 0) return "-";
  std::string out;
  for (char32_t c : text.substr(0, static_cast<size_t>(length)))
    out += c < 0x80 ? std::string(1, static_cast<char>(c)) : "U+" + std::to_string(c);
  out += "=";
  for (int32_t i = 0; i < count; ++i)
    out += target[i] < 0x80 ? std::string(1, static_cast<char>(target[i])) : "U+" + std::to_string(target[i]);
  return out;
}

TEST(TranslationFileTest, LinesAddWhatTheySay) {
  std::string longSource(TranslationTable::kMaxSourceLength + 1, 'x');
  std::string longTarget(TranslationTable::kMaxTargetLength + 1, 'x');
  struct Row {
    const char* name;
    std::string bytes;
    bool escapes;
    int32_t error;
    int32_t size;
    std::vector<std::pair<std::u32string, std::string>> probes;
  } rows[] = {
      {"tabs and comments",
       "#header\ra\tA\rab\t\tAB\textra\r#comment\tline\rc\tC#no\rd#x\tD\r",
       false,
       0,
       4,
       {{U"ab", "ab=AB"}, {U"a", "a=A"}, {U"c", "c=C"}, {U"d", "d="}, {U"#", "-"}}},
      {"line ends", "%\r\nx\tX\ny\tY\r\n", false, 0, 2, {{U"x", "x=X"}, {U"y", "y=Y"}}},
      {"escapes",
       "#\r\\t\tTAB\r\\\\\tBS\r\\q\tQ\ra\\\tB\r",
       true,
       0,
       3,
       {{U"\t", "\t=TAB"}, {U"\\", "\\=BS"}, {U"aB", "aB="}, {U"q", "-"}}},
      {"no escapes", "#\r\\t\tTAB\r", false, 0, 1, {{U"\\t", "\\t=TAB"}, {U"\t", "-"}}},
      {"an 8-bit file", "#\r\x8E\tE\r", false, 0, 1, {{U"\u017D", "U+381=E"}}},
      {"a header naming the encoding", "#e0\r\x8E\tE\r", false, 0, 1, {{U"\u00E9", "U+233=E"}}},
      {"a byte-order mark", "\xEF\xBB\xBF#e0\r\xC3\xA9\tE\r", false, 0, 1, {{U"\u00E9", "U+233=E"}}},
      {"non-characters",
       "#\r\xEF\xB7\x90"
       "a\tA\r",
       false,
       0,
       1,
       {{U"a", "a=A"}}},
      {"a source too long",
       "#\r" + longSource + "\tX\ry\tY\r",
       false,
       kScanTranslationSourceTooLong,
       1,
       {{U"y", "y=Y"}}},
      {"a target too long",
       "#\rx\t" + longTarget + "\ry\tY\r",
       false,
       kScanTranslationTargetTooLong,
       1,
       {{U"x", "-"}}},
      {"a header only", "#", false, 0, 0, {}},
      {"no last line end", "#\rz\tZ", false, 0, 1, {{U"z", "z=Z"}}},
  };
  testing_support::TempFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    WriteFile(folder / "table.txt", row.bytes);
    TranslationTable table;
    EXPECT_EQ(row.error,
              ReadTranslationFile(folder / "table.txt", StreamEncoding::kWindowsLatin, row.escapes, table));
    EXPECT_EQ(row.size, table.Size());
    for (const auto& [text, expected] : row.probes)
      EXPECT_EQ(expected, Probe(table, text));
  }
  TranslationTable table;
  EXPECT_EQ(kFileNotFoundErr,
            ReadTranslationFile(folder / "missing.txt", StreamEncoding::kWindowsLatin, false, table));
}

class TranslationFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    environment_.Set("XDG_DATA_HOME", (folder_ / "data").string());
    environment_.Set("XDG_DATA_DIRS",
                     (folder_ / "system1").string() + ":relative:" + (folder_ / "system2").string());
    environment_.Set("XDG_CONFIG_HOME", (folder_ / "config").string());
  }
  std::string Found(std::u16string_view name, ITagScannerAgent* agent = nullptr) {
    std::filesystem::path path;
    int32_t result = FindTranslationFile(agent, name, path);
    if (result != 0) return std::to_string(result);
    return std::filesystem::relative(path, folder_.Path()).string();
  }

  testing_support::TempFolder folder_;
  Environment environment_;
};

TEST_F(TranslationFolderTest, TheFirstFolderHoldingTheFileWins) {
  EXPECT_EQ("-43", Found(u"t.txt"));
  WriteFile(folder_ / "config/Kesto/t.txt", "#");
  EXPECT_EQ("config/Kesto/t.txt", Found(u"t.txt"));
  WriteFile(folder_ / "system2/Kesto/t.txt", "#");
  EXPECT_EQ("system2/Kesto/t.txt", Found(u"t.txt"));
  WriteFile(folder_ / "system1/Kesto/t.txt", "#");
  EXPECT_EQ("system1/Kesto/t.txt", Found(u"t.txt"));
  // A folder of that name does not count.
  std::filesystem::create_directories(folder_ / "data/Kesto/t.txt");
  EXPECT_EQ("system1/Kesto/t.txt", Found(u"t.txt"));
  WriteFile(folder_ / "data/Kesto/sub/u.txt", "#");
  EXPECT_EQ("data/Kesto/sub/u.txt", Found(u"sub/u.txt"));
  EXPECT_EQ("-43", Found(u""));
  EXPECT_EQ("-43", Found(u"/no/such/table.txt"));
}

TEST_F(TranslationFolderTest, TheAgentIsAskedFirst) {
  class Agent : public CTagScannerAgent {
   public:
    KestoResult ResolveFileReference(WideString& uri, std::u16string_view) override {
      uri = answer;
      return answer.empty() ? -43 : 0;
    }
    WideString answer;
  } agent;
  WriteFile(folder_ / "config/Kesto/t.txt", "#");
  WriteFile(folder_ / "beside input/t.txt", "#");
  agent.answer = WideFromUtf8("file://" + (folder_ / "beside%20input/t.txt").string());
  EXPECT_EQ("beside input/t.txt", Found(u"t.txt", &agent));
  agent.answer = WideFromUtf8("http://example.com/t.txt");
  EXPECT_EQ("config/Kesto/t.txt", Found(u"t.txt", &agent));
  agent.answer.clear();
  EXPECT_EQ("config/Kesto/t.txt", Found(u"t.txt", &agent));
}

TEST(TranslationFoldersTest, DefaultsFollowTheHomeFolder) {
  Environment environment;
  environment.Set("HOME", "/home/someone");
  for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME"})
    environment.Set(name, std::nullopt);
  std::vector<std::filesystem::path> folders = TranslationFolders();
  ASSERT_EQ(5u, folders.size());
  EXPECT_EQ("Kesto", folders[0].filename());
  std::vector<std::filesystem::path> rest(folders.begin() + 1, folders.end());
  EXPECT_EQ((std::vector<std::filesystem::path>{"/home/someone/.local/share/Kesto", "/usr/local/share/Kesto",
                                                "/usr/share/Kesto", "/home/someone/.config/Kesto"}),
            rest);
  environment.Set("HOME", std::nullopt);
  EXPECT_EQ(3u, TranslationFolders().size());
}

TEST_F(TranslationFolderTest, TagsLoadTablesFromTheFolders) {
  WriteFile(folder_ / "data/Kesto/t.txt", "#\ra\tA\r\\t\tT\r");
  ExpectRows({
      {"from the character after the tag", u"a<&tt\"t.txt\">a\\t", u"aAT", ""},
      {"escapes", u"<&tt2\"t.txt\">a\t", u"AT", ""},
      {"a table replaces the one before", u"<&tte(b,B)><&ttw\"t.txt\">ab", u"Ab", ""},
      {"a missing table leaves none", u"<&tte(b,B)><&ttw\"missing.txt\">ab", u"ab", ""},
      {"no name", u"<&tte(b,B)><&tt$>b", u"b", "E16:&tt"},
  });
}

}  // namespace
}  // namespace kesto
