// Character-run storage blocks.
#include "host/text/CharRunChunk.h"

#include <algorithm>

#include "host/db/IPMStream.h"
#include "host/text/RunAttributesCodec.h"

void CharRunChunk::SetStory(UID story) {
  if (story == story_) return;
  if (PreDirty() != kSuccess) return;
  story_ = story;
}

void CharRunChunk::Reindex() const {
  if (!stale_) return;
  ends_.resize(runs_.size());
  int32_t end = 0;
  for (size_t i = 0; i < runs_.size(); ++i) {
    end += runs_[i].length;
    ends_[i] = end;
  }
  stale_ = false;
}

int32_t CharRunChunk::FindRun(int32_t offset, int32_t& runStart) const {
  Reindex();
  auto it = std::upper_bound(ends_.begin(), ends_.end(), offset);
  if (it == ends_.end()) --it;
  auto index = static_cast<int32_t>(it - ends_.begin());
  runStart = *it - runs_[index].length;
  return index;
}

int32_t CharRunChunk::RunStart(int32_t index) const {
  Reindex();
  return ends_[index] - runs_[index].length;
}

void CharRunChunk::Assign(std::vector<CharRun> runs) {
  if (PreDirty() != kSuccess) return;
  runs_ = std::move(runs);
  total_ = 0;
  for (const CharRun& r : runs_)
    total_ += r.length;
  stale_ = true;
}

bool CharRunChunk::Splice(int32_t offset, const std::vector<CharRun>& runs) {
  if (runs.empty()) return true;
  int32_t runStart = 0;
  auto at = static_cast<size_t>(FindRun(offset, runStart));
  bool split = offset != runStart;
  const CharRun* left = split ? &runs_[at] : at > 0 ? &runs_[at - 1] : nullptr;
  const CharRun* right = &runs_[at];
  bool mergeLeft = left && SameRunAttributes(left->attributes, runs.front().attributes);
  bool mergeRight = SameRunAttributes(runs.back().attributes, right->attributes);
  size_t count = runs_.size() + runs.size() + (split ? 1 : 0) - (mergeLeft ? 1 : 0) - (mergeRight ? 1 : 0);
  if (count > static_cast<size_t>(kMaxRuns)) return false;
  if (PreDirty() != kSuccess) return false;
  if (split) {
    CharRun tail = runs_[at];
    tail.length = runStart + runs_[at].length - offset;
    runs_[at].length = offset - runStart;
    runs_.insert(runs_.begin() + static_cast<ptrdiff_t>(++at), std::move(tail));
  }
  runs_.insert(runs_.begin() + static_cast<ptrdiff_t>(at), runs.begin(), runs.end());
  size_t last = at + runs.size() - 1;
  if (mergeRight) {
    runs_[last].length += runs_[last + 1].length;
    runs_.erase(runs_.begin() + static_cast<ptrdiff_t>(last + 1));
  }
  if (mergeLeft) {
    runs_[at - 1].length += runs_[at].length;
    runs_.erase(runs_.begin() + static_cast<ptrdiff_t>(at));
  }
  for (const CharRun& run : runs)
    total_ += run.length;
  stale_ = true;
  return true;
}

void CharRunChunk::Grow(int32_t index, int32_t delta) {
  if (PreDirty() != kSuccess) return;
  runs_[index].length += delta;
  total_ += delta;
  stale_ = true;
}

void CharRunChunk::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(story_);
  RunAttributesCodec::XferRuns(stream, runs_);
  if (stream->IsWriting()) return;
  // A block holds no empty run and never more than a story can.
  total_ = 0;
  for (const CharRun& run : runs_) {
    if (!stream->Expect(run.length > 0 && run.length <= kMaxStoryLength - total_,
                        "a character run's length is out of range")) {
      runs_.clear();
      total_ = 0;
      break;
    }
    total_ += run.length;
  }
  stale_ = true;
}
