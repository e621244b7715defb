// The Place filter's answers: the header line that claims a source surely, and file names.
#include <gtest/gtest.h>

#include "host/app/Workspace.h"
#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "kesto/services/KestoImportProvider.h"
#include "kesto/services/KestoPlugIn.h"
#include "kesto/services/SetPrefsCmd.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(KestoPlaceTest, HeaderLines) {
  struct Row {
    std::string_view head;
    bool header;
  } rows[] = {
      {"<v7.00><e9>\rtext", true},
      {"<e9><v7.00>\r", true},
      {"<v7.00><e9>\ntext", true},
      {"<v7.00><e9>\r\ntext", true},
      {"<v7.0>\r", true},
      {"<e1>\r", true},
      {"\xEF\xBB\xBF<v7.00>\r", true},
      {std::string_view("\xFF\xFE<\0e\0"
                        "9\0>\0\r\0",
                        12),
       true},
      {"<v7.00> text", false},
      {"<v7.00><e9> \r", false},
      {"<v7.000>\r", false},
      {"<v7.00>", false},
      {"<ex>\r", false},
      {"text<v7.00>\r", false},
      {"", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.head));
    EXPECT_EQ(row.header, StartsWithKestoHeader(Bytes(row.head)));
  }
}

TEST(KestoPlaceTest, FileNamesAndTheExtensionsOfThePreferences) {
  testing_support::EnsureHost();
  KestoPlugIn plugIn;
  ASSERT_EQ(kSuccess, plugIn.Register(Registry::Get()));
  Workspace::Renew();
  KestoPrefsRecord prefs = GetApplicationPrefs();
  prefs.extensionCount = 2;
  std::copy_n(u"MD", 3, prefs.extensions[1]);
  ASSERT_EQ(kSuccess, SetApplicationPrefs(prefs));
  auto provider = CreateObject<IImportProvider>(kKestoImportProviderBoss, IID_IIMPORTPROVIDER);
  ASSERT_TRUE(provider);
  EXPECT_EQ((std::vector<std::string>{"txt", "kst", "md"}), provider->GetFileExtensions());
  struct Row {
    const char* file;
    std::string_view head;
    int32_t byName, byStream;
  } rows[] = {
      {"a.txt", "<v7.00>\r", 2, 2}, {"a.txt", "plain", 2, 0}, {"a.TXT", "plain", 2, 0},
      {"a.kst", "plain", 2, 1},     {"a.md", "plain", 2, 1},  {"a.doc", "plain", 1, 0},
      {"a.doc", "<e9>\r", 1, 2},    {"", "<e9>\r", 0, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.file) + " " + std::string(row.head));
    EXPECT_EQ(row.byName, provider->CanImportFile(row.file));
    EXPECT_EQ(row.byStream, provider->CanImportStream(Bytes(row.head), row.file));
  }
}

}  // namespace
}  // namespace kesto
