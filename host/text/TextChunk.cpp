// Text storage blocks.
#include "host/text/TextChunk.h"

#include <algorithm>
#include <bit>
#include <iterator>

#include "host/core/UnitSearch.h"
#include "host/db/IPMStream.h"
#include "host/text/RunAttributesCodec.h"

namespace {

// Adds the offsets of the returns in `text`, moved by `offset`, to the end of `returns`. They are counted
// first, so that the offsets are written straight into place: rows of returns are all returns.
void AppendReturns(std::u16string_view text, int32_t offset, std::vector<int32_t>& returns) {
  size_t first = returns.size();
  returns.resize(first + CountUnit(text, kParagraphReturn));
  int32_t* at = returns.data() + first;
  ForEachUnit(text, kParagraphReturn, [&](size_t i) { *at++ = offset + static_cast<int32_t>(i); });
}

}  // namespace

void XferUnits(IPMStream* stream, std::u16string& text) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(text.size()), 2);
  if constexpr (std::endian::native == std::endian::little) {
    // The units are already little-endian in memory.
    if (!stream->IsWriting()) text.resize(count);
    stream->XferBytes(reinterpret_cast<uint8_t*>(text.data()), size_t{count} * 2);
    return;
  }
  std::vector<uint8_t> bytes(size_t{count} * 2);
  if (stream->IsWriting()) {
    for (uint32_t i = 0; i < count; ++i) {
      bytes[2 * i] = static_cast<uint8_t>(text[i]);
      bytes[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
    stream->XferBytes(bytes.data(), bytes.size());
    return;
  }
  stream->XferBytes(bytes.data(), bytes.size());
  text.resize(count);
  for (uint32_t i = 0; i < count; ++i)
    text[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
}

void TextChunk::SetStory(UID story) {
  if (story == story_) return;
  if (PreDirty() != kSuccess) return;
  story_ = story;
}

int32_t TextChunk::ReturnsBefore(int32_t offset) const {
  return static_cast<int32_t>(std::lower_bound(returns_.begin(), returns_.end(), offset) - returns_.begin());
}

void TextChunk::SetParagraph(int32_t index, RunAttributes attributes) {
  if (PreDirty() != kSuccess) return;
  paragraphs_.Set(index, std::move(attributes));
}

void TextChunk::IndexReturns() {
  returns_.clear();
  AppendReturns(text_, 0, returns_);
}

// The return index is updated for the edit rather than rebuilt, so that an edit costs what it changes.
void TextChunk::Insert(int32_t offset, ChunkContent content) {
  if (PreDirty() != kSuccess) return;
  int32_t before = ReturnsBefore(offset);
  auto added = static_cast<int32_t>(content.text.size());
  text_.insert(static_cast<size_t>(offset), content.text);
  paragraphs_.Insert(before, std::move(content.paragraphs));
  for (size_t i = static_cast<size_t>(before); i < returns_.size(); ++i)
    returns_[i] += added;
  // Most inserts go after the block's last return (text is added at the end of a story, before its final
  // return, which then moves to the next block): those returns go straight to the end of the index.
  bool atEnd = static_cast<size_t>(before) == returns_.size();
  std::vector<int32_t> middle;
  AppendReturns(content.text, offset, atEnd ? returns_ : middle);
  if (!atEnd) returns_.insert(returns_.begin() + before, middle.begin(), middle.end());
}

void TextChunk::Erase(int32_t offset, int32_t count) {
  if (PreDirty() != kSuccess) return;
  int32_t first = ReturnsBefore(offset);
  int32_t last = ReturnsBefore(offset + count);
  text_.erase(static_cast<size_t>(offset), static_cast<size_t>(count));
  paragraphs_.Erase(first, last);
  returns_.erase(returns_.begin() + first, returns_.begin() + last);
  for (size_t i = static_cast<size_t>(first); i < returns_.size(); ++i)
    returns_[i] -= count;
}

void TextChunk::Assign(ChunkContent content) {
  if (PreDirty() != kSuccess) return;
  text_ = std::move(content.text);
  paragraphs_ = std::move(content.paragraphs);
  IndexReturns();
}

void TextChunk::Compact() {
  text_.shrink_to_fit();
  paragraphs_.ShrinkToFit();
  returns_.shrink_to_fit();
}

ChunkContent TextChunk::Slice(int32_t offset, int32_t count) const {
  ChunkContent out;
  out.text = text_.substr(static_cast<size_t>(offset), static_cast<size_t>(count));
  out.paragraphs = paragraphs_.Slice(ReturnsBefore(offset), ReturnsBefore(offset + count));
  return out;
}

void TextChunk::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(story_);
  XferUnits(stream, text_);
  // A block holds no more paragraphs than units.
  RunAttributesCodec::XferParagraphRuns(stream, paragraphs_, static_cast<int32_t>(text_.size()));
  if (stream->IsWriting()) return;
  IndexReturns();
  paragraphs_.Resize(static_cast<int32_t>(returns_.size()));
}
