// KestoItemPutter: the Kesto writer over page items: each item as a box tag read back from the item (text
// frames followed by their story and "<&te>"), each group after its members as "<&g(…)>" pointing back at
// them, and, once a group has been met, the origin "<&o(x,y)>" that later positions are relative to. The
// two passes of every export apply: styles are collected from the stories first.
#pragma once

#include <cstdint>
#include <vector>

#include "host/db/IDataBase.h"
#include "host/layout/Geometry.h"
#include "kesto/writer/KestoPutter.h"

namespace kesto {

class KestoItemPutter : public KestoPutter {
 public:
  // What the putter's error is when a group's member table cannot be had.
  static constexpr int32_t kOutOfMemory = -108;

  // Writes the header and `items` of `db` (page items, back to front; groups with their members) to
  // `agent`, used only during the call. Answers 0 or the first error: the agent's, or kOutOfMemory.
  int32_t PutItems(IDataBase* db, const std::vector<UID>& items, ITagPutterAgent* agent);

  // The frames of `story` are written as that story's text, not as boxes: the story an import of the
  // output goes into holds the text again, and no second frame is made for it.
  void SetStoryInPlace(UID story) { storyInPlace_ = story; }

  // The origin while items are written: 0 none, 1 collected, 2 written.
  int32_t GetOriginState() const { return originState_; }

 private:
  // Writes (or collects) one item and answers the tags it wrote for a group around it.
  int32_t PutAnyPageItem(IDataBase* db, UID item);
  int32_t PutGroup(IDataBase* db, UID group);
  // From the first group on, the smallest left and top of the free-standing items.
  void CollectOrigin(IDataBase* db, UID item);
  int32_t PutBox(IDataBase* db, UID item);
  // The item's bounds as its tag gives them (page or spread coordinates), before the origin.
  PMRect TagBounds(IDataBase* db, UID item, const PMRect& spreadBounds) const;
  void PutStoryOfFrame(IDataBase* db, UID frame);

  UID storyInPlace_;
  int32_t originState_ = 0;
  double originX_ = 0, originY_ = 0;
};

}  // namespace kesto
