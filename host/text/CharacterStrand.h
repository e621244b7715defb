// CharacterStrand: a story's character runs, kept in a sequence of run blocks (CharRunChunk) with running
// totals of their lengths and run counts: the run at a position or with an index is found in O(log n), and
// a change rewrites only the blocks around it. The runs stay canonical across blocks: no empty runs, no
// two neighbours with equal attributes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/core/InterfacePtr.h"
#include "host/text/CharRunChunk.h"
#include "host/text/PrefixSums.h"
#include "host/text/StoryStorage.h"

class CharacterStrand {
 public:
  explicit CharacterStrand(StoryStorage& storage) : storage_(storage) {}

  // The persistent list of blocks, moved by the story's ReadWrite; Rebuild after it changed.
  std::vector<UID>& BlockUIDs() { return uids_; }
  // Re-reads the blocks the list names, dropping UIDs that name no run block of this story.
  void Rebuild();

  int32_t Length() const { return static_cast<int32_t>(lengths_.Total()); }
  int32_t CountRuns() const { return static_cast<int32_t>(counts_.Total()); }
  // Positions and indexes must lie inside the strand.
  int32_t RunIndexAt(int32_t position) const;
  TextRun RunByIndex(int32_t index) const;
  TextRun RunAt(int32_t position) const;
  // Whole runs overlapping [start, end) (the run at `start` for an empty range) until `visit` answers false.
  void Visit(int32_t start, int32_t end, const std::function<bool(const TextRun&)>& visit) const;

  // The run holding `position` grows by `count` (text inserted inside or next to it).
  void Grow(int32_t position, int32_t count);
  // Removes [start, end).
  void Erase(int32_t start, int32_t end);
  // Inserts runs before `position` (0 <= position <= Length()).
  void Insert(int32_t position, std::vector<CharRun> runs);
  // Calls `change` on the attributes of every run piece inside [start, end); answers the pieces as they
  // were (covering [start, end)), or nothing when no attribute changed.
  std::vector<CharRun> Transform(int32_t start, int32_t end,
                                 const std::function<void(RunAttributes&)>& change);
  // Replaces the runs of [start, start + length of `runs`) with `runs` (inside the strand); answers the
  // pieces that were there.
  std::vector<CharRun> Replace(int32_t start, std::vector<CharRun> runs);

  // Empty when the runs are canonical and agree with the totals, else the first fault.
  std::string Check() const;

 private:
  // The runs of blocks [first, end) (all of them), starting at story position `start`.
  struct Region {
    size_t first = 0;
    size_t end = 0;
    int64_t start = 0;
    std::vector<CharRun> runs;
  };
  CharRunChunk* Chunk(size_t index) const { return CharRunChunk::From(chunks_[index].get()); }
  // The blocks holding positions `from` to `to` (inside the strand; an empty strand gives an empty region).
  Region Gather(int32_t from, int32_t to) const;
  // Canonical form, then the runs back into the region's blocks (adding or deleting blocks as needed).
  void WriteBack(Region& region);
  // Splits the run holding `position` there; answers the index of the first run starting at `position`.
  static size_t SplitAt(Region& region, int64_t position);
  void Recount();
  InterfacePtr<ICharRunChunk> NewBlock();
  bool InsertInPlace(int32_t position, std::vector<CharRun>& runs);

  StoryStorage& storage_;
  std::vector<UID> uids_;
  std::vector<InterfacePtr<ICharRunChunk>> chunks_;
  PrefixSums lengths_;
  PrefixSums counts_;
};
