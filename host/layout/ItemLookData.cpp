// A page item's look, as it is kept.
#include "host/layout/ItemLookData.h"

#include "host/db/IPMStream.h"
#include "host/layout/LayoutStreams.h"

void GraphicAttributesData::SetAttributes(const GraphicAttributeList& attributes) {
  if (attributes == attributes_) return;
  if (PreDirty() != kSuccess) return;
  attributes_ = attributes;
}

void GraphicAttributesData::ReadWrite(IPMStream* stream, ImplementationID) {
  attributes_.ReadWrite(stream, "a page item's graphic attributes");
}

void TextWrapData::SetWrap(const TextWrapSettings& wrap) {
  if (wrap == wrap_) return;
  if (PreDirty() != kSuccess) return;
  wrap_ = wrap;
}

void TextWrapData::ReadWrite(IPMStream* stream, ImplementationID) {
  XferTextWrap(stream, wrap_, "a page item's text wrap");
}

void ItemObjectStyleData::SetStyle(ObjectStyleID style) {
  if (style == style_) return;
  if (PreDirty() != kSuccess) return;
  style_ = style;
}

void ItemObjectStyleData::ReadWrite(IPMStream* stream, ImplementationID) {
  LayoutStreams::XferInt32In(stream, style_, 0, kMaxObjectStyleID - 1, "a page item's object style");
}

void CopyItemLook(IDataBase* db, UID original, UID copy) {
  auto fromAttributes = Instantiate<IGraphicAttributes>(db, original);
  auto toAttributes = Instantiate<IGraphicAttributes>(db, copy);
  if (fromAttributes && toAttributes) toAttributes->SetAttributes(fromAttributes->GetAttributes());
  auto fromWrap = Instantiate<ITextWrap>(db, original);
  auto toWrap = Instantiate<ITextWrap>(db, copy);
  if (fromWrap && toWrap) toWrap->SetWrap(fromWrap->GetWrap());
  auto fromStyle = Instantiate<IItemObjectStyle>(db, original);
  auto toStyle = Instantiate<IItemObjectStyle>(db, copy);
  if (fromStyle && toStyle) toStyle->SetStyle(fromStyle->GetStyle());
}
