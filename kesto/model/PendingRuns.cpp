// Recording, cutting and merging pending runs.
#include "kesto/model/PendingRuns.h"

#include <algorithm>
#include <string>

#include "host/text/MergeRuns.h"

namespace kesto {

// Splits the run that holds `at` so that a run starts there; answers the index of that run (runs.size()
// when `at` is the end). The search starts from the end, where the reader works: a paragraph of many runs
// costs no more per run than a short one.
template <class Run>
size_t PendingRuns::SplitAt(std::vector<Run>& runs, int32_t at, int32_t total) {
  int32_t end = total;
  for (size_t i = runs.size(); i-- > 0;) {
    int32_t start = end - runs[i].length;
    if (at == end) return i + 1;
    if (at > start) {
      Run tail = runs[i];
      tail.length = end - at;
      runs[i].length = at - start;
      runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
      return i + 1;
    }
    end = start;
  }
  return 0;
}

// Merges equal neighbours among runs [first, last) and the run on each side of them.
template <class Run, class Same>
void PendingRuns::MergeAround(std::vector<Run>& runs, size_t first, size_t last, Same same) {
  size_t from = first > 0 ? first - 1 : 0;
  size_t to = std::min(last + 1, runs.size());
  size_t out = from;
  for (size_t i = from; i < to; ++i) {
    if (runs[i].length <= 0) continue;
    if (out > from && same(runs[out - 1], runs[i])) {
      runs[out - 1].length += runs[i].length;
    } else if (out != i) {
      runs[out++] = std::move(runs[i]);
    } else {
      ++out;
    }
  }
  runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(out), runs.begin() + static_cast<std::ptrdiff_t>(to));
}

template <class Run, class Same>
void PendingRuns::Merge(std::vector<Run>& runs, Same same) {
  MergeRuns(
      runs, [](Run& run) -> int32_t& { return run.length; }, same);
}

namespace {
bool SameStyle(const PendingRuns::StyleRun& a, const PendingRuns::StyleRun& b) {
  return a.style == b.style;
}
bool SameOverrides(const PendingRuns::OverrideRun& a, const PendingRuns::OverrideRun& b) {
  return a.list == b.list;
}
}  // namespace

uint32_t PendingRuns::IndexOf(const AttrListRef& list) {
  for (const auto& [known, index] : recentIndex_) {
    if (known == list.get()) return index;
  }
  auto [found, added] = listIndex_.try_emplace(list.get(), static_cast<uint32_t>(lists_.size()));
  if (added) lists_.push_back(list);
  recentIndex_[nextRecentIndex_++ % recentIndex_.size()] = {list.get(), found->second};
  return found->second;
}

namespace {
// Lists of the same attribute objects hash alike.
size_t ObjectsHash(const AttributeBossList& list) {
  size_t hash = static_cast<size_t>(list.CountBosses());
  for (int32_t n = 0; n < list.CountBosses(); ++n)
    hash = (hash * 0x9E3779B97F4A7C15ull) ^ reinterpret_cast<uintptr_t>(list.GetNth(n));
  return hash;
}
}  // namespace

uint32_t PendingRuns::SharedIndexOf(const AttributeBossList& overrides) {
  size_t key = ObjectsHash(overrides);
  auto [first, last] = aliases_.equal_range(key);
  for (auto it = first; it != last; ++it) {
    if (it->second.objects.HoldsSameObjects(overrides)) return it->second.index;
  }
  uint32_t index = IndexOf(recent_.Get(overrides));
  if (aliases_.size() >= kMaxAliases) aliases_.clear();
  aliases_.emplace(key, Alias{overrides, index});
  return index;
}

void PendingRuns::ForgetListsWhenEmpty() {
  if (!overrides_.empty() || lists_.empty()) return;
  lists_.clear();
  listIndex_.clear();
  recentIndex_ = {};
  aliases_.clear();
}

void PendingRuns::Record(int32_t at, int32_t length, UID style, const AttributeBossList& overrides) {
  if (length <= 0) return;
  at = std::clamp(at, 0, length_);
  // Appending at the end is the common case: grow the last runs when they are equal.
  if (at == length_ && !styles_.empty() && styles_.back().style == style) {
    styles_.back().length += length;
  } else {
    size_t i = SplitAt(styles_, at, length_);
    styles_.insert(styles_.begin() + static_cast<std::ptrdiff_t>(i), StyleRun{length, style});
  }
  // The same attribute objects tell without comparing values; otherwise, since shared lists are one object
  // per value, the shared list's pointer tells.
  const bool appending = at == length_ && !overrides_.empty();
  if (appending && lists_[overrides_.back().list]->HoldsSameObjects(overrides)) {
    overrides_.back().length += length;
  } else if (appending && overrides_.size() >= 2 &&
             lists_[overrides_[overrides_.size() - 2].list]->HoldsSameObjects(overrides)) {
    // Runs that alternate (a toggle on and off) take the list of the run before the last.
    overrides_.push_back({length, overrides_[overrides_.size() - 2].list});
  } else if (uint32_t shared = SharedIndexOf(overrides); appending && overrides_.back().list == shared) {
    overrides_.back().length += length;
  } else if (at == length_) {
    overrides_.push_back({length, shared});
  } else {
    size_t i = SplitAt(overrides_, at, length_);
    overrides_.insert(overrides_.begin() + static_cast<std::ptrdiff_t>(i), OverrideRun{length, shared});
  }
  length_ += length;
  if (at != length_ - length) {
    Merge(styles_, SameStyle);
    Merge(overrides_, SameOverrides);
  }
}

void PendingRuns::Cut(int32_t at, int32_t length) {
  at = std::clamp(at, 0, length_);
  length = std::clamp(length, 0, length_ - at);
  if (length == 0) return;
  auto cut = [&](auto& runs) {
    size_t first = SplitAt(runs, at, length_);
    size_t last = SplitAt(runs, at + length, length_);
    runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(first),
               runs.begin() + static_cast<std::ptrdiff_t>(last));
  };
  cut(styles_);
  cut(overrides_);
  length_ -= length;
  Merge(styles_, SameStyle);
  Merge(overrides_, SameOverrides);
  ForgetListsWhenEmpty();
}

void PendingRuns::ApplyAttribute(int32_t at, int32_t length, const ITextAttribute* attribute) {
  at = std::clamp(at, 0, length_);
  length = std::clamp(length, 0, length_ - at);
  if (length == 0 || !attribute) return;
  size_t first = SplitAt(overrides_, at, length_);
  size_t last = SplitAt(overrides_, at + length, length_);
  for (size_t i = first; i < last; ++i) {
    AttributeBossList list = *lists_[overrides_[i].list];
    (void)list.ApplyAttribute(attribute);
    overrides_[i].list = IndexOf(MakeAttrListRef(std::move(list)));
  }
  MergeAround(overrides_, first, last, SameOverrides);
}

void PendingRuns::Reset() {
  start_ += length_;
  length_ = 0;
  styles_.clear();
  overrides_.clear();
  ForgetListsWhenEmpty();
}

std::string PendingRuns::Check() const {
  int32_t styleSum = 0, overrideSum = 0;
  for (size_t i = 0; i < styles_.size(); ++i) {
    if (styles_[i].length <= 0) return "empty style run " + std::to_string(i);
    if (i > 0 && SameStyle(styles_[i - 1], styles_[i])) return "equal style runs at " + std::to_string(i);
    styleSum += styles_[i].length;
  }
  for (size_t i = 0; i < overrides_.size(); ++i) {
    if (overrides_[i].length <= 0) return "empty override run " + std::to_string(i);
    if (i > 0 && SameOverrides(overrides_[i - 1], overrides_[i]))
      return "equal override runs at " + std::to_string(i);
    overrideSum += overrides_[i].length;
  }
  if (styleSum != length_ || overrideSum != length_) return "run lengths do not add up to the pending length";
  return {};
}

}  // namespace kesto
