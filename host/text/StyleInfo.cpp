// Styles.
#include "host/text/StyleInfo.h"

#include <atomic>

#include "host/db/IPMStream.h"
#include "host/text/StyleNames.h"

namespace {

std::atomic<uint64_t> styleChanges{0};
std::atomic<uint64_t> styleRenames{0};

void NoteStyleRename() {
  styleRenames.fetch_add(1, std::memory_order_relaxed);
}

void NoteStyleChange() {
  styleChanges.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

uint64_t StyleChangeCount() {
  return styleChanges.load(std::memory_order_relaxed);
}

uint64_t StyleRenameCount() {
  return styleRenames.load(std::memory_order_relaxed);
}

void StyleInfo::SetKind(StyleKind kind) {
  if (kind == kind_) return;
  if (PreDirty() != kSuccess) return;
  NoteStyleChange();
  kind_ = kind;
}

void StyleInfo::SetName(const WideString& name) {
  if (name == name_) return;
  if (PreDirty() != kSuccess) return;
  NoteStyleChange();
  if (!name_.empty()) NoteStyleRename();
  name_ = name;
}

void StyleInfo::SetBasedOn(UID style) {
  if (style == basedOn_) return;
  if (PreDirty() != kSuccess) return;
  NoteStyleChange();
  basedOn_ = style;
}

void StyleInfo::SetNextStyle(UID style) {
  if (style == next_) return;
  if (PreDirty() != kSuccess) return;
  NoteStyleChange();
  next_ = style;
}

void StyleInfo::SetCharacterStyle(UID style) {
  if (style == characterStyle_) return;
  if (PreDirty() != kSuccess) return;
  NoteStyleChange();
  characterStyle_ = style;
}

void StyleInfo::SetAttributes(const AttributeBossList& attributes) {
  if (attributes == attributes_) return;
  if (PreDirty() != kSuccess) return;
  NoteStyleChange();
  attributes_ = attributes;
}

void StyleInfo::ReadWrite(IPMStream* stream, ImplementationID) {
  if (stream->IsReading()) {
    NoteStyleChange();
    NoteStyleRename();
  }
  auto kind = static_cast<uint8_t>(kind_);
  stream->XferByte(kind);
  stream->Expect(kind <= 1, "a style's kind is out of range");
  kind_ = kind == 1 ? StyleKind::kCharacter : StyleKind::kParagraph;
  stream->XferString(name_);
  stream->Expect(name_.size() <= kMaxStyleNameLength, "a style's name is too long");
  stream->XferReference(basedOn_);
  stream->XferReference(next_);
  stream->XferReference(characterStyle_);
  attributes_.ReadWrite(stream);
}
