// Styles.
#include "host/text/StyleInfo.h"

#include "host/db/IPMStream.h"

void StyleInfo::SetKind(StyleKind kind) {
  if (kind == kind_) return;
  PreDirty();
  kind_ = kind;
}

void StyleInfo::SetName(const WideString& name) {
  if (name == name_) return;
  PreDirty();
  name_ = name;
}

void StyleInfo::SetBasedOn(UID style) {
  if (style == basedOn_) return;
  PreDirty();
  basedOn_ = style;
}

void StyleInfo::SetNextStyle(UID style) {
  if (style == next_) return;
  PreDirty();
  next_ = style;
}

void StyleInfo::SetCharacterStyle(UID style) {
  if (style == characterStyle_) return;
  PreDirty();
  characterStyle_ = style;
}

void StyleInfo::SetAttributes(const AttributeBossList& attributes) {
  if (attributes == attributes_) return;
  PreDirty();
  attributes_ = attributes;
}

void StyleInfo::ReadWrite(IPMStream* stream, ImplementationID) {
  auto kind = static_cast<uint8_t>(kind_);
  stream->XferByte(kind);
  kind_ = kind == 1 ? StyleKind::kCharacter : StyleKind::kParagraph;
  stream->XferString(name_);
  stream->XferReference(basedOn_);
  stream->XferReference(next_);
  stream->XferReference(characterStyle_);
  attributes_.ReadWrite(stream);
}
