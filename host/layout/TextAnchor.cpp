// A named place in a story's text.
#include "host/layout/TextAnchor.h"

#include "host/db/IPMStream.h"

void TextAnchor::SetName(const WideString& name) {
  if (name == name_) return;
  PreDirty();
  name_ = name;
}

void TextAnchor::SetPageAnchor(bool page) {
  if (page == page_) return;
  PreDirty();
  page_ = page;
}

void TextAnchor::SetStory(UID story) {
  if (story == story_) return;
  PreDirty();
  story_ = story;
}

void TextAnchor::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferString(name_);
  stream->XferBool(page_);
  stream->XferReference(story_);
}
