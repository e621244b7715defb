// The runs a writer walks: paragraph runs over a range of a story, and the character runs inside each
// paragraph, each with a read-only attribute agent that a K2AttributeSetMgr can be bound to. The paragraph
// iterator owns one run object that it re-positions, valid until the next call of First or Next; a character
// run handed out by the walk is valid until the next one.
#pragma once

#include <algorithm>
#include <cstdint>

#include "host/text/ITextModel.h"
#include "kesto/model/IK2AttributeAgent.h"
#include "kesto/model/VyBaseStory.h"
#include "kesto/model/VyObject.h"

namespace kesto {

// The style and the (shared, interned) overrides of one run of a strand.
class K2TextRunAttrAgent final : public IK2AttributeAgent {
 public:
  void Load(const TextRun& run) {
    style_ = run.style;
    overrides_ = run.overrides;
  }
  void Load(UID style, AttrListRef overrides) {
    style_ = style;
    overrides_ = std::move(overrides);
  }
  void SetStyle(UID style) override { style_ = style; }
  UID GetStyle() const override { return style_; }
  const AttributeBossList* GetOverrides() const override { return overrides_.get(); }
  // Runs are read, never changed.
  AttributeBossList* GetOverridesForWrite() override { return nullptr; }
  // Equal style and the same interned list: the attributes are equal.
  bool SameAs(const K2TextRunAttrAgent& other) const {
    return style_ == other.style_ && overrides_ == other.overrides_;
  }

 private:
  UID style_;
  AttrListRef overrides_ = EmptyAttributeList();
};

class VyBaseTextRun : public VyObject {
 public:
  int32_t start = 0;  // story index; end exclusive
  int32_t end = 0;
  int32_t kind = 0;  // 0 ordinary text
  K2TextRunAttrAgent attributes;
};

using VyPAttrRun = VyBaseTextRun;
using VyCAttrRun = VyBaseTextRun;

// The paragraphs that [start, end) of a story touches, each clipped to the range.
class VyPAttrRunIterator {
 public:
  VyPAttrRunIterator(const ITextModel& story, int32_t start, int32_t end);
  const VyPAttrRun* First();
  const VyPAttrRun* Next();
  // Whether the current paragraph's return is the story's final one.
  bool IsLastOfStory() const { return index_ + 1 >= story_.CountParagraphs(); }

 private:
  const VyPAttrRun* Load();

  const ITextModel& story_;
  int32_t start_, end_;
  int32_t index_ = 0;
  VyPAttrRun run_;
};

// Walks the paragraphs [start, end) of `story` touches and the character runs of each, as a writer puts them
// out: `paragraph(p)`, then `run(r)` for each of its runs, then `paragraphDone()`; it stops as soon as
// `stopped()` says so.
template <class Paragraph, class Run, class ParagraphDone, class Stopped>
void WalkStoryRuns(const ITextModel& story, int32_t start, int32_t end, Paragraph paragraph, Run run,
                   ParagraphDone paragraphDone, Stopped stopped) {
  VyPAttrRunIterator paragraphs(story, start, end);
  VyCAttrRun r;
  for (const VyPAttrRun* p = paragraphs.First(); p && !stopped(); p = paragraphs.Next()) {
    paragraph(*p);
    // The paragraph's character runs, clipped to it, in one walk of the story's runs: looking each run up by
    // its number searched the story's blocks every time.
    auto visit = [&](const TextRun& t) {
      r.start = std::max(t.start, p->start);
      r.end = std::min(t.end, p->end);
      if (r.start >= r.end || stopped()) return false;
      r.attributes.Load(t);
      run(r);
      return true;
    };
    story.VisitRuns(TextStrand::kCharacter, p->start, p->end,
                    [&visit](const TextRun& t) { return visit(t); });
    paragraphDone();
  }
}

}  // namespace kesto
