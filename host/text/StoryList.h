// StoryList: the persistent IStoryList implementation on the document object.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/text/IStoryList.h"

class StoryList final : public CPMUnknown<IStoryList> {
 public:
  explicit StoryList(Boss* boss) : CPMUnknown(boss) {}
  int32_t CountStories() const override { return static_cast<int32_t>(stories_.size()); }
  UID GetNthStory(int32_t index) const override;
  bool ContainsStory(UID story) const override;
  void AddStory(UID story) override;
  void RemoveStory(UID story) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<UID> stories_;
};
