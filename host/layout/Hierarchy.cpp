// Nodes of the layout hierarchy.
#include "host/layout/Hierarchy.h"

#include "host/layout/LayoutStreams.h"

using namespace LayoutStreams;

void Hierarchy::SetParent(UID parent) {
  if (parent == parent_) return;
  if (PreDirty() != kSuccess) return;
  parent_ = parent;
}

int32_t Hierarchy::IndexOfChild(UID child) const {
  return IndexIn(children_, child);
}

void Hierarchy::InsertChild(UID child, int32_t at) {
  if (!child.IsValid() || IndexIn(children_, child) >= 0) return;
  if (PreDirty() != kSuccess) return;
  InsertAt(children_, child, at);
}

void Hierarchy::RemoveChild(UID child) {
  if (IndexIn(children_, child) < 0) return;
  if (PreDirty() != kSuccess) return;
  std::erase(children_, child);
}

void Hierarchy::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(parent_);
  XferUIDs(stream, children_);
}

void SpreadLayer::SetDocumentLayer(UID layer) {
  if (layer == layer_) return;
  if (PreDirty() != kSuccess) return;
  layer_ = layer;
}

void SpreadLayer::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(layer_);
}
