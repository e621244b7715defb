// TextChunk: one storage block of a story's text: a few thousand UTF-16 units with the paragraph attributes
// of the paragraph returns among them. A story keeps its text in a sequence of these, each a persistent
// object of its own, so that a change snapshots (for undo) and writes only the blocks it touches.
#pragma once

#include <string>
#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/text/ITextModel.h"
#include "host/text/ParagraphRuns.h"

// The internal interface of text blocks; only the story reaches them.
class ITextChunk : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTCHUNK.Get() };
};

// Text with a paragraph record for each paragraph return in it.
struct ChunkContent {
  std::u16string text;
  ParagraphRuns paragraphs;
};

class TextChunk final : public CPMUnknown<ITextChunk> {
 public:
  // Size a block grows to before it is split.
  static constexpr int32_t kMaxUnits = 4096;

  explicit TextChunk(Boss* boss) : CPMUnknown(boss) {}
  static TextChunk* From(ITextChunk* face) { return static_cast<TextChunk*>(face); }

  UID GetStory() const { return story_; }
  void SetStory(UID story);
  int32_t Length() const { return static_cast<int32_t>(text_.size()); }
  const std::u16string& Text() const { return text_; }
  int32_t CountReturns() const { return static_cast<int32_t>(returns_.size()); }
  int32_t ReturnOffset(int32_t index) const { return returns_[index]; }
  // Returns at offsets below `offset`.
  int32_t ReturnsBefore(int32_t offset) const;
  int32_t CountParagraphRecords() const { return paragraphs_.Count(); }
  const RunAttributes& Paragraph(int32_t index) const { return paragraphs_.At(index); }
  void SetParagraph(int32_t index, RunAttributes attributes);

  // Inserts `content` at `offset`; its paragraph records go with its returns.
  void Insert(int32_t offset, ChunkContent content);
  void Erase(int32_t offset, int32_t count);
  // Gives back the room a large insert left behind (the story splits an overfull block right after).
  void Compact();
  // Replaces the whole content (a new block being filled).
  void Assign(ChunkContent content);
  // [offset, offset + count) as content.
  ChunkContent Slice(int32_t offset, int32_t count) const;

  // Reading drops what a damaged block cannot hold (paragraph records without a return are removed, returns
  // without one get a copy of the last); the story rebuilds its indexes once the document is read.
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  void IndexReturns();

  UID story_;
  std::u16string text_;
  ParagraphRuns paragraphs_;  // one per return, in order

  std::vector<int32_t> returns_;  // offsets of the returns in text_ (derived)
};

// Moves text as one block of little-endian units rather than unit by unit; reading caps the count at what
// the stream holds.
void XferUnits(IPMStream* stream, std::u16string& text);
