// RandomStory: random documents for the writer's round trips: text with every character the writer
// escapes, paragraphs and runs with the attributes the tag language carries, and (when asked) paragraph and
// character styles based on each other, with next styles and paired character styles. Also the comparison
// of two stories by what they look like: text, style names, and every generated attribute in force at each
// position.
#pragma once

#include <gtest/gtest.h>

#include <random>

#include "host/db/IDataBase.h"

namespace kesto::testing_writer {

struct RandomStoryOptions {
  bool styles = false;
  int maxParagraphs = 6;
  int maxRunsPerParagraph = 5;
};

// Replaces the main story `story` of `db` (a new document) with a random one drawn from `rng`.
void MakeRandomStory(IDataBase* db, UID story, std::mt19937& rng, const RandomStoryOptions& options);

// Whether story `b` of `dbB` looks like story `a` of `dbA`: same text, same style names for each paragraph
// and character, and the same value of every attribute the generator sets at every position.
::testing::AssertionResult SameLook(IDataBase* dbA, UID a, IDataBase* dbB, UID b);

}  // namespace kesto::testing_writer
