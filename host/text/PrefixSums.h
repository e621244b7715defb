// PrefixSums: running totals over a sequence of non-negative counts (the lengths of a story's storage
// blocks, their paragraph counts ...) with O(log n) update, prefix and search, and O(log n) appends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PrefixSums {
 public:
  // Replaces the sequence; O(n).
  void Assign(const std::vector<int64_t>& values);
  void Clear() { Assign({}); }
  void PushBack(int64_t value);
  void Add(size_t index, int64_t delta);
  void Set(size_t index, int64_t value) { Add(index, value - values_[index]); }

  size_t size() const { return values_.size(); }
  int64_t Get(size_t index) const { return values_[index]; }
  // Sum of the first `count` values.
  int64_t Prefix(size_t count) const;
  int64_t Total() const { return total_; }
  // The element that holds unit `offset` (0 <= offset < Total()): the smallest i with Prefix(i + 1) > offset.
  // Elements of zero count are passed over. Answers size() when offset >= Total().
  size_t Find(int64_t offset) const;

 private:
  std::vector<int64_t> values_;
  std::vector<int64_t> tree_;  // Fenwick tree, 1-based: tree_[i] sums values (i - lowbit(i), i]
  int64_t total_ = 0;
};
