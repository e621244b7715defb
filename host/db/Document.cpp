// The document object.
#include "host/db/Document.h"

#include "host/db/IPMStream.h"

void Document::SetName(const WideString& name) {
  if (name == name_) return;
  if (PreDirty() != kSuccess) return;
  name_ = name;
}

void Document::SetDocWorkSpace(UID workspace) {
  if (workspace == workspace_) return;
  if (PreDirty() != kSuccess) return;
  workspace_ = workspace;
}

void Document::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferString(name_);
  stream->XferReference(workspace_);
}
