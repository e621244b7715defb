// StoryStorage: what the parts of a story that keep their data in storage blocks need of the story: the
// database the blocks live in, the story's UID (each block names its story) and a way to announce a change
// of the story's own persistent fields (the lists of its blocks) before it happens.
#pragma once

#include "host/db/IDataBase.h"

class StoryStorage {
 public:
  virtual IDataBase* GetStorageDataBase() const = 0;
  virtual UID GetStoryUID() const = 0;
  virtual void NoteBlockListChange() = 0;

 protected:
  ~StoryStorage() = default;
};
