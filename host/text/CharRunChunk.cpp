// Character-run storage blocks.
#include "host/text/CharRunChunk.h"

#include <algorithm>

#include "host/db/IPMStream.h"
#include "host/text/RunAttributesCodec.h"

void CharRunChunk::SetStory(UID story) {
  if (story == story_) return;
  PreDirty();
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
  PreDirty();
  runs_ = std::move(runs);
  total_ = 0;
  for (const CharRun& r : runs_)
    total_ += r.length;
  stale_ = true;
}

void CharRunChunk::Grow(int32_t index, int32_t delta) {
  PreDirty();
  runs_[index].length += delta;
  total_ += delta;
  stale_ = true;
}

void CharRunChunk::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(story_);
  RunAttributesCodec::XferRuns(stream, runs_);
  if (stream->IsWriting()) return;
  // A block never holds more than a story can: runs past that bound are dropped.
  std::erase_if(runs_, [](const CharRun& r) { return r.length <= 0; });
  total_ = 0;
  size_t kept = 0;
  while (kept < runs_.size() && total_ + runs_[kept].length <= kMaxStoryLength)
    total_ += runs_[kept++].length;
  runs_.resize(kept);
  stale_ = true;
}
