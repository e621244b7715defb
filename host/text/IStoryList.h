// IStoryList: the stories of a document (on the document object), in creation order. The changing
// operations are for the story commands.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/text/TextIDs.h"

class IStoryList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTORYLIST.Get() };
  virtual int32_t CountStories() const = 0;
  // kInvalidUID outside 0 .. CountStories() - 1.
  virtual UID GetNthStory(int32_t index) const = 0;
  virtual bool ContainsStory(UID story) const = 0;
  virtual void AddStory(UID story) = 0;
  virtual void RemoveStory(UID story) = 0;
};
