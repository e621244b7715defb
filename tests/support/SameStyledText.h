// SameStyledText: whether two pieces of styled text (text, paragraph records, character runs) are equal, with
// what differs first when they are not.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/text/TextChunk.h"

namespace testing_support {

inline ::testing::AssertionResult SameStyledText(const StyledText& a, const StyledText& b) {
  if (a.text != b.text)
    return ::testing::AssertionFailure()
           << "the texts differ: \"" << std::string(a.text.begin(), a.text.end()) << "\" and \""
           << std::string(b.text.begin(), b.text.end()) << "\"";
  if (a.paragraphs.Count() != b.paragraphs.Count())
    return ::testing::AssertionFailure() << "paragraph counts differ";
  for (int32_t i = 0; i < a.paragraphs.Count(); ++i) {
    if (!SameRunAttributes(a.paragraphs.At(i), b.paragraphs.At(i)))
      return ::testing::AssertionFailure() << "paragraph " << i << " differs";
  }
  if (a.runs.size() != b.runs.size())
    return ::testing::AssertionFailure() << a.runs.size() << " runs, expected " << b.runs.size();
  for (size_t i = 0; i < a.runs.size(); ++i) {
    if (a.runs[i].length != b.runs[i].length ||
        !SameRunAttributes(a.runs[i].attributes, b.runs[i].attributes))
      return ::testing::AssertionFailure() << "run " << i << " differs";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace testing_support
