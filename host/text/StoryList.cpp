// A document's stories.
#include "host/text/StoryList.h"

#include <algorithm>

#include "host/db/IPMStream.h"

UID StoryList::GetNthStory(int32_t index) const {
  return index >= 0 && index < CountStories() ? stories_[static_cast<size_t>(index)] : kInvalidUID;
}

bool StoryList::ContainsStory(UID story) const {
  return std::find(stories_.begin(), stories_.end(), story) != stories_.end();
}

void StoryList::AddStory(UID story) {
  if (!story.IsValid() || ContainsStory(story)) return;
  if (PreDirty() != kSuccess) return;
  stories_.push_back(story);
}

void StoryList::RemoveStory(UID story) {
  if (!ContainsStory(story)) return;
  if (PreDirty() != kSuccess) return;
  std::erase(stories_, story);
}

void StoryList::ReadWrite(IPMStream* stream, ImplementationID) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(stories_.size()), 4);
  if (stream->IsReading()) stories_.assign(count, UID());
  for (UID& uid : stories_)
    stream->XferReference(uid);
}
