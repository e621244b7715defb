// Paragraph tags through pagehost: an alignment tag inside a paragraph aligns all of it, and a bad tab
// list is reported where it stood and leaves the tab stops alone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/RunProgram.h"

using testing_support::ProgramResult;
using testing_support::RunProgram;

namespace {

class ParagraphTagsCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("paratags-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  ProgramResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), PAGEHOST_BIN);
    return RunProgram(args, {});
  }
  // Imports `text` into a new document and answers inspect --json of the result.
  std::string ImportAndInspect(const std::string& text) {
    std::string input = (dir_ / "in.txt").string(), output = (dir_ / "out.pgd").string();
    std::ofstream(input, std::ios::binary) << text;
    ProgramResult imported = Run({"import", input, "-o", output});
    EXPECT_EQ(0, imported.status) << imported.err;
    ProgramResult inspected = Run({"inspect", output, "--json"});
    EXPECT_EQ(0, inspected.status) << inspected.err;
    return inspected.out;
  }
  std::filesystem::path dir_;
};

TEST_F(ParagraphTagsCliTest, AlignmentInTheMiddleCentresTheWholeParagraph) {
  std::string json = ImportAndInspect("left <*C>centred\rnext\r");
  EXPECT_NE(
      json.find("{\"start\":0,\"end\":13,\"style\":\"NormalParagraphStyle\",\"attributes\":{\"7038\":1}}"),
      std::string::npos)
      << json;
}

TEST_F(ParagraphTagsCliTest, BadTabListIsReportedAndChangesNoTabStops) {
  std::string json = ImportAndInspect("<*t(72,0,)>a\r<*t(36,6,)>b\r");
  EXPECT_NE(json.find("\u00ABKesto error: Value out of range: tag *t param #2\u00BB"), std::string::npos)
      << json;
  // Both paragraphs keep the one stop at 72 points; none at 36 was made.
  size_t first = json.find("\"6953\":[{\"position\":72,");
  ASSERT_NE(first, std::string::npos) << json;
  EXPECT_NE(json.find("\"6953\":[{\"position\":72,", first + 1), std::string::npos) << json;
  EXPECT_EQ(json.find("\"position\":36"), std::string::npos) << json;
}

}  // namespace
