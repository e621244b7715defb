// The document's layers.
#include "host/layout/LayerList.h"

#include "host/layout/LayoutStreams.h"

using namespace LayoutStreams;

UID LayerList::GetNthLayer(int32_t index) const {
  return At(layers_, index);
}
int32_t LayerList::IndexOfLayer(UID layer) const {
  return IndexIn(layers_, layer);
}

void LayerList::SetActiveLayer(UID layer) {
  if (layer == active_) return;
  if (PreDirty() != kSuccess) return;
  active_ = layer;
}

void LayerList::InsertLayer(UID layer, int32_t at) {
  if (!layer.IsValid() || IndexIn(layers_, layer) >= 0) return;
  if (PreDirty() != kSuccess) return;
  InsertAt(layers_, layer, at);
}

void LayerList::RemoveLayer(UID layer) {
  if (IndexIn(layers_, layer) < 0) return;
  if (PreDirty() != kSuccess) return;
  std::erase(layers_, layer);
  if (active_ == layer) active_ = layers_.empty() ? kInvalidUID : layers_.back();
}

void LayerList::ReadWrite(IPMStream* stream, ImplementationID) {
  XferUIDs(stream, layers_);
  stream->XferReference(active_);
}

void DocumentLayer::SetName(const WideString& name) {
  if (name == name_) return;
  if (PreDirty() != kSuccess) return;
  name_ = name;
}

void DocumentLayer::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (PreDirty() != kSuccess) return;
  visible_ = visible;
}

void DocumentLayer::SetLocked(bool locked) {
  if (locked == locked_) return;
  if (PreDirty() != kSuccess) return;
  locked_ = locked;
}

void DocumentLayer::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferString(name_);
  stream->XferBool(visible_);
  stream->XferBool(locked_);
}
