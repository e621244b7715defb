// pagehost place: the filter that claims a file reads it into a new story with the preferences' options.
#include <gtest/gtest.h>

#include "tests/cli/CliTest.h"

namespace cli_testing {
namespace {

// The preferences of a fresh user: quotes converted, no reports.
class PlaceCliTest : public CliTest {
 protected:
  PlaceCliTest() : CliTest(true) {}
};

TEST_F(PlaceCliTest, AHeaderOrAnExtensionClaimsTheFile) {
  struct Row {
    const char* name;
    std::string bytes;
    int status;
    const char* placed;  // in the new story; empty when nothing was placed
  } rows[] = {
      {"header.txt", "<v7.00><e9>\r\"quoted\" <B>bold<Q>\r", 0, "\u201Cquoted\u201D bold"},
      {"plain.kst", "kst files are Kesto text\r", 0, "kst files are Kesto text"},
      {"spaced.txt", "<v7.00> and a space", 1, ""},
      {"notes.doc", "no header", 1, ""},
  };
  ASSERT_EQ(0, Run({"new", "-o", Path("base.pgd")}).status);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string out = Path(std::string(row.name) + ".pgd");
    ProgramResult r = Run({"place", Write(row.name, row.bytes), "--into", Path("base.pgd"), "-o", out});
    EXPECT_EQ(row.status, r.status) << r.err;
    if (row.status != 0) {
      EXPECT_NE(std::string::npos, r.err.find("no import filter reads this file")) << r.err;
      EXPECT_FALSE(std::filesystem::exists(out));
      continue;
    }
    // The preferences' defaults: quotes converted, no reports left in the text.
    EXPECT_NE(std::string::npos, Inspect(out).find(row.placed)) << Inspect(out);
  }
}

TEST_F(PlaceCliTest, APipeIsReadOnceAndNothingOfItIsLost) {
  RunOptions options;
  options.input = "<v7.00><e9>\rpiped text\r";
  ProgramResult r = Run({"place", "/dev/stdin", "-o", Path("piped.pgd")}, options);
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_NE(std::string::npos, Inspect(Path("piped.pgd")).find("piped text"));
}

}  // namespace
}  // namespace cli_testing
