// What pagehost writes holds whole values: each number of inspect --json as the shortest text that reads
// back the same, and an export range never half a character.
#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;

using WholeValuesCliTest = cli_testing::CliTest;

TEST_F(WholeValuesCliTest, InspectWritesNumbersThatReadBackTheSame) {
  std::string doc = Path("doc.pgd"), rotated = Path("rotated.pgd");
  ASSERT_EQ(0, Run({"new", "-o", doc, "--pages", "1"}).status);
  ProgramResult made = Run({"layout", doc, "-o", doc, "frame", "--page", "1", "10,10,100,100"});
  ASSERT_EQ(0, made.status) << made.err;
  std::string frame = made.out.substr(0, made.out.find('\n'));
  const struct {
    const char* angle;
    const char* json;
  } kRows[] = {
      {"1e-305", "\"rotation\":1e-305"},   {"-2.5e-300", "\"rotation\":-2.5e-300"},
      {"12.3456", "\"rotation\":12.3456"}, {"0.1", "\"rotation\":0.1"},
      {"100000", "\"rotation\":100000"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.angle);
    ProgramResult r = Run({"layout", doc, "-o", rotated, "rotate", frame, row.angle});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_NE(std::string::npos, Inspect(rotated).find(row.json));
  }
}

TEST_F(WholeValuesCliTest, AnExportRangeNeverSplitsACharacter) {
  // Units: a 0, the pair 1 and 2, b 3.
  std::string doc = ImportedDocument("<e9>\ra\U0001F600b");
  const struct {
    const char* range;
    int status;
    std::string out;
  } kRows[] = {{"0:1", 0, "@$:a"}, {"1:3", 0, "@$:\U0001F600"}, {"0:2", 1, ""}, {"2:4", 1, ""}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.range);
    ProgramResult r = Run({"export", doc, "--fragment", "--range", row.range, "--encoding", "utf-8"});
    EXPECT_EQ(row.status, r.status) << r.err;
    EXPECT_EQ(row.out, r.out);
    EXPECT_EQ(row.status != 0, r.err.find("splits the character at units 1:3") != std::string::npos) << r.err;
  }
}

}  // namespace
