// Page items.
#include "host/layout/PageItem.h"

#include "host/layout/LayoutStreams.h"

void PageItem::SetBounds(const PMRect& bounds) {
  if (bounds == bounds_) return;
  if (PreDirty() != kSuccess) return;
  bounds_ = bounds;
}

void PageItem::SetTransform(const ItemTransform& transform) {
  if (transform == transform_) return;
  if (PreDirty() != kSuccess) return;
  transform_ = transform;
}

void PageItem::SetLabels(const ItemLabels& labels) {
  if (labels == labels_) return;
  if (PreDirty() != kSuccess) return;
  labels_ = labels;
}

void PageItem::SetLocked(bool locked) {
  if (locked == locked_) return;
  if (PreDirty() != kSuccess) return;
  locked_ = locked;
}

void PageItem::SetOverrideOf(UID masterItem) {
  if (masterItem == overrideOf_) return;
  if (PreDirty() != kSuccess) return;
  overrideOf_ = masterItem;
}

void PageItem::SetGraphicContent(bool graphic) {
  if (graphic == graphic_) return;
  if (PreDirty() != kSuccess) return;
  graphic_ = graphic;
}

void PageItem::ReadWrite(IPMStream* stream, ImplementationID) {
  LayoutStreams::XferRect(stream, bounds_, "an edge of a page item's bounds");
  for (double* v : {&transform_.scaleX, &transform_.scaleY, &transform_.skew, &transform_.rotation})
    stream->XferFinite(*v, "a page item's transform");
  stream->Expect(transform_.IsValid(), "a page item's transform is out of range");
  stream->XferBool(transform_.flipHorizontal);
  stream->XferBool(transform_.flipVertical);
  stream->XferString(labels_.label);
  uint32_t count = stream->XferCount(static_cast<uint32_t>(labels_.keyed.size()), 8);
  if (stream->IsReading()) labels_.keyed.assign(count, {});
  for (auto& [key, value] : labels_.keyed) {
    stream->XferString(key);
    stream->XferString(value);
  }
  stream->XferBool(locked_);
  stream->XferReference(overrideOf_);
  stream->XferBool(graphic_);
}
