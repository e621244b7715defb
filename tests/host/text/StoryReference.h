// StoryReference: a plain model of a story (text, one record per paragraph return, one attribute set per
// character) that the story tests change alongside the real story and compare with it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/text/ITextModel.h"

namespace text_test {

using Attrs = StyledText::Attributes;

inline bool SameAttrs(const Attrs& a, const Attrs& b) {
  return a.style == b.style && SameAttributes(a.overrides, b.overrides);
}

struct StoryReference {
  std::u16string text;
  std::vector<Attrs> paragraphs;  // one per return
  std::vector<Attrs> characters;  // one per unit

  void Initialize(UID paragraphStyle, UID characterStyle) {
    text = u"\r";
    paragraphs = {{paragraphStyle, EmptyAttributeList()}};
    characters = {{characterStyle, EmptyAttributeList()}};
  }
  int32_t Length() const { return static_cast<int32_t>(text.size()); }
  int32_t ReturnsBefore(int32_t position) const {
    return static_cast<int32_t>(std::count(text.begin(), text.begin() + position, u'\r'));
  }
  int32_t ParagraphAt(int32_t position) const { return ReturnsBefore(position); }

  void Insert(int32_t position, std::u16string_view inserted) {
    bool paragraphStart = position == 0 || text[position - 1] == u'\r';
    Attrs character = characters[paragraphStart ? position : position - 1];
    Attrs paragraph = paragraphs[ParagraphAt(position)];
    auto returns = std::count(inserted.begin(), inserted.end(), u'\r');
    paragraphs.insert(paragraphs.begin() + ReturnsBefore(position), returns, paragraph);
    characters.insert(characters.begin() + position, inserted.size(), character);
    text.insert(static_cast<size_t>(position), inserted);
  }
  void Delete(int32_t start, int32_t end) {
    paragraphs.erase(paragraphs.begin() + ReturnsBefore(start), paragraphs.begin() + ReturnsBefore(end));
    characters.erase(characters.begin() + start, characters.begin() + end);
    text.erase(static_cast<size_t>(start), static_cast<size_t>(end - start));
  }
  template <class F>
  void ChangeParagraphs(int32_t start, int32_t end, F change) {
    int32_t last = std::min(std::max(end - 1, start), Length() - 1);
    for (int32_t p = ParagraphAt(std::min(start, Length() - 1)); p <= ParagraphAt(last); ++p)
      change(paragraphs[p]);
  }
  template <class F>
  void ChangeCharacters(int32_t start, int32_t end, F change) {
    for (int32_t i = start; i < end; ++i)
      change(characters[i]);
  }
};

// Compares the story with the reference: text, paragraphs with their records, and the character runs
// (each unit's attributes), plus the story's own invariant check.
inline ::testing::AssertionResult Matches(const ITextModel& story, const StoryReference& reference) {
  if (std::string fault = story.Check(); !fault.empty())
    return ::testing::AssertionFailure() << "Check: " << fault;
  if (story.TotalLength() != reference.Length())
    return ::testing::AssertionFailure()
           << "length " << story.TotalLength() << ", expected " << reference.Length();
  if (story.GetText(0, story.TotalLength()) != reference.text)
    return ::testing::AssertionFailure() << "text differs";
  if (story.CountParagraphs() != static_cast<int32_t>(reference.paragraphs.size()))
    return ::testing::AssertionFailure()
           << story.CountParagraphs() << " paragraphs, expected " << reference.paragraphs.size();
  int32_t start = 0;
  for (int32_t p = 0; p < story.CountParagraphs(); ++p) {
    TextRun run = story.GetParagraphRun(p);
    int32_t end = static_cast<int32_t>(reference.text.find(u'\r', static_cast<size_t>(start))) + 1;
    if (run.start != start || run.end != end)
      return ::testing::AssertionFailure() << "paragraph " << p << " is [" << run.start << ", " << run.end
                                           << "), expected [" << start << ", " << end << ")";
    if (!SameAttrs({run.style, run.overrides}, reference.paragraphs[p]))
      return ::testing::AssertionFailure() << "paragraph " << p << " has other attributes";
    start = end;
  }
  int32_t position = 0;
  for (int32_t r = 0; r < story.CountCharacterRuns(); ++r) {
    TextRun run = story.GetCharacterRun(r);
    if (run.start != position)
      return ::testing::AssertionFailure() << "run " << r << " starts at " << run.start;
    for (int32_t i = run.start; i < run.end; ++i) {
      if (!SameAttrs({run.style, run.overrides}, reference.characters[i]))
        return ::testing::AssertionFailure() << "character " << i << " has other attributes";
    }
    position = run.end;
  }
  if (position != reference.Length()) return ::testing::AssertionFailure() << "runs end at " << position;
  return ::testing::AssertionSuccess();
}

}  // namespace text_test
