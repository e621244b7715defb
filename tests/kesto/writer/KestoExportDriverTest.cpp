// Whole exports through the driver and the provider: what a failing destination, a story that is not
// there and bad options answer, and that the provider the host finds writes bytes and files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/app/IExportProvider.h"
#include "host/core/Registry.h"
#include "kesto/services/KestoExportProvider.h"
#include "kesto/services/KestoHostCodes.h"
#include "kesto/streams/FileSystemErrors.h"
#include "tests/kesto/writer/WriterTestSupport.h"
#include "tests/support/TempFolder.h"

namespace kesto::testing_writer {
namespace {

TEST(KestoExportDriverTest, FailuresAreAnsweredWithTheirCodes) {
  ScopedDocument doc;
  ASSERT_EQ(0, doc.Import("some text"));
  KestoExportParams params;
  params.story = doc.Story();
  // A string agent without a string refuses every byte.
  VyCharStringStreamAgent nowhere(nullptr);
  EXPECT_NE(0, RunKestoExport(&nowhere, doc.Db(), params));
  std::string bytes;
  VyCharStringStreamAgent agent(&bytes);
  params.story = UID(99999);
  EXPECT_EQ(kParamErr, RunKestoExport(&agent, doc.Db(), params));
  EXPECT_EQ(kParamErr, RunKestoExport(nullptr, doc.Db(), params));
}

TEST(KestoExportDriverTest, TheProviderWritesBytesAndFilesAndRefusesBadOptions) {
  ScopedDocument doc;
  ASSERT_EQ(0, doc.Import("a <z14>b"));
  ASSERT_EQ(kSuccess, RegisterKestoExportProvider(Registry::Get()));
  InterfacePtr<IExportProvider> provider = FindExportProvider("kesto");
  ASSERT_TRUE(provider);

  std::string bytes;
  ExportRequest request;
  request.story = UIDRef(doc.Db(), doc.Story());
  request.bytes = &bytes;
  request.options = {{"fragment", "on"}, {"encoding", "windows-latin"}};
  ExportOutcome outcome = provider->Export(request);
  EXPECT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_EQ("@$:a <z14>b", bytes);

  const struct {
    const char* name;
    std::map<std::string, std::string> options;
  } kBad[] = {{"encoding", {{"encoding", "ebcdic"}}}, {"switch", {{"compact", "yes"}}}};
  for (const auto& row : kBad) {
    SCOPED_TRACE(row.name);
    request.options = row.options;
    outcome = provider->Export(request);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(HostErrorCode(kParamErr), outcome.code);
  }

  testing_support::TempFolder folder;
  request.bytes = nullptr;
  request.options = {};
  request.file = folder.Path() / "out.txt";
  outcome = provider->Export(request);
  EXPECT_TRUE(outcome.succeeded) << outcome.message;
  std::ifstream file(request.file, std::ios::binary);
  EXPECT_EQ(
      std::string("\xEF\xBB\xBF") + std::string(kUtf8Header) + "@NormalParagraphStyle=[S\"\"]\r\n@$:a <z14>b",
      std::string(std::istreambuf_iterator<char>(file), {}));
  request.file = folder.Path() / "no" / "such" / "folder.txt";
  outcome = provider->Export(request);
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_NE(std::string::npos, outcome.message.find("folder.txt")) << outcome.message;
}

}  // namespace
}  // namespace kesto::testing_writer
