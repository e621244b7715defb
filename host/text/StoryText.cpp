// A story's text and paragraphs over storage blocks.
#include "host/text/StoryText.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

#include "host/core/ObjectModel.h"
#include "host/core/UnitSearch.h"

namespace {

int32_t CountReturns(std::u16string_view text) {
  return static_cast<int32_t>(CountUnit(text, kParagraphReturn));
}

// `content` cut into pieces of at most `size` units, each with the records of its returns.
std::vector<ChunkContent> Cut(const ChunkContent& content, size_t size) {
  std::vector<ChunkContent> pieces;
  int32_t record = 0;
  for (size_t offset = 0; offset < content.text.size(); offset += size) {
    ChunkContent piece;
    piece.text = content.text.substr(offset, size);
    int32_t returns = CountReturns(piece.text);
    piece.paragraphs = content.paragraphs.Slice(record, record + returns);
    record += returns;
    pieces.push_back(std::move(piece));
  }
  return pieces;
}

}  // namespace

void StoryText::Rebuild() {
  chunks_ = LoadStoryBlocks<ITextChunk>(storage_, uids_, kTextChunkBoss, kMaxStoryLength,
                                        [](ITextChunk* face, UID& story) -> int64_t {
                                          TextChunk* chunk = TextChunk::From(face);
                                          if (!chunk) return 0;
                                          story = chunk->GetStory();
                                          return chunk->Length();
                                        });
  Recount();
}

void StoryText::Recount() {
  std::vector<int64_t> lengths(chunks_.size());
  std::vector<int64_t> returns(chunks_.size());
  for (size_t i = 0; i < chunks_.size(); ++i) {
    lengths[i] = Chunk(i)->Length();
    returns[i] = Chunk(i)->CountReturns();
  }
  lengths_.Assign(lengths);
  returns_.Assign(returns);
}

void StoryText::Update(size_t index) {
  lengths_.Set(index, Chunk(index)->Length());
  returns_.Set(index, Chunk(index)->CountReturns());
}

StoryText::Place StoryText::Locate(int32_t position) const {
  if (position >= Length()) {
    size_t last = chunks_.size() - 1;
    return {last, Chunk(last)->Length()};
  }
  size_t chunk = lengths_.Find(position);
  return {chunk, static_cast<int32_t>(position - lengths_.Prefix(chunk))};
}

char16_t StoryText::CharAt(int32_t position) const {
  Place at = Locate(position);
  return Chunk(at.chunk)->Text()[static_cast<size_t>(at.offset)];
}

template <class Take>
void StoryText::VisitText(int32_t start, int32_t end, Take&& take) const {
  if (start >= end) return;
  Place at = Locate(start);
  for (size_t k = at.chunk; k < chunks_.size() && start < end; ++k) {
    std::u16string_view text = Chunk(k)->Text();
    size_t n =
        std::min<size_t>(static_cast<size_t>(end - start), text.size() - static_cast<size_t>(at.offset));
    take(text.substr(static_cast<size_t>(at.offset), n));
    start += static_cast<int32_t>(n);
    at.offset = 0;
  }
}

void StoryText::Read(int32_t start, int32_t end, std::u16string& out) const {
  VisitText(start, end, [&out](std::u16string_view part) { out.append(part); });
}

void StoryText::Copy(int32_t start, int32_t end, char16_t* out) const {
  VisitText(start, end, [&out](std::u16string_view part) { out = std::copy(part.begin(), part.end(), out); });
}

int32_t StoryText::ParagraphIndexAt(int32_t position) const {
  Place at = Locate(position);
  auto index = static_cast<int32_t>(returns_.Prefix(at.chunk)) + Chunk(at.chunk)->ReturnsBefore(at.offset);
  return std::min(index, CountParagraphs() - 1);
}

int32_t StoryText::ReturnPosition(int32_t index) const {
  size_t chunk = returns_.Find(index);
  auto local = static_cast<int32_t>(index - returns_.Prefix(chunk));
  return static_cast<int32_t>(lengths_.Prefix(chunk)) + Chunk(chunk)->ReturnOffset(local);
}

const RunAttributes& StoryText::Paragraph(int32_t index) const {
  size_t chunk = returns_.Find(index);
  return Chunk(chunk)->Paragraph(static_cast<int32_t>(index - returns_.Prefix(chunk)));
}

void StoryText::SetParagraph(int32_t index, RunAttributes attributes) {
  size_t chunk = returns_.Find(index);
  Chunk(chunk)->SetParagraph(static_cast<int32_t>(index - returns_.Prefix(chunk)), std::move(attributes));
}

InterfacePtr<ITextChunk> StoryText::NewBlock(ChunkContent content) {
  IDataBase* db = storage_.GetStorageDataBase();
  InterfacePtr<ITextChunk> face = Instantiate<ITextChunk>(db, db->NewObject(kTextChunkBoss));
  TextChunk* chunk = TextChunk::From(face.get());
  chunk->SetStory(storage_.GetStoryUID());
  chunk->Assign(std::move(content));
  return face;
}

void StoryText::InsertBlocks(size_t at, std::vector<InterfacePtr<ITextChunk>> blocks) {
  storage_.NoteBlockListChange();
  bool atEnd = at == chunks_.size();
  for (size_t i = 0; i < blocks.size(); ++i) {
    uids_.insert(uids_.begin() + static_cast<ptrdiff_t>(at + i), ::GetUID(blocks[i].get()));
    chunks_.insert(chunks_.begin() + static_cast<ptrdiff_t>(at + i), std::move(blocks[i]));
    if (atEnd) {
      lengths_.PushBack(Chunk(at + i)->Length());
      returns_.PushBack(Chunk(at + i)->CountReturns());
    }
  }
  if (!atEnd) Recount();
}

void StoryText::RemoveBlocks(const std::vector<size_t>& indexes) {
  if (indexes.empty()) return;
  storage_.NoteBlockListChange();
  IDataBase* db = storage_.GetStorageDataBase();
  for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
    (void)db->DeleteObject(uids_[*it]);
    uids_.erase(uids_.begin() + static_cast<ptrdiff_t>(*it));
    chunks_.erase(chunks_.begin() + static_cast<ptrdiff_t>(*it));
  }
  Recount();
}

void StoryText::Insert(int32_t position, ChunkContent content) {
  if (content.text.empty()) return;
  if (chunks_.empty()) {
    InsertBlocks(0, {NewBlock({})});
  }
  Place at = Locate(position);
  auto size = static_cast<int32_t>(content.text.size());
  int32_t room = TextChunk::kMaxUnits - Chunk(at.chunk)->Length();
  if (size > TextChunk::kMaxUnits || (size > room && size >= TextChunk::kMaxUnits / 2))
    return InsertLarge(at, std::move(content));
  Chunk(at.chunk)->Insert(at.offset, std::move(content));
  Update(at.chunk);
  SplitOverfull(at.chunk);
}

// Large text (half a block or more) that would overflow its block is not put into the block only to be cut
// out again: the block keeps what is before the position and is filled up from the text; the rest of the
// text, then what followed the position, goes into new full blocks. Each unit is copied once on its way
// into a block.
void StoryText::InsertLarge(Place at, ChunkContent content) {
  TextChunk* chunk = Chunk(at.chunk);
  ChunkContent tail = chunk->Slice(at.offset, chunk->Length() - at.offset);
  chunk->Erase(at.offset, chunk->Length() - at.offset);
  ChunkContent* sources[] = {&content, &tail};
  size_t source = 0, from = 0;
  int32_t record = 0;
  auto next = [&](size_t count) {
    ChunkContent piece;
    piece.text.reserve(count);
    while (count > 0 && source < std::size(sources)) {
      ChunkContent& s = *sources[source];
      size_t n = std::min(count, s.text.size() - from);
      std::u16string_view part(s.text.data() + from, n);
      auto returns = static_cast<int32_t>(CountUnit(part, kParagraphReturn));
      piece.text.append(part);
      piece.paragraphs.Insert(piece.paragraphs.Count(), s.paragraphs.Slice(record, record + returns));
      count -= n;
      from += n;
      record += returns;
      if (from == s.text.size()) source++, from = 0, record = 0;
    }
    return piece;
  };
  chunk->Insert(chunk->Length(), next(static_cast<size_t>(TextChunk::kMaxUnits - chunk->Length())));
  Update(at.chunk);
  std::vector<InterfacePtr<ITextChunk>> blocks;
  while (source < std::size(sources)) {
    ChunkContent piece = next(static_cast<size_t>(TextChunk::kMaxUnits));
    if (!piece.text.empty()) blocks.push_back(NewBlock(std::move(piece)));
  }
  InsertBlocks(at.chunk + 1, std::move(blocks));
}

// A block that grew past kMaxUnits keeps its first kMaxUnits units; the rest goes to the front of the next
// block when it fits there (so that repeated inserts at one place do not leave a trail of small blocks),
// else into new blocks. Appending therefore leaves full blocks behind.
void StoryText::SplitOverfull(size_t index) {
  TextChunk* chunk = Chunk(index);
  if (chunk->Length() <= TextChunk::kMaxUnits) return;
  int32_t keep = TextChunk::kMaxUnits;
  ChunkContent tail = chunk->Slice(keep, chunk->Length() - keep);
  chunk->Erase(keep, chunk->Length() - keep);
  chunk->Compact();
  Update(index);
  size_t next = index + 1;
  if (next < chunks_.size() && Chunk(next)->Length() + tail.text.size() <= TextChunk::kMaxUnits) {
    Chunk(next)->Insert(0, tail);
    Update(next);
    return;
  }
  std::vector<InterfacePtr<ITextChunk>> blocks;
  for (const ChunkContent& piece : Cut(tail, TextChunk::kMaxUnits))
    blocks.push_back(NewBlock(piece));
  InsertBlocks(next, std::move(blocks));
}

void StoryText::Erase(int32_t start, int32_t end) {
  if (start >= end) return;
  Place at = Locate(start);
  int32_t remaining = end - start;
  std::vector<size_t> emptied;
  for (size_t k = at.chunk; k < chunks_.size() && remaining > 0; ++k, at.offset = 0) {
    TextChunk* chunk = Chunk(k);
    int32_t n = std::min(remaining, chunk->Length() - at.offset);
    remaining -= n;
    if (n == chunk->Length()) {
      emptied.push_back(k);
      continue;
    }
    chunk->Erase(at.offset, n);
    Update(k);
  }
  RemoveBlocks(emptied);
  if (!chunks_.empty()) MergeSmall(Locate(std::min(start, Length() - 1)).chunk);
}

// Deleting leaves blocks smaller than they need be; two neighbours that together fill at most half a block
// become one, which keeps the number of blocks in proportion to the text.
void StoryText::MergeSmall(size_t index) {
  for (size_t first : {index, index == 0 ? index : index - 1}) {
    if (first + 1 >= chunks_.size()) continue;
    TextChunk* a = Chunk(first);
    TextChunk* b = Chunk(first + 1);
    if (a->Length() + b->Length() > TextChunk::kMaxUnits / 2) continue;
    a->Insert(a->Length(), b->Slice(0, b->Length()));
    Update(first);
    RemoveBlocks({first + 1});
    return;
  }
}

ChunkContent StoryText::Slice(int32_t start, int32_t end) const {
  ChunkContent out;
  if (start >= end) return out;
  Place at = Locate(start);
  for (size_t k = at.chunk; k < chunks_.size() && start < end; ++k, at.offset = 0) {
    int32_t n = std::min(end - start, Chunk(k)->Length() - at.offset);
    ChunkContent part = Chunk(k)->Slice(at.offset, n);
    out.text += part.text;
    out.paragraphs.Insert(out.paragraphs.Count(), std::move(part.paragraphs));
    start += n;
  }
  return out;
}

std::string StoryText::Check() const {
  if (uids_.size() != chunks_.size()) return "text block list and blocks differ in number";
  int64_t length = 0;
  int64_t returns = 0;
  for (size_t i = 0; i < chunks_.size(); ++i) {
    TextChunk* chunk = Chunk(i);
    std::string where = "text block " + std::to_string(i);
    if (::GetUID(chunks_[i].get()) != uids_[i]) return where + " is not the one the list names";
    if (chunk->GetStory() != storage_.GetStoryUID()) return where + " belongs to another story";
    if (chunk->Length() == 0) return where + " is empty";
    if (chunk->CountReturns() != CountReturns(chunk->Text())) return where + " has a stale return index";
    if (chunk->CountParagraphRecords() != chunk->CountReturns())
      return where + " does not hold one paragraph record per return";
    if (lengths_.Get(i) != chunk->Length() || returns_.Get(i) != chunk->CountReturns())
      return where + " disagrees with the totals";
    length += chunk->Length();
    returns += chunk->CountReturns();
  }
  if (lengths_.Total() != length || lengths_.Prefix(chunks_.size()) != length)
    return "text length totals are wrong";
  if (returns_.Total() != returns || returns_.Prefix(chunks_.size()) != returns)
    return "return totals are wrong";
  if (length > 0 && CharAt(Length() - 1) != kParagraphReturn)
    return "the text does not end in a paragraph return";
  return {};
}
