// MergeRuns: drops empty runs and merges equal neighbours in place, in one pass; `length(run)` gives a
// run's length (a reference, added to when runs merge) and `same(a, b)` says whether two runs merge.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

template <class Run, class Length, class Same>
void MergeRuns(std::vector<Run>& runs, Length length, Same same) {
  size_t out = 0;
  for (size_t i = 0; i < runs.size(); ++i) {
    if (length(runs[i]) <= 0) continue;
    if (out > 0 && same(runs[out - 1], runs[i])) {
      length(runs[out - 1]) += length(runs[i]);
    } else if (out++ != i) {
      runs[out - 1] = std::move(runs[i]);
    }
  }
  runs.resize(out);
}
