#include "host/app/LayoutOperationWords.h"

#include <gtest/gtest.h>

// Options are taken out wherever they stand, values with them; what is left keeps its order, and an option
// the operation never asked for is named as the problem.
TEST(LayoutOperationWordsTest, TakesOptionsOutAndNamesUnknownOnes) {
  LayoutOperationWords words({"Body", "--previous", "1", "--default", "2", "--default", "--later"});
  EXPECT_EQ(words.Value("--previous"), "1");
  EXPECT_EQ(words.Value("--continue"), std::nullopt);
  EXPECT_TRUE(words.Flag("--default"));
  EXPECT_FALSE(words.Flag("--default"));
  std::string problem;
  EXPECT_EQ(words.Positional(problem), (std::vector<std::string>{"Body", "2", "--later"}));
  EXPECT_EQ(problem, "unknown option '--later'");
  // A value option as the last word has no value: it stays, to be reported.
  LayoutOperationWords last({"x", "--to"});
  EXPECT_EQ(last.Value("--to"), std::nullopt);
  last.Positional(problem);
  EXPECT_EQ(problem, "unknown option '--to'");
}
