// StoryText: a story's text and paragraph strand, kept in a sequence of text blocks (TextChunk) with
// running totals of their lengths and of their paragraph returns, so that finding a position, a paragraph
// or a paragraph's return costs O(log n) and appending costs O(1) amortised, whatever the story's length.
#pragma once

#include <string>
#include <vector>

#include "host/core/InterfacePtr.h"
#include "host/text/PrefixSums.h"
#include "host/text/StoryStorage.h"
#include "host/text/TextChunk.h"

class StoryText {
 public:
  explicit StoryText(StoryStorage& storage) : storage_(storage) {}

  // The persistent list of blocks, moved by the story's ReadWrite; Rebuild after it changed.
  std::vector<UID>& BlockUIDs() { return uids_; }
  // Re-reads the blocks the list names. UIDs that name no text block of this story (damaged documents)
  // are dropped from the list, as are empty blocks and blocks beyond kMaxStoryLength.
  void Rebuild();

  int32_t Length() const { return static_cast<int32_t>(lengths_.Total()); }
  char16_t CharAt(int32_t position) const;
  // Appends [start, end) to `out`; the range must lie inside the text.
  void Read(int32_t start, int32_t end, std::u16string& out) const;
  // Copies the units of [start, end) into `out`, which has room for them.
  void Copy(int32_t start, int32_t end, char16_t* out) const;
  int32_t CountParagraphs() const { return static_cast<int32_t>(returns_.Total()); }
  // The paragraph holding `position` (0 <= position < Length()).
  int32_t ParagraphIndexAt(int32_t position) const;
  // Where paragraph `index` starts, and where its return is.
  int32_t ParagraphStart(int32_t index) const { return index == 0 ? 0 : ReturnPosition(index - 1) + 1; }
  int32_t ReturnPosition(int32_t index) const;
  const RunAttributes& Paragraph(int32_t index) const;
  void SetParagraph(int32_t index, RunAttributes attributes);

  // Inserts `content` before `position` (0 <= position <= Length()).
  void Insert(int32_t position, ChunkContent content);
  // Erases [start, end) (inside the text), with the paragraph records of the returns there.
  void Erase(int32_t start, int32_t end);
  // [start, end) with the records of its returns.
  ChunkContent Slice(int32_t start, int32_t end) const;

  // Empty when the blocks and the totals agree, else the first fault.
  std::string Check() const;

 private:
  // Calls `take` with the parts of [start, end) in each block, in order.
  template <class Take>
  void VisitText(int32_t start, int32_t end, Take&& take) const;
  struct Place {
    size_t chunk;
    int32_t offset;
  };
  TextChunk* Chunk(size_t index) const { return TextChunk::From(chunks_[index].get()); }
  // The block and offset of `position`; Length() maps to the end of the last block.
  Place Locate(int32_t position) const;
  void Recount();
  void Update(size_t index);
  InterfacePtr<ITextChunk> NewBlock(ChunkContent content);
  void InsertLarge(Place at, ChunkContent content);
  void InsertBlocks(size_t at, std::vector<InterfacePtr<ITextChunk>> blocks);
  void RemoveBlocks(const std::vector<size_t>& indexes);
  void SplitOverfull(size_t index);
  void MergeSmall(size_t index);

  StoryStorage& storage_;
  std::vector<UID> uids_;
  std::vector<InterfacePtr<ITextChunk>> chunks_;
  PrefixSums lengths_;
  PrefixSums returns_;
};
