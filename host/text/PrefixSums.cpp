// Fenwick-tree prefix sums.
#include "host/text/PrefixSums.h"

#include <bit>

namespace {

size_t LowBit(size_t i) {
  return i & (~i + 1);
}

}  // namespace

void PrefixSums::Assign(const std::vector<int64_t>& values) {
  values_ = values;
  tree_.assign(values.size() + 1, 0);
  total_ = 0;
  for (size_t i = 1; i <= values.size(); ++i) {
    tree_[i] += values[i - 1];
    total_ += values[i - 1];
    size_t parent = i + LowBit(i);
    if (parent <= values.size()) tree_[parent] += tree_[i];
  }
}

void PrefixSums::PushBack(int64_t value) {
  if (tree_.empty()) tree_.push_back(0);
  size_t i = values_.size() + 1;
  // The new node covers (i - lowbit(i), i]: the value plus the elements before it in that span.
  tree_.push_back(value + Prefix(i - 1) - Prefix(i - LowBit(i)));
  values_.push_back(value);
  total_ += value;
}

void PrefixSums::Add(size_t index, int64_t delta) {
  values_[index] += delta;
  total_ += delta;
  for (size_t i = index + 1; i < tree_.size(); i += LowBit(i))
    tree_[i] += delta;
}

int64_t PrefixSums::Prefix(size_t count) const {
  int64_t sum = 0;
  for (size_t i = count; i > 0; i -= LowBit(i))
    sum += tree_[i];
  return sum;
}

size_t PrefixSums::Find(int64_t offset) const {
  if (offset < 0) return 0;
  if (offset >= total_) return values_.size();
  size_t position = 0;
  int64_t remaining = offset;
  for (size_t step = std::bit_floor(values_.size()); step > 0; step >>= 1) {
    size_t next = position + step;
    if (next < tree_.size() && tree_[next] <= remaining) {
      position = next;
      remaining -= tree_[next];
    }
  }
  return position;  // `position` elements sum to at most `offset`: the next one holds it
}
