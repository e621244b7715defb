// A story's character runs over storage blocks.
#include "host/text/CharacterStrand.h"

#include <algorithm>
#include <unordered_set>

#include "host/core/ObjectModel.h"
#include "host/text/MergeRuns.h"

namespace {

constexpr size_t kMaxRuns = CharRunChunk::kMaxRuns;

void Canonicalize(std::vector<CharRun>& runs) {
  MergeRuns(
      runs, [](CharRun& run) -> int32_t& { return run.length; },
      [](const CharRun& a, const CharRun& b) { return SameRunAttributes(a.attributes, b.attributes); });
}

TextRun MakeRun(int64_t start, const CharRun& run) {
  return {static_cast<int32_t>(start), static_cast<int32_t>(start + run.length), run.attributes.style,
          run.attributes.overrides};
}

}  // namespace

void CharacterStrand::Rebuild() {
  chunks_ = LoadStoryBlocks<ICharRunChunk>(storage_, uids_, kCharRunChunkBoss, kMaxStoryLength,
                                           [](ICharRunChunk* face, UID& story) -> int64_t {
                                             CharRunChunk* chunk = CharRunChunk::From(face);
                                             if (!chunk || chunk->CountRuns() == 0) return 0;
                                             story = chunk->GetStory();
                                             return chunk->Total();
                                           });
  Recount();
}

void CharacterStrand::Recount() {
  std::vector<int64_t> lengths(chunks_.size());
  std::vector<int64_t> counts(chunks_.size());
  for (size_t i = 0; i < chunks_.size(); ++i) {
    lengths[i] = Chunk(i)->Total();
    counts[i] = Chunk(i)->CountRuns();
  }
  lengths_.Assign(lengths);
  counts_.Assign(counts);
}

int32_t CharacterStrand::RunIndexAt(int32_t position) const {
  size_t k = lengths_.Find(position);
  int32_t runStart = 0;
  int32_t index = Chunk(k)->FindRun(static_cast<int32_t>(position - lengths_.Prefix(k)), runStart);
  return static_cast<int32_t>(counts_.Prefix(k)) + index;
}

TextRun CharacterStrand::RunByIndex(int32_t index) const {
  size_t k = counts_.Find(index);
  auto local = static_cast<int32_t>(index - counts_.Prefix(k));
  return MakeRun(lengths_.Prefix(k) + Chunk(k)->RunStart(local), Chunk(k)->Runs()[local]);
}

TextRun CharacterStrand::RunAt(int32_t position) const {
  size_t k = lengths_.Find(position);
  int32_t runStart = 0;
  int32_t index = Chunk(k)->FindRun(static_cast<int32_t>(position - lengths_.Prefix(k)), runStart);
  return MakeRun(lengths_.Prefix(k) + runStart, Chunk(k)->Runs()[index]);
}

void CharacterStrand::Visit(int32_t start, int32_t end,
                            const std::function<bool(const TextRun&)>& visit) const {
  if (chunks_.empty()) return;
  size_t k = lengths_.Find(start);
  int32_t runStart = 0;
  auto index =
      static_cast<size_t>(Chunk(k)->FindRun(static_cast<int32_t>(start - lengths_.Prefix(k)), runStart));
  int64_t position = lengths_.Prefix(k) + runStart;
  while (k < chunks_.size()) {
    const CharRun& run = Chunk(k)->Runs()[index];
    if (!visit(MakeRun(position, run))) return;
    position += run.length;
    if (position >= end) return;
    if (++index == Chunk(k)->Runs().size()) {
      ++k;
      index = 0;
    }
  }
}

void CharacterStrand::Grow(int32_t position, int32_t count) {
  size_t k = lengths_.Find(position);
  int32_t runStart = 0;
  int32_t index = Chunk(k)->FindRun(static_cast<int32_t>(position - lengths_.Prefix(k)), runStart);
  Chunk(k)->Grow(index, count);
  lengths_.Add(k, count);
}

CharacterStrand::Region CharacterStrand::Gather(int32_t from, int32_t to) const {
  Region region;
  if (chunks_.empty()) return region;
  region.first = lengths_.Find(from);
  region.end = lengths_.Find(to) + 1;
  region.start = lengths_.Prefix(region.first);
  for (size_t k = region.first; k < region.end; ++k) {
    const auto& runs = Chunk(k)->Runs();
    region.runs.insert(region.runs.end(), runs.begin(), runs.end());
  }
  return region;
}

size_t CharacterStrand::SplitAt(Region& region, int64_t position) {
  int64_t runStart = region.start;
  for (size_t i = 0; i < region.runs.size(); ++i) {
    int64_t runEnd = runStart + region.runs[i].length;
    if (runStart == position) return i;
    if (position < runEnd) {
      CharRun tail = region.runs[i];
      tail.length = static_cast<int32_t>(runEnd - position);
      region.runs[i].length = static_cast<int32_t>(position - runStart);
      region.runs.insert(region.runs.begin() + static_cast<ptrdiff_t>(i + 1), std::move(tail));
      return i + 1;
    }
    runStart = runEnd;
  }
  return region.runs.size();
}

InterfacePtr<ICharRunChunk> CharacterStrand::NewBlock() {
  IDataBase* db = storage_.GetStorageDataBase();
  InterfacePtr<ICharRunChunk> face = Instantiate<ICharRunChunk>(db, db->NewObject(kCharRunChunkBoss));
  CharRunChunk::From(face.get())->SetStory(storage_.GetStoryUID());
  return face;
}

// Existing blocks of the region are filled in order up to kMaxRuns; runs beyond their room go to new blocks
// after them and blocks left without runs are deleted. Appending thus leaves full blocks behind, and the
// block list changes (which the story must snapshot) only once per kMaxRuns new runs.
void CharacterStrand::WriteBack(Region& region) {
  Canonicalize(region.runs);
  size_t existing = region.end - region.first;
  size_t needed = (region.runs.size() + kMaxRuns - 1) / kMaxRuns;
  std::vector<InterfacePtr<ICharRunChunk>> added;
  for (size_t i = 0; i < needed; ++i) {
    size_t from = i * kMaxRuns;
    size_t to = std::min(region.runs.size(), from + kMaxRuns);
    std::vector<CharRun> part(std::make_move_iterator(region.runs.begin() + static_cast<ptrdiff_t>(from)),
                              std::make_move_iterator(region.runs.begin() + static_cast<ptrdiff_t>(to)));
    if (i < existing) {
      Chunk(region.first + i)->Assign(std::move(part));
      continue;
    }
    added.push_back(NewBlock());
    CharRunChunk::From(added.back().get())->Assign(std::move(part));
  }
  for (size_t i = 0; i < std::min(existing, needed); ++i) {
    lengths_.Set(region.first + i, Chunk(region.first + i)->Total());
    counts_.Set(region.first + i, Chunk(region.first + i)->CountRuns());
  }
  if (needed == existing) return;
  storage_.NoteBlockListChange();
  if (needed > existing && region.end == chunks_.size()) {
    for (auto& block : added) {
      uids_.push_back(::GetUID(block.get()));
      chunks_.push_back(std::move(block));
      lengths_.PushBack(Chunk(chunks_.size() - 1)->Total());
      counts_.PushBack(Chunk(chunks_.size() - 1)->CountRuns());
    }
    return;
  }
  auto at = static_cast<ptrdiff_t>(region.first + std::min(existing, needed));
  if (needed < existing) {
    auto stop = static_cast<ptrdiff_t>(region.end);
    for (ptrdiff_t i = at; i < stop; ++i)
      (void)storage_.GetStorageDataBase()->DeleteObject(uids_[static_cast<size_t>(i)]);
    uids_.erase(uids_.begin() + at, uids_.begin() + stop);
    chunks_.erase(chunks_.begin() + at, chunks_.begin() + stop);
  }
  for (auto& block : added) {
    uids_.insert(uids_.begin() + at, ::GetUID(block.get()));
    chunks_.insert(chunks_.begin() + at++, std::move(block));
  }
  Recount();
}

void CharacterStrand::Erase(int32_t start, int32_t end) {
  if (start >= end) return;
  Region region = Gather(start > 0 ? start - 1 : 0, std::min(end, Length() - 1));
  size_t first = SplitAt(region, start);
  size_t last = SplitAt(region, end);
  region.runs.erase(region.runs.begin() + static_cast<ptrdiff_t>(first),
                    region.runs.begin() + static_cast<ptrdiff_t>(last));
  WriteBack(region);
}

// Runs inserted inside one block go into it in place when it has room: an insert then costs what it adds,
// not the size of the block. The first run of a block can merge with the last of the block before it, so an
// insert at a block's start that would merge there takes the general way.
bool CharacterStrand::InsertInPlace(int32_t position, std::vector<CharRun>& runs) {
  // More runs than a block holds take the general way, which merges them once, as it writes the blocks.
  if (position >= Length() || runs.empty() || runs.size() > kMaxRuns) return false;
  Canonicalize(runs);
  size_t k = lengths_.Find(position);
  auto offset = static_cast<int32_t>(position - lengths_.Prefix(k));
  if (offset == 0 && k > 0 &&
      SameRunAttributes(Chunk(k - 1)->Runs().back().attributes, runs.front().attributes))
    return false;
  if (!Chunk(k)->Splice(offset, runs)) return false;
  int64_t added = 0;
  for (const CharRun& run : runs)
    added += run.length;
  lengths_.Add(k, added);
  counts_.Set(k, Chunk(k)->CountRuns());
  return true;
}

void CharacterStrand::Insert(int32_t position, std::vector<CharRun> runs) {
  if (InsertInPlace(position, runs)) return;
  Region region = Length() == 0 ? Region{0, 0, 0, {}}
                                : Gather(position > 0 ? position - 1 : 0, std::min(position, Length() - 1));
  size_t at = SplitAt(region, position);
  auto split = region.runs.begin() + static_cast<ptrdiff_t>(at);
  if (runs.size() > region.runs.size()) {
    // A long insert keeps its own vector: the few gathered runs join it at both ends, rather than all of it
    // being copied into the region.
    runs.insert(runs.begin(), std::make_move_iterator(region.runs.begin()), std::make_move_iterator(split));
    runs.insert(runs.end(), std::make_move_iterator(split), std::make_move_iterator(region.runs.end()));
    region.runs = std::move(runs);
  } else {
    region.runs.insert(split, std::make_move_iterator(runs.begin()), std::make_move_iterator(runs.end()));
  }
  WriteBack(region);
}

std::vector<CharRun> CharacterStrand::Transform(int32_t start, int32_t end,
                                                const std::function<void(RunAttributes&)>& change) {
  if (start >= end) return {};
  Region region = Gather(start > 0 ? start - 1 : 0, std::min(end, Length() - 1));
  size_t first = SplitAt(region, start);
  size_t last = SplitAt(region, end);
  std::vector<CharRun> before(region.runs.begin() + static_cast<ptrdiff_t>(first),
                              region.runs.begin() + static_cast<ptrdiff_t>(last));
  bool changed = false;
  for (size_t i = first; i < last; ++i) {
    change(region.runs[i].attributes);
    changed = changed || !SameRunAttributes(region.runs[i].attributes, before[i - first].attributes);
  }
  // A change that changes nothing leaves the blocks alone (and the command no undo step).
  if (!changed) return {};
  WriteBack(region);
  return before;
}

std::vector<CharRun> CharacterStrand::Replace(int32_t start, std::vector<CharRun> runs) {
  int64_t length = 0;
  for (const CharRun& run : runs)
    length += run.length;
  auto end = static_cast<int32_t>(start + length);
  if (start >= end) return {};
  Region region = Gather(start > 0 ? start - 1 : 0, std::min(end, Length() - 1));
  size_t first = SplitAt(region, start);
  size_t last = SplitAt(region, end);
  auto from = region.runs.begin() + static_cast<ptrdiff_t>(first);
  auto to = region.runs.begin() + static_cast<ptrdiff_t>(last);
  std::vector<CharRun> before(std::make_move_iterator(from), std::make_move_iterator(to));
  from = region.runs.erase(from, to);
  region.runs.insert(from, std::make_move_iterator(runs.begin()), std::make_move_iterator(runs.end()));
  WriteBack(region);
  return before;
}

std::string CharacterStrand::Check() const {
  if (uids_.size() != chunks_.size()) return "run block list and blocks differ in number";
  const CharRun* previous = nullptr;
  int64_t length = 0;
  int64_t count = 0;
  for (size_t i = 0; i < chunks_.size(); ++i) {
    CharRunChunk* chunk = Chunk(i);
    std::string where = "run block " + std::to_string(i);
    if (::GetUID(chunks_[i].get()) != uids_[i]) return where + " is not the one the list names";
    if (chunk->GetStory() != storage_.GetStoryUID()) return where + " belongs to another story";
    if (chunk->CountRuns() == 0) return where + " is empty";
    if (chunk->CountRuns() > static_cast<int32_t>(kMaxRuns)) return where + " holds too many runs";
    int64_t total = 0;
    for (const CharRun& run : chunk->Runs()) {
      if (run.length <= 0) return where + " has an empty run";
      if (!run.attributes.overrides) return where + " has a run without an override list";
      if (previous && SameRunAttributes(previous->attributes, run.attributes))
        return where + " has two neighbouring runs with equal attributes";
      previous = &run;
      total += run.length;
    }
    if (total != chunk->Total()) return where + " has a stale total";
    if (lengths_.Get(i) != total || counts_.Get(i) != chunk->CountRuns())
      return where + " disagrees with the totals";
    length += total;
    count += chunk->CountRuns();
  }
  if (lengths_.Total() != length || lengths_.Prefix(chunks_.size()) != length)
    return "run length totals are wrong";
  if (counts_.Total() != count || counts_.Prefix(chunks_.size()) != count)
    return "run count totals are wrong";
  return {};
}
