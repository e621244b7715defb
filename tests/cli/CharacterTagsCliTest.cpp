// Character tags through pagehost import: the runs inspect --json shows for sizes, colours and special
// characters.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/RunProgram.h"

using testing_support::ProgramResult;
using testing_support::RunProgram;

namespace {

TEST(CharacterTagsCliTest, ImportedRunsCarryTheTagsAttributes) {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("chartags-cli-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  struct Row {
    const char* name;
    std::string input;
    std::string json;  // expected in inspect --json
  } rows[] = {
      {"relative size", "<z7><z.*2>x\r",
       "{\"start\":0,\"end\":2,\"style\":\"[No character style]\","
       "\"attributes\":{\"6915\":14}}"},
      {"French blue", "<cBleu>x\r", "\"attributes\":{\"6913\":\"C=100 M=90 Y=10 K=0\"}"},
      {"no-break four-per-em space", "a<\\!5>b\r",
       "{\"start\":1,\"end\":2,\"style\":\"[No character style]\",\"attributes\":{\"6948\":true}}"},
      {"bad colour reported", "<cNosuch>x\r", "Kesto error: No such color: tag c"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string input = (dir / "in.txt").string(), output = (dir / "out.doc").string();
    std::ofstream(input, std::ios::binary) << row.input;
    ProgramResult imported = RunProgram({PAGEHOST_BIN, "import", input, "-o", output});
    EXPECT_EQ(0, imported.status) << imported.err;
    ProgramResult inspected = RunProgram({PAGEHOST_BIN, "inspect", output, "--json"});
    EXPECT_NE(std::string::npos, inspected.out.find(row.json)) << inspected.out;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
