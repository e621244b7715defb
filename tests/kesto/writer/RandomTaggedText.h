// RandomTaggedText: random Kesto text for the writer's round trips from the reader's side: every character
// and paragraph tag with values at and beyond their limits, "$" and revert forms, style lines and
// definitions of every form between paragraphs, type styles over faces that exist and that do not, no-break
// and language over single characters, last paragraphs with and without a return. SameDocument compares
// what `pagehost inspect --json` shows of two documents' content: the main story (each character's styles
// and every attribute in force, with whether anything sets it), the styles with their own attributes and
// the swatches; numbers as the writer rounds them.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "host/db/IDataBase.h"

namespace kesto::testing_writer {

std::string RandomTaggedText(std::mt19937& rng);

// Whether documents `a` and `b` hold the same main story, styles and swatches.
::testing::AssertionResult SameDocument(IDataBase* a, IDataBase* b);

}  // namespace kesto::testing_writer
