// PendingRuns: where a streaming story's pending text goes and the character attributes of its runs: the
// character-style runs and the override runs, each a list of (length, value) whose lengths add up to the
// pending length. Equal neighbours are merged as runs are recorded.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/text/AttributeBossList.h"
#include "kesto/model/RecentLists.h"

namespace kesto {

class PendingRuns {
 public:
  struct StyleRun {
    int32_t length;
    UID style;
  };
  // The list is an index into the runs' table of lists (List): a run is then eight bytes that copy without
  // touching a list's shared count, and equal indexes mean equal lists.
  struct OverrideRun {
    int32_t length;
    uint32_t list;
  };

  int32_t GetStart() const { return start_; }
  void SetStart(int32_t start) { start_ = start; }
  int32_t GetLength() const { return length_; }
  bool IsEmpty() const { return length_ == 0; }
  const std::vector<StyleRun>& StyleRuns() const { return styles_; }
  const std::vector<OverrideRun>& OverrideRuns() const { return overrides_; }
  const AttrListRef& List(uint32_t index) const { return lists_[index]; }
  size_t CountLists() const { return lists_.size(); }

  // Records `length` characters at `at` (0 .. length, relative to the pending start) with a style and
  // overrides; a run inside the pending span splits the run it falls in.
  void Record(int32_t at, int32_t length, UID style, const AttributeBossList& overrides);
  // Removes `length` characters at `at` from the runs.
  void Cut(int32_t at, int32_t length);
  // Adds `attribute` to the override lists of [at, at + length), splitting runs at the edges.
  void ApplyAttribute(int32_t at, int32_t length, const ITextAttribute* attribute);
  // Moves the start past the pending span and empties the runs.
  void Reset();
  // Lengths add up, no empty runs, no equal neighbours; empty when sound, else the fault.
  std::string Check() const;

 private:
  template <class Run>
  static size_t SplitAt(std::vector<Run>& runs, int32_t at, int32_t total);
  template <class Run, class Same>
  static void MergeAround(std::vector<Run>& runs, size_t first, size_t last, Same same);
  template <class Run, class Same>
  static void Merge(std::vector<Run>& runs, Same same);

  // The index of `list` in the table, added when it is not there yet.
  uint32_t IndexOf(const AttrListRef& list);
  // The index of the shared list equal to `overrides`: found by its attribute objects when a run took a list
  // of those very objects before (a reader puts the same frozen attributes again and again), else by value,
  // which costs a hash of every value and, for a list not made lately, the interning of a new one.
  uint32_t SharedIndexOf(const AttributeBossList& overrides);
  // Empties the table when no run is left to refer to it.
  void ForgetListsWhenEmpty();

  int32_t start_ = 0;
  int32_t length_ = 0;
  RecentLists recent_;
  std::vector<StyleRun> styles_;
  std::vector<OverrideRun> overrides_;
  std::vector<AttrListRef> lists_;  // each shared list the runs refer to, once
  std::unordered_map<const AttributeBossList*, uint32_t> listIndex_;
  std::array<std::pair<const AttributeBossList*, uint32_t>, 4> recentIndex_{};  // the last few found
  size_t nextRecentIndex_ = 0;
  // Lists as runs handed them in, keyed by their attribute objects, with the index of their shared list.
  // Each keeps its objects alive, so that an object's address stands for it. At most kMaxAliases.
  struct Alias {
    AttributeBossList objects;
    uint32_t index;
  };
  static constexpr size_t kMaxAliases = 1024;
  std::unordered_multimap<size_t, Alias> aliases_;
};

}  // namespace kesto
