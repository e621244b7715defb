// ParagraphRuns: the paragraph records of a text block or a piece of styled text, one per paragraph return,
// kept as runs of equal records. Paragraph after paragraph mostly has the same style and overrides: a row of
// empty paragraphs or breaks then holds one record, not thousands, and a record is still found by its index
// in logarithmic time.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "host/text/RunAttributes.h"

class ParagraphRuns {
 public:
  using Record = RunAttributes;

  int32_t Count() const { return ends_.empty() ? 0 : ends_.back(); }
  // The record of paragraph `index` (0 <= index < Count()); valid until the runs change.
  const Record& At(int32_t index) const;
  void Set(int32_t index, Record record);
  // Inserts `records`, or the paragraphs of `runs`, before paragraph `index` (0 <= index <= Count()).
  void Insert(int32_t index, std::span<Record> records);
  void Insert(int32_t index, ParagraphRuns runs);
  // Adds `count` paragraphs taking `record` at the end (count > 0).
  void Append(Record record, int32_t count = 1);
  // Removes the paragraphs [first, last).
  void Erase(int32_t first, int32_t last);
  void Assign(std::span<Record> records);
  // The paragraphs [first, last).
  ParagraphRuns Slice(int32_t first, int32_t last) const;
  // Grows or shrinks to `count` paragraphs; new ones copy the last record (or are empty when none).
  void Resize(int32_t count);
  void ShrinkToFit() {
    runs_.shrink_to_fit();
    ends_.shrink_to_fit();
  }
  size_t CountRuns() const { return runs_.size(); }
  // Calls `visit(count, record)` for each run in order.
  template <class Visit>
  void ForEachRun(Visit&& visit) const {
    for (const Run& run : runs_)
      visit(run.count, run.record);
  }

 private:
  struct Run {
    int32_t count;
    Record record;
  };
  // The run holding paragraph `index`.
  size_t RunOf(int32_t index) const;
  // Splits runs so that one starts at paragraph `index`; answers that run's position (runs_.size() at the
  // end).
  size_t SplitAt(int32_t index);
  // Merges equal neighbours and recomputes the ends.
  void Normalise();

  std::vector<Run> runs_;
  std::vector<int32_t> ends_;  // paragraphs up to the end of each run
};
