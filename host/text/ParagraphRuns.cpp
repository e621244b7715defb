// Paragraph records as runs.
#include "host/text/ParagraphRuns.h"

#include <algorithm>

#include "host/text/MergeRuns.h"

size_t ParagraphRuns::RunOf(int32_t index) const {
  return static_cast<size_t>(std::upper_bound(ends_.begin(), ends_.end(), index) - ends_.begin());
}

const ParagraphRuns::Record& ParagraphRuns::At(int32_t index) const {
  return runs_[RunOf(index)].record;
}

size_t ParagraphRuns::SplitAt(int32_t index) {
  size_t run = RunOf(index);
  if (run == runs_.size()) return run;
  int32_t start = ends_[run] - runs_[run].count;
  if (index == start) return run;
  Run tail{ends_[run] - index, runs_[run].record};
  runs_[run].count = index - start;
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(run + 1), std::move(tail));
  ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(run), index);
  return run + 1;
}

void ParagraphRuns::Normalise() {
  MergeRuns(
      runs_, [](Run& run) -> int32_t& { return run.count; },
      [](const Run& a, const Run& b) { return SameRunAttributes(a.record, b.record); });
  ends_.resize(runs_.size());
  int32_t end = 0;
  for (size_t i = 0; i < runs_.size(); ++i)
    ends_[i] = end += runs_[i].count;
}

void ParagraphRuns::Set(int32_t index, Record record) {
  size_t first = SplitAt(index);
  (void)SplitAt(index + 1);
  runs_[first].record = std::move(record);
  Normalise();
}

void ParagraphRuns::Insert(int32_t index, std::span<Record> records) {
  if (records.empty()) return;
  std::vector<Run> added;
  for (Record& record : records) {
    if (!added.empty() && SameRunAttributes(added.back().record, record)) {
      ++added.back().count;
    } else {
      added.push_back({1, std::move(record)});
    }
  }
  size_t at = SplitAt(index);
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(added.begin()),
               std::make_move_iterator(added.end()));
  Normalise();
}

void ParagraphRuns::Insert(int32_t index, ParagraphRuns runs) {
  if (runs.runs_.empty()) return;
  if (index == Count()) {
    for (Run& run : runs.runs_)
      Append(std::move(run.record), run.count);
    return;
  }
  size_t at = SplitAt(index);
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(runs.runs_.begin()),
               std::make_move_iterator(runs.runs_.end()));
  Normalise();
}

void ParagraphRuns::Append(Record record, int32_t count) {
  if (!runs_.empty() && SameRunAttributes(runs_.back().record, record)) {
    runs_.back().count += count;
    ends_.back() += count;
    return;
  }
  ends_.push_back(Count() + count);
  runs_.push_back({count, std::move(record)});
}

void ParagraphRuns::Erase(int32_t first, int32_t last) {
  if (first >= last) return;
  size_t from = SplitAt(first);
  size_t to = SplitAt(last);
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(from),
              runs_.begin() + static_cast<std::ptrdiff_t>(to));
  Normalise();
}

void ParagraphRuns::Assign(std::span<Record> records) {
  runs_.clear();
  ends_.clear();
  Insert(0, records);
}

ParagraphRuns ParagraphRuns::Slice(int32_t first, int32_t last) const {
  ParagraphRuns out;
  if (first >= last) return out;
  for (size_t run = RunOf(first); run < runs_.size() && ends_[run] - runs_[run].count < last; ++run) {
    int32_t start = std::max(first, ends_[run] - runs_[run].count);
    int32_t end = std::min(last, ends_[run]);
    out.runs_.push_back({end - start, runs_[run].record});
    out.ends_.push_back(end - first);
  }
  return out;
}

void ParagraphRuns::Resize(int32_t count) {
  int32_t now = Count();
  if (count < now) return Erase(count, now);
  if (count == now) return;
  Record last = runs_.empty() ? Record() : runs_.back().record;
  runs_.push_back({count - now, std::move(last)});
  Normalise();
}
