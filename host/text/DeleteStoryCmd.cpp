// Deleting stories.
#include "host/text/DeleteStoryCmd.h"

#include "host/text/IStoryList.h"
#include "host/text/TextStory.h"

void DeleteStoryCmd::Do() {
  const UIDList& items = GetItemList();
  IDataBase* db = items.GetDataBase();
  if (!db || items.empty()) return Fail(kInvalidParameterError);
  for (UID uid : items) {
    if (db->GetClass(uid) != kTextStoryBoss) return Fail(kInvalidParameterError);
  }
  InterfacePtr<IStoryList> stories = Instantiate<IStoryList>(db, db->GetRootUID());
  for (UID uid : items) {
    if (stories) stories->RemoveStory(uid);
    if (ErrorCode err = TextStory::DeleteStory(db, uid); err != kSuccess) return Fail(err);
  }
}
