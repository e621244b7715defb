// CharRunChunk: one storage block of a story's character strand: up to a hundred-odd runs, each a length
// with a character style and overrides. A run never spans two blocks.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/text/TextChunk.h"

class ICharRunChunk : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ICHARRUNCHUNK.Get() };
};

using CharRun = StyledText::CharacterRun;

class CharRunChunk final : public CPMUnknown<ICharRunChunk> {
 public:
  // Runs a block holds before it is split.
  static constexpr int32_t kMaxRuns = 128;

  explicit CharRunChunk(Boss* boss) : CPMUnknown(boss) {}
  static CharRunChunk* From(ICharRunChunk* face) { return static_cast<CharRunChunk*>(face); }

  UID GetStory() const { return story_; }
  void SetStory(UID story);
  const std::vector<CharRun>& Runs() const { return runs_; }
  int32_t CountRuns() const { return static_cast<int32_t>(runs_.size()); }
  int64_t Total() const { return total_; }
  // The run holding `offset` (0 <= offset < Total()) and where it starts.
  int32_t FindRun(int32_t offset, int32_t& runStart) const;
  // Where run `index` starts.
  int32_t RunStart(int32_t index) const;

  void Assign(std::vector<CharRun> runs);
  // Inserts `runs` (no empty runs, no equal neighbours among them) before `offset` (0 <= offset < Total()),
  // splitting the run there and merging equal neighbours at both seams; false, changing nothing, when the
  // block would then hold more than kMaxRuns runs.
  bool Splice(int32_t offset, const std::vector<CharRun>& runs);
  void Grow(int32_t index, int32_t delta);

  // Reading drops runs of no length.
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  void Reindex() const;

  UID story_;
  std::vector<CharRun> runs_;
  int64_t total_ = 0;
  mutable std::vector<int32_t> ends_;  // end offset of each run (derived, rebuilt when stale)
  mutable bool stale_ = true;
};
