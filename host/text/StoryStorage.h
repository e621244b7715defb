// StoryStorage: what the parts of a story that keep their data in storage blocks need of the story: the
// database the blocks live in, the story's UID (each block names its story) and a way to announce a change
// of the story's own persistent fields (the lists of its blocks) before it happens.
#pragma once

#include <functional>
#include <unordered_set>
#include <vector>

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"

class StoryStorage {
 public:
  virtual IDataBase* GetStorageDataBase() const = 0;
  virtual UID GetStoryUID() const = 0;
  virtual void NoteBlockListChange() = 0;

 protected:
  ~StoryStorage() = default;
};

// Opens the blocks `uids` names, in order, keeping only sound ones: of class `blockClass`, named once, not
// empty (`length` answers 0), belonging to this story and keeping the story within `maxTotal`. A damaged
// list (blocks lost or repeated in a file) is replaced by the blocks kept, announced as a change.
template <class IBlock>
std::vector<InterfacePtr<IBlock>> LoadStoryBlocks(StoryStorage& storage, std::vector<UID>& uids,
                                                  ClassID blockClass, int64_t maxTotal,
                                                  const std::function<int64_t(IBlock*, UID& story)>& length) {
  IDataBase* db = storage.GetStorageDataBase();
  std::vector<InterfacePtr<IBlock>> blocks;
  std::vector<UID> kept;
  std::unordered_set<uint32_t> seen;
  int64_t total = 0;
  for (UID uid : uids) {
    if (!db || db->GetClass(uid) != blockClass || !seen.insert(uid.Get()).second) continue;
    InterfacePtr<IBlock> block = Instantiate<IBlock>(db, uid);
    UID owner;
    int64_t size = block ? length(block.get(), owner) : 0;
    if (size <= 0 || total + size > maxTotal) continue;
    if (owner.IsValid() && owner != storage.GetStoryUID()) continue;
    total += size;
    kept.push_back(uid);
    blocks.push_back(std::move(block));
  }
  if (kept != uids) {
    storage.NoteBlockListChange();
    uids = std::move(kept);
  }
  return blocks;
}
