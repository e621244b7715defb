// Walking the paragraph and character runs of a story range.
#include "kesto/writer/TextRuns.h"

#include <algorithm>

namespace kesto {

VyPAttrRunIterator::VyPAttrRunIterator(const ITextModel& story, int32_t start, int32_t end)
    : story_(story), start_(start), end_(end) {}

const VyPAttrRun* VyPAttrRunIterator::First() {
  if (start_ >= end_) return nullptr;
  index_ = story_.ParagraphIndexAt(start_);
  return Load();
}

const VyPAttrRun* VyPAttrRunIterator::Next() {
  if (run_.end >= end_) return nullptr;
  ++index_;
  return Load();
}

const VyPAttrRun* VyPAttrRunIterator::Load() {
  if (index_ >= story_.CountParagraphs()) return nullptr;
  TextRun run = story_.GetParagraphRun(index_);
  run_.start = std::max(run.start, start_);
  run_.end = std::min(run.end, end_);
  if (run_.start >= run_.end) return nullptr;
  run_.attributes.Load(run);
  return &run_;
}

}  // namespace kesto
