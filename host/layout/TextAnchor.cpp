// A named place in a story's text.
#include "host/layout/TextAnchor.h"

#include "host/db/IPMStream.h"

void TextAnchor::SetName(const WideString& name) {
  if (name == name_) return;
  if (PreDirty() != kSuccess) return;
  name_ = name;
}

void TextAnchor::SetPageAnchor(bool page) {
  if (page == page_) return;
  if (PreDirty() != kSuccess) return;
  page_ = page;
}

void TextAnchor::SetStory(UID story) {
  if (story == story_) return;
  if (PreDirty() != kSuccess) return;
  story_ = story;
}

void TextAnchor::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferString(name_);
  stream->XferBool(page_);
  stream->XferReference(story_);
}
